#include "Pelta/PeltaTypeUtilities.h"

#include <gtest/gtest.h>

#include <sqlext.h>

using Pelta::PeltaTypeUtilities;

namespace {

TEST(PeltaTypeUtilities, EachServerTypeIdHasItsSqlTypeAndName)
{
    const struct
    {
        uint32_t id;
        int16_t odbc3Type;
        int16_t odbc2Type;
        const char* name;
    } cases[] = {
        {0, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {1, 0, 0, "type not supported"},
        {2, SQL_TINYINT, SQL_TINYINT, "byte"},
        {3, SQL_BIT, SQL_BIT, "boolean"},
        {4, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {5, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {6, SQL_DOUBLE, SQL_DOUBLE, "double"},
        {7, SQL_REAL, SQL_REAL, "float"},
        {8, SQL_SMALLINT, SQL_SMALLINT, "short"},
        {9, SQL_INTEGER, SQL_INTEGER, "integer"},
        {10, SQL_BIGINT, SQL_BIGINT, "long"},
        {11, SQL_TYPE_TIMESTAMP, SQL_TIMESTAMP, "timestamp"},
        {12, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {13, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {14, 0, 0, "unknown type"},
        {99, 0, 0, "unknown type"},
        {100, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {101, SQL_WVARCHAR, SQL_WVARCHAR, "string"},
        {102, 0, 0, "unknown type"},
        {0xFFFFFFFF, 0, 0, "unknown type"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.odbc3Type, PeltaTypeUtilities::GetSqlType(c.id, true)) << c.id;
        EXPECT_EQ(c.odbc2Type, PeltaTypeUtilities::GetSqlType(c.id, false)) << c.id;
        EXPECT_EQ(c.name, PeltaTypeUtilities::GetTypeName(c.id)) << c.id;
    }
}

TEST(PeltaTypeUtilities, DataTypeTextsMapToIdsWholeAndCaseSensitively)
{
    const struct
    {
        const char* text;
        uint32_t id;
    } cases[] = {
        {"null", 0},         {"byte", 2},          {"boolean", 3},        {"string", 4},
        {"ip", 5},           {"double", 6},        {"float", 7},          {"short", 8},
        {"integer", 9},      {"long", 10},         {"timestamp", 11},     {"object", 12},
        {"geo_point", 13},   {"array", 100},       {"array(long)", 100},  {"array(string)", 100},
        {"myarray", 100},    {"set", 101},         {"set(string)", 1},    {"geo_shape", 1},
        {"Integer", 1},      {"String", 1},        {"integer ", 1},       {"", 1},
        {"Array(long)", 1},  {"sets", 1},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.id, PeltaTypeUtilities::GetTypeIdFromName(c.text)) << '"' << c.text << '"';
    }
}

} // namespace
