#include "ODBC/Info/InfoTypes.h"
#include "Support/ErrorException.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <set>
#include <string>

using Orvik::ODBC::InfoTypes;
using namespace Orvik::Support;

namespace {

// The value kinds by information type number, as ODBC applications expect them.
const std::set<int32_t> TEXT_TYPES = {2,  6,  7,  10, 11, 13, 14, 16, 17, 18, 19,  20,  21,  25,    27,    29,    36,   37,   38,
                                      39, 40, 41, 42, 45, 47, 73, 77, 87, 89, 90, 94, 103, 111, 113, 171, 10000, 10002, 10003, 10004};
const std::set<int32_t> INT32_TYPES = {8, 43, 78, 79, 80, 83, 86};
const std::set<int32_t> INT16_TYPES = {9, 12, 15};
const std::set<int32_t> UINT16_TYPES = {0,  1,  22, 23, 24, 28, 30, 31, 32,  33,  34,  35,  46,  74,   75,   84,   85,
                                        88, 93, 97, 98, 99, 100, 101, 106, 107, 114, 116, 10005};
const std::set<int32_t> POINTER_TYPES = {3, 4, 5, 76, 135};

bool IsInfoType(int32_t in_type)
{
    return (in_type >= 0 && in_type <= 173) || (in_type >= 10000 && in_type <= 10005) ||
           (in_type >= 10021 && in_type <= 10023);
}

AttributeType ExpectedKind(int32_t in_type)
{
    for (const auto& kind : {std::make_pair(&TEXT_TYPES, ATTR_WSTRING), std::make_pair(&INT32_TYPES, ATTR_INT32),
                             std::make_pair(&INT16_TYPES, ATTR_INT16), std::make_pair(&UINT16_TYPES, ATTR_UINT16),
                             std::make_pair(&POINTER_TYPES, ATTR_UINT_NATIVE)})
    {
        if (kind.first->count(in_type) != 0)
        {
            return kind.second;
        }
    }
    return ATTR_UINT32;
}

} // namespace

TEST(InfoTypesTest, ValueKindOfEveryNumber)
{
    for (int32_t type = -2; type <= 10030; ++type)
    {
        if (IsInfoType(type))
        {
            EXPECT_EQ(ExpectedKind(type), InfoTypes::GetInfoValueKind(type)) << type;
            continue;
        }
        try
        {
            InfoTypes::GetInfoValueKind(type);
            ADD_FAILURE() << type << " has a kind";
        }
        catch (const ErrorException& error)
        {
            EXPECT_EQ(DIAG_GENERAL_ERROR, error.GetDiagState());
            EXPECT_EQ(orvik_wstring(u"InvalidGetInfoField"), error.GetMessageKey());
        }
    }
}

TEST(InfoTypesTest, NamesKeepTheOlderOfTwoNames)
{
    const struct
    {
        int32_t m_type;
        const char* m_name;
    } cases[] = {
        {0, "SQL_ACTIVE_CONNECTIONS"},
        {1, "SQL_ACTIVE_STATEMENTS"},
        {20, "SQL_ACCESSIBLE_PROCEDURES"},
        {32, "SQL_MAX_SCHEMA_NAME_LEN"},
        {34, "SQL_MAX_CATALOG_NAME_LEN"},
        {39, "SQL_OWNER_TERM"},
        {41, "SQL_CATALOG_NAME_SEPARATOR"},
        {42, "SQL_CATALOG_TERM"},
        {73, "SQL_INTEGRITY"},
        {91, "SQL_OWNER_USAGE"},
        {92, "SQL_CATALOG_USAGE"},
        {114, "SQL_CATALOG_LOCATION"},
        {173, "SQL_CONVERT_GUID"},
        {10000, "SQL_XOPEN_CLI_YEAR"},
        {10023, "SQL_ASYNC_DBC_FUNCTIONS"},
        {174, "Unknown InfoType"},
        {10010, "Unknown InfoType"},
    };
    for (const auto& test : cases)
    {
        EXPECT_STREQ(test.m_name, InfoTypes::GetName(test.m_type)) << test.m_type;
    }
}
