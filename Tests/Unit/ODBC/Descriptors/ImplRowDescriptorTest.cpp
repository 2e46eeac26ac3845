#include "DescriptorTestSupport.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;

namespace {

class ImplRowDescriptorTest : public DescriptorTest
{
protected:
    // Record 1's sizes: "octet/column length/length/precision/column precision/scale/display/unsigned".
    std::string Sizes()
    {
        std::string sizes;
        for (SQLSMALLINT field : {SQL_DESC_OCTET_LENGTH, SQL_COLUMN_LENGTH, SQL_DESC_LENGTH, SQL_DESC_PRECISION,
                                  SQL_COLUMN_PRECISION, SQL_DESC_SCALE, SQL_DESC_DISPLAY_SIZE, SQL_DESC_UNSIGNED})
        {
            sizes += (sizes.empty() ? "" : "/") + std::to_string(GetInteger(m_ird, 1, field));
        }
        return sizes;
    }

    // Attaches one column with the given attributes.
    void AttachColumn(void (*in_describe)(Orvik::DSI::DSIColumnMetadata&))
    {
        auto attributes = std::make_unique<Orvik::DSI::DSIColumnMetadata>();
        in_describe(*attributes);
        m_columns = std::make_unique<Orvik::DSI::DSIResultSetColumns>(true);
        m_columns->AddColumn(new Orvik::DSI::DSIColumn(
            SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_INTEGER, false, 0), std::move(attributes)));
        m_ird.SetColumns(m_columns.get());
    }
};

struct SizeCase
{
    const char* m_name;
    ColumnSpec m_column;
    const char* m_sizes;
};

const SizeCase SIZE_CASES[] = {
    {"wide text in UTF-32", {SQL_WVARCHAR, 20, [](SqlTypeMetadata& m) { m.SetEncoding(ENC_UTF32_LE); }}, "80/80/20/20/20/0/20/1"},
    {"wide text in UTF-16", {SQL_WCHAR, 5, [](SqlTypeMetadata& m) { m.SetEncoding(ENC_UTF16_LE); }}, "10/10/5/5/5/0/5/1"},
    {"text", {SQL_VARCHAR, 10}, "10/10/10/10/10/0/10/1"},
    {"binary", {SQL_VARBINARY, 16}, "16/16/16/16/16/0/32/1"},
    {"exact numeric", {SQL_DECIMAL, 0, [](SqlTypeMetadata& m) { m.SetPrecision(12); m.SetScale(3); }}, "14/14/12/12/12/3/14/0"},
    {"approximate numeric", {SQL_DOUBLE, 0}, "8/8/15/53/15/0/24/0"},
    {"signed integer", {SQL_INTEGER, 0}, "4/4/10/10/10/0/11/0"},
    {"unsigned integer", {SQL_INTEGER, 0, nullptr, true}, "4/4/10/10/10/0/10/1"},
    {"bit", {SQL_BIT, 0}, "1/1/1/1/1/0/1/1"},
    {"date", {SQL_TYPE_DATE, 0}, "6/6/10/10/10/0/10/1"},
    {"timestamp", {SQL_TYPE_TIMESTAMP, 0, [](SqlTypeMetadata& m) { m.SetPrecision(3); }}, "16/16/23/3/23/3/23/1"},
    {"interval", {SQL_INTERVAL_DAY_TO_SECOND, 0, [](SqlTypeMetadata& m) { m.SetLengthOrIntervalPrecision(5); }},
     "34/34/21/6/18/6/22/1"},
};

TEST_F(ImplRowDescriptorTest, SizesFollowTheColumnsTypeClass)
{
    for (const SizeCase& test : SIZE_CASES)
    {
        SCOPED_TRACE(test.m_name);
        AttachColumns({test.m_column});
        EXPECT_EQ(test.m_sizes, Sizes());
        // The types themselves.
        EXPECT_EQ(test.m_column.m_sqlType, GetInteger(m_ird, 1, SQL_DESC_CONCISE_TYPE));
        EXPECT_EQ(SqlTypeUtilities::GetVerboseType(test.m_column.m_sqlType), GetInteger(m_ird, 1, SQL_DESC_TYPE));
        EXPECT_EQ(SqlTypeUtilities::GetDatetimeIntervalCode(test.m_column.m_sqlType),
                  GetInteger(m_ird, 1, SQL_DESC_DATETIME_INTERVAL_CODE));
    }
}

TEST_F(ImplRowDescriptorTest, NamesAndFlagsComeFromTheColumnsAttributes)
{
    AttachColumn([](Orvik::DSI::DSIColumnMetadata& c) {
        c.m_label = u"Total";
        c.m_name = u"total";
        c.m_tableName = u"orders";
        c.m_schemaName = u"sales";
        c.m_catalogName = u"shop";
        c.m_isUnnamed = false;
        c.m_nullable = SQL_NULLABLE;
        c.m_searchable = SQL_PRED_BASIC;
        c.m_updatable = SQL_ATTR_READWRITE_UNKNOWN;
        c.m_isAutoUnique = true;
        c.m_isCaseSensitive = true;
    });
    EXPECT_EQ("Total", GetText(m_ird, 1, SQL_DESC_LABEL));
    EXPECT_EQ("total", GetText(m_ird, 1, SQL_DESC_NAME));
    EXPECT_EQ("total", GetText(m_ird, 1, SQL_DESC_BASE_COLUMN_NAME));
    EXPECT_EQ("orders", GetText(m_ird, 1, SQL_DESC_TABLE_NAME));
    EXPECT_EQ("orders", GetText(m_ird, 1, SQL_DESC_BASE_TABLE_NAME));
    EXPECT_EQ("sales", GetText(m_ird, 1, SQL_DESC_SCHEMA_NAME));
    EXPECT_EQ("shop", GetText(m_ird, 1, SQL_DESC_CATALOG_NAME));
    EXPECT_EQ("INTEGER", GetText(m_ird, 1, SQL_DESC_TYPE_NAME));
    EXPECT_EQ("SINTEGER", GetText(m_ird, 1, SQL_DESC_LOCAL_TYPE_NAME));
    EXPECT_EQ(SQL_NAMED, GetInteger(m_ird, 1, SQL_DESC_UNNAMED));
    EXPECT_EQ(SQL_NULLABLE, GetInteger(m_ird, 1, SQL_DESC_NULLABLE));
    EXPECT_EQ(SQL_PRED_BASIC, GetInteger(m_ird, 1, SQL_DESC_SEARCHABLE));
    EXPECT_EQ(SQL_ATTR_READWRITE_UNKNOWN, GetInteger(m_ird, 1, SQL_DESC_UPDATABLE));
    EXPECT_EQ(1, GetInteger(m_ird, 1, SQL_DESC_AUTO_UNIQUE_VALUE));
    EXPECT_EQ(1, GetInteger(m_ird, 1, SQL_DESC_CASE_SENSITIVE));
    EXPECT_EQ(10, GetInteger(m_ird, 1, SQL_DESC_NUM_PREC_RADIX));

    AttachColumn([](Orvik::DSI::DSIColumnMetadata& c) { c.m_name = u"hidden"; });
    EXPECT_EQ("", GetText(m_ird, 1, SQL_DESC_NAME));
    EXPECT_EQ("hidden", GetText(m_ird, 1, SQL_DESC_BASE_COLUMN_NAME));
    EXPECT_EQ("", GetText(m_ird, 1, SQL_DESC_LABEL));
    EXPECT_EQ(SQL_UNNAMED, GetInteger(m_ird, 1, SQL_DESC_UNNAMED));
    EXPECT_EQ(SQL_NULLABLE_UNKNOWN, GetInteger(m_ird, 1, SQL_DESC_NULLABLE));
}

TEST_F(ImplRowDescriptorTest, AttributeValuesOutsideODBCsAreGeneralErrors)
{
    struct OutOfRange
    {
        SQLSMALLINT m_field;
        void (*m_describe)(Orvik::DSI::DSIColumnMetadata&);
    };
    const OutOfRange cases[] = {
        {SQL_DESC_NULLABLE, [](Orvik::DSI::DSIColumnMetadata& c) { c.m_nullable = 5; }},
        {SQL_DESC_SEARCHABLE, [](Orvik::DSI::DSIColumnMetadata& c) { c.m_searchable = 4; }},
        {SQL_DESC_UPDATABLE, [](Orvik::DSI::DSIColumnMetadata& c) { c.m_updatable = -1; }},
    };
    for (const OutOfRange& test : cases)
    {
        SCOPED_TRACE(DescriptorFields::GetName(test.m_field));
        AttachColumn(test.m_describe);
        SQLSMALLINT value = 0;
        EXPECT_EQ("ERROR HY000 DescFieldValueNotSupported",
                  Outcome(m_ird, m_ird.SQLGetDescFieldW(1, test.m_field, &value, 0, nullptr)));
    }
    SQLWCHAR message[128] = {};
    SQLWCHAR state[6] = {};
    m_ird.GetDiagManager().SQLGetDiagRec(1, state, nullptr, message, 128, nullptr);
    EXPECT_EQ("en-US[1:DescFieldValueNotSupported] (SQL_DESC_UPDATABLE,-1)", Narrow(message));
}

TEST_F(ImplRowDescriptorTest, TheCountIsAFunctionSequenceErrorUntilAResultIsAttachedAndThenAlwaysANumber)
{
    SQLRETURN result = SQL_SUCCESS;
    GetInteger(m_ird, 0, SQL_DESC_COUNT, &result);
    EXPECT_EQ("ERROR HY010 StmtNotPrep", Outcome(m_ird, result));
    GetInteger(m_ird, 1, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("ERROR HY010 StmtNotPrep", Outcome(m_ird, result));
    EXPECT_FALSE(m_ird.HasRecord(1));

    // A statement that returned only a row count: zero columns, read as such.
    m_ird.SetColumns(nullptr);
    SQLSMALLINT count = -1;
    SQLINTEGER length = 0;
    EXPECT_EQ(SQL_SUCCESS, m_ird.SQLGetDescFieldW(0, SQL_DESC_COUNT, &count, 0, &length));
    EXPECT_EQ(0, count);
    EXPECT_EQ(2, length);
    GetInteger(m_ird, 1, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("NO_DATA", Outcome(m_ird, result));

    AttachColumns({{SQL_INTEGER, 0}, {SQL_VARCHAR, 4}});
    EXPECT_EQ(2, GetInteger(m_ird, 0, SQL_DESC_COUNT));
    EXPECT_TRUE(m_ird.HasRecord(2));
    EXPECT_FALSE(m_ird.HasRecord(3));
    GetInteger(m_ird, 3, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("NO_DATA", Outcome(m_ird, result));
}

TEST_F(ImplRowDescriptorTest, TheBookmarkColumnIsNotSupported)
{
    AttachColumns({{SQL_INTEGER, 0}});
    SQLRETURN result = SQL_SUCCESS;
    GetInteger(m_ird, 0, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("ERROR 07009 BookmarkColumnNotSupported", Outcome(m_ird, result));
    m_statement.m_isUsingBookmarks = true;
    GetInteger(m_ird, 0, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("ERROR HY000 BookmarkColumnNotSupported", Outcome(m_ird, result));
}

TEST_F(ImplRowDescriptorTest, OnlyTheTwoStatusPointersCanBeSet)
{
    AttachColumns({{SQL_INTEGER, 0}});
    SQLUSMALLINT statuses[4] = {};
    SQLULEN fetched = 0;
    EXPECT_EQ("OK", Outcome(m_ird, m_ird.SQLSetDescFieldW(0, SQL_DESC_ARRAY_STATUS_PTR, statuses, 0)));
    EXPECT_EQ("OK", Outcome(m_ird, m_ird.SQLSetDescFieldW(0, SQL_DESC_ROWS_PROCESSED_PTR, &fetched, 0)));
    SQLPOINTER pointer = nullptr;
    m_ird.SQLGetDescFieldW(0, SQL_DESC_ARRAY_STATUS_PTR, &pointer, 0, nullptr);
    EXPECT_EQ(statuses, pointer);
    EXPECT_EQ("ERROR HY016 CannotModImpRowDesc", Outcome(m_ird, SetInteger(m_ird, 0, SQL_DESC_COUNT, 0)));
    EXPECT_EQ("ERROR HY016 CannotModImpRowDesc",
              Outcome(m_ird, m_ird.SQLSetDescRec(1, SQL_INTEGER, 0, 4, 0, 0, nullptr, nullptr, nullptr)));
    EXPECT_EQ(1, GetInteger(m_ird, 0, SQL_DESC_COUNT));
    EXPECT_THROW(m_ird.DropRecord(1), ODBCInternalException);
}

TEST_F(ImplRowDescriptorTest, GetDescRecDescribesAColumn)
{
    AttachColumns({{SQL_DECIMAL, 0, [](SqlTypeMetadata& m) { m.SetPrecision(9); m.SetScale(2); }}});
    SQLWCHAR name[8] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT type = 0;
    SQLSMALLINT subType = -1;
    SQLLEN length = 0;
    SQLSMALLINT precision = 0;
    SQLSMALLINT scale = 0;
    SQLSMALLINT nullable = -1;
    ASSERT_EQ(SQL_SUCCESS,
              m_ird.SQLGetDescRecW(1, name, 8, &nameLength, &type, &subType, &length, &precision, &scale, &nullable));
    EXPECT_EQ("C", Narrow(name));
    EXPECT_EQ(1, nameLength);
    EXPECT_EQ(SQL_DECIMAL, type);
    EXPECT_EQ(0, subType);
    EXPECT_EQ(11, length);
    EXPECT_EQ(9, precision);
    EXPECT_EQ(2, scale);
    EXPECT_EQ(SQL_NO_NULLS, nullable);
}

} // namespace
