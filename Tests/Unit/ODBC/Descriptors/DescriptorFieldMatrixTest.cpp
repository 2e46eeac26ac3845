#include "DescriptorTestSupport.h"

#include "DSI/ILogger.h"
#include "ODBC/Descriptors/DescriptorFields.h"

#include "Unit/DSI/RecordingLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

// What the application may do with a field on one kind: "RW", "R", "W" or "-".
struct MatrixRow
{
    SQLSMALLINT m_field;
    const char* m_app; // ARD, APD and explicit descriptors
    const char* m_ipd;
    const char* m_ird;
};

SQLINTEGER g_target[8];

const MatrixRow MATRIX[] = {
    {SQL_DESC_ALLOC_TYPE, "R", "R", "R"},
    {SQL_DESC_ARRAY_SIZE, "RW", "-", "-"},
    {SQL_DESC_BIND_OFFSET_PTR, "RW", "-", "-"},
    {SQL_DESC_BIND_TYPE, "RW", "-", "-"},
    {SQL_DESC_ARRAY_STATUS_PTR, "RW", "RW", "RW"},
    {SQL_DESC_ROWS_PROCESSED_PTR, "-", "RW", "RW"},
    {SQL_DESC_COUNT, "RW", "RW", "R"},
    {SQL_DESC_TYPE, "RW", "RW", "R"},
    {SQL_DESC_CONCISE_TYPE, "RW", "RW", "R"},
    {SQL_DESC_DATETIME_INTERVAL_CODE, "RW", "RW", "R"},
    {SQL_DESC_DATETIME_INTERVAL_PRECISION, "RW", "RW", "R"},
    {SQL_DESC_LENGTH, "RW", "RW", "R"},
    {SQL_DESC_OCTET_LENGTH, "RW", "RW", "R"},
    {SQL_DESC_PRECISION, "RW", "RW", "R"},
    {SQL_DESC_SCALE, "RW", "RW", "R"},
    {SQL_DESC_NUM_PREC_RADIX, "R", "R", "R"},
    {SQL_DESC_DATA_PTR, "RW", "W", "-"},
    {SQL_DESC_OCTET_LENGTH_PTR, "RW", "-", "-"},
    {SQL_DESC_INDICATOR_PTR, "RW", "-", "-"},
    {SQL_DESC_NAME, "-", "RW", "R"},
    {SQL_DESC_UNNAMED, "-", "RW", "R"},
    {SQL_DESC_PARAMETER_TYPE, "-", "RW", "-"},
    {SQL_DESC_NULLABLE, "-", "R", "R"},
    {SQL_DESC_UNSIGNED, "-", "R", "R"},
    {SQL_DESC_FIXED_PREC_SCALE, "-", "R", "R"},
    {SQL_DESC_CASE_SENSITIVE, "-", "R", "R"},
    {SQL_DESC_TYPE_NAME, "-", "R", "R"},
    {SQL_DESC_LOCAL_TYPE_NAME, "-", "R", "R"},
    {SQL_COLUMN_LENGTH, "-", "-", "R"},
    {SQL_COLUMN_PRECISION, "-", "-", "R"},
    {SQL_COLUMN_SCALE, "-", "-", "R"},
    {SQL_DESC_DISPLAY_SIZE, "-", "-", "R"},
    {SQL_DESC_UPDATABLE, "-", "-", "R"},
    {SQL_DESC_AUTO_UNIQUE_VALUE, "-", "-", "R"},
    {SQL_DESC_SEARCHABLE, "-", "-", "R"},
    {SQL_DESC_TABLE_NAME, "-", "-", "R"},
    {SQL_DESC_SCHEMA_NAME, "-", "-", "R"},
    {SQL_DESC_CATALOG_NAME, "-", "-", "R"},
    {SQL_DESC_LABEL, "-", "-", "R"},
    {SQL_DESC_BASE_COLUMN_NAME, "-", "-", "R"},
    {SQL_DESC_BASE_TABLE_NAME, "-", "-", "R"},
    {SQL_DESC_LITERAL_PREFIX, "-", "-", "R"},
    {SQL_DESC_LITERAL_SUFFIX, "-", "-", "R"},
    {16385, "-", "-", "R"},
    {SQL_DESC_ROWVER, "-", "-", "-"},
    {SQL_DESC_MAXIMUM_SCALE, "-", "-", "-"},
    {SQL_DESC_MINIMUM_SCALE, "-", "-", "-"},
    {16386, "RW", "R", "R"},
    {16387, "-", "R", "R"},
    {9999, "-", "-", "-"},
};

// A value every kind that may set the field accepts.
SQLPOINTER WriteValue(SQLSMALLINT in_field)
{
    switch (in_field)
    {
    case SQL_DESC_ARRAY_STATUS_PTR:
    case SQL_DESC_BIND_OFFSET_PTR:
    case SQL_DESC_ROWS_PROCESSED_PTR:
    case SQL_DESC_DATA_PTR:
    case SQL_DESC_OCTET_LENGTH_PTR:
    case SQL_DESC_INDICATOR_PTR:
        return g_target;
    case SQL_DESC_NAME:
        return const_cast<char16_t*>(u"p");
    case SQL_DESC_TYPE:
    case SQL_DESC_CONCISE_TYPE:
        return reinterpret_cast<SQLPOINTER>(SQL_INTEGER); // SQL_C_LONG on application records
    case SQL_DESC_DATETIME_INTERVAL_CODE:
    case SQL_DESC_BIND_TYPE:
    case SQL_DESC_SCALE:
        return nullptr;
    default:
        return reinterpret_cast<SQLPOINTER>(1);
    }
}

std::string Expected(const char* in_access, bool in_isIrd)
{
    const std::string access = in_access;
    const std::string read = access.find('R') != std::string::npos ? "OK" : "ERROR HY091 InvalidDescFieldIdent";
    std::string write = "OK";
    if (access.find('W') == std::string::npos)
    {
        write = in_isIrd ? "ERROR HY016 CannotModImpRowDesc"
                         : (access == "R" ? "ERROR HY091 ReadOnlyDescField" : "ERROR HY091 InvalidDescFieldIdent");
    }
    return "read " + read + ", write " + write;
}

class DescriptorFieldMatrixTest : public DescriptorTest
{
protected:
    DescriptorFieldMatrixTest()
    {
        AttachColumns({{SQL_INTEGER, 0}});
        SetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE, SQL_C_SLONG);
        SetInteger(m_apd, 1, SQL_DESC_CONCISE_TYPE, SQL_C_SLONG);
        SetInteger(m_explicit, 1, SQL_DESC_CONCISE_TYPE, SQL_C_SLONG);
        SetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE, SQL_INTEGER);
    }

    std::string Actual(Descriptor& io_descriptor, SQLSMALLINT in_field)
    {
        const SQLSMALLINT record = DescriptorFields::IsHeader(in_field) ? 0 : 1;
        SQLWCHAR buffer[32] = {};
        const std::string read =
            Outcome(io_descriptor, io_descriptor.SQLGetDescFieldW(record, in_field, buffer, sizeof(buffer), nullptr));
        const SQLRETURN written = io_descriptor.SQLSetDescFieldW(record, in_field, WriteValue(in_field), SQL_NTS);
        return "read " + read + ", write " + Outcome(io_descriptor, written);
    }
};

TEST_F(DescriptorFieldMatrixTest, EachKindReadsAndSetsTheFieldsItServesAndRefusesTheOthers)
{
    for (const MatrixRow& row : MATRIX)
    {
        SCOPED_TRACE(DescriptorFields::GetName(row.m_field) + std::string(" (") + std::to_string(row.m_field) + ")");
        for (const char* kind : {"ARD", "APD", "EXPLICIT"})
        {
            EXPECT_EQ(Expected(row.m_app, false), Actual(Get(kind), row.m_field)) << kind;
        }
        EXPECT_EQ(Expected(row.m_ipd, false), Actual(m_ipd, row.m_field)) << "IPD";
        EXPECT_EQ(Expected(row.m_ird, true), Actual(m_ird, row.m_field)) << "IRD";
    }
}

TEST_F(DescriptorFieldMatrixTest, ValueTypesGiveTheWidthsWrittenAndOnlyTextFieldsAreStrings)
{
    struct WidthCase
    {
        SQLSMALLINT m_field;
        SQLINTEGER m_width; // -1: a text
    };
    const WidthCase cases[] = {
        {SQL_DESC_ALLOC_TYPE, 2},      {SQL_DESC_COUNT, 2},          {SQL_DESC_ROWS_PROCESSED_PTR, 8},
        {SQL_DESC_ARRAY_STATUS_PTR, 8}, {SQL_COLUMN_LENGTH, 8},       {SQL_COLUMN_PRECISION, 4},
        {SQL_COLUMN_SCALE, 2},          {SQL_DESC_DISPLAY_SIZE, 8},   {SQL_DESC_CASE_SENSITIVE, 4},
        {SQL_DESC_LENGTH, 8},           {SQL_DESC_OCTET_LENGTH, 8},   {SQL_DESC_NUM_PREC_RADIX, 4},
        {SQL_DESC_TYPE_NAME, -1},       {SQL_DESC_NAME, -1},          {16386, 4},
    };
    for (const WidthCase& test : cases)
    {
        SCOPED_TRACE(DescriptorFields::GetName(test.m_field));
        unsigned char buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), 0xAB);
        SQLINTEGER length = 0;
        const SQLSMALLINT record = DescriptorFields::IsHeader(test.m_field) ? 0 : 1;
        ASSERT_EQ(SQL_SUCCESS, m_ird.SQLGetDescFieldW(record, test.m_field, buffer, sizeof(buffer), &length));
        EXPECT_EQ(test.m_width < 0, Descriptor::IsStringField(test.m_field));
        if (test.m_width > 0)
        {
            EXPECT_EQ(test.m_width, length);
            EXPECT_EQ(0xAB, buffer[test.m_width]) << "written past the field's width";
        }
    }
}

TEST_F(DescriptorFieldMatrixTest, FieldIdentifiersAreLoggedByNameAboveWarningLevel)
{
    RecordingLog log;
    log.SetLogLevel(Orvik::DSI::LOG_INFO);
    AppDescriptor ard(21, true, nullptr, &m_messages, &log);
    SQLSMALLINT count = 0;
    ard.SQLGetDescFieldW(0, SQL_DESC_COUNT, &count, 0, nullptr);
    ard.SQLSetDescFieldW(0, SQL_DESC_MAXIMUM_SCALE, nullptr, 0);
    ard.SQLGetDescFieldW(1, 16385, &count, 0, nullptr);
    std::vector<std::string> infoLines;
    std::copy_if(log.m_entries.begin(), log.m_entries.end(), std::back_inserter(infoLines),
                 [](const std::string& in_line) { return in_line.rfind("INFO", 0) == 0; });
    EXPECT_EQ((std::vector<std::string>{
                  "INFO  Descriptor::SQLGetDescFieldW: FieldIdentifier: SQL_DESC_COUNT (1001)",
                  "INFO  Descriptor::SQLSetDescFieldW: FieldIdentifier: Unknown FieldIdentifier (30)",
                  "INFO  Descriptor::SQLGetDescFieldW: FieldIdentifier: SQL_DESC_DATA_SOURCE_TYPE (16385)",
              }),
              infoLines);

    log.m_entries.clear();
    log.SetLogLevel(Orvik::DSI::LOG_WARNING);
    ard.SQLGetDescFieldW(0, SQL_DESC_COUNT, &count, 0, nullptr);
    EXPECT_TRUE(log.m_entries.empty());
}

} // namespace
