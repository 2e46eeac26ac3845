// Fetching and SQLGetData through the ODBC layer's statements over the real back end, against the
// test server: every column type of the sample tables into its default C type, SQL_C_CHAR and
// SQL_C_WCHAR; long text in pieces; rowsets bound column-wise and row-wise; the errors a cursor
// reports.

#include "Support/orvik_wstring.h"

#include "Unit/ODBC/Counted.h"
#include "Unit/ODBC/DiagnosticsTestSupport.h"
#include "Unit/Pelta/PeltaOdbcTest.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using Orvik::ODBC::Statement;
using Orvik::Testing::Counted;
using Orvik::Support::orvik_wstring;
using Pelta::Test::TestServerOptions;

namespace {

class PeltaCursorTest : public Pelta::Test::PeltaOdbcTest
{
protected:
    static void SetUpTestSuite()
    {
        TestServerOptions options;
        options.sampleData = true;
        StartServer(options);
    }

    PeltaCursorTest() { Connect(); }

    /// A statement that executed in_sql directly.
    Statement& Execute(const std::string& in_sql)
    {
        Statement& statement = NewStatement();
        std::u16string text = orvik_wstring(in_sql).GetAsWString();
        EXPECT_EQ("OK", Outcome(statement, statement.SQLExecDirectW(reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS)))
            << in_sql;
        return statement;
    }

    /// "OK", "INFO", "NO_DATA" or "ERROR", followed by the SQLSTATEs of the records.
    static std::string Outcome(Statement& io_statement, SQLRETURN in_result)
    {
        const std::string outcome = in_result == SQL_SUCCESS             ? "OK"
                                    : in_result == SQL_SUCCESS_WITH_INFO ? "INFO"
                                    : in_result == SQL_NO_DATA           ? "NO_DATA"
                                    : in_result == SQL_ERROR             ? "ERROR"
                                                                         : std::to_string(in_result);
        return outcome + Orvik::Testing::RecordStates(io_statement.GetDiagManager());
    }
};

/// The current row's value as SQLGetData gives it in C type in_cType, as text: "NULL", the text
/// of character data (wide text as UTF-8), numbers in decimal, timestamps in the ODBC form.
std::string GetValue(Statement& io_statement, SQLSMALLINT in_cType, SQLSMALLINT in_shownAs)
{
    alignas(8) char buffer[16384] = {};
    SQLLEN length = 0;
    const SQLRETURN result = Counted(io_statement)->SQLGetData(1, in_cType, buffer, sizeof(buffer), &length);
    in_cType = in_shownAs;
    if (result != SQL_SUCCESS)
    {
        return "returned " + std::to_string(result);
    }
    if (length == SQL_NULL_DATA)
    {
        return "NULL";
    }
    char text[64] = {};
    switch (in_cType)
    {
    case SQL_C_CHAR:
        return std::string(buffer, static_cast<size_t>(length));
    case SQL_C_WCHAR:
        return orvik_wstring(buffer, static_cast<int32_t>(length), Orvik::Support::ENC_UTF16_LE).GetAsUTF8();
    case SQL_C_STINYINT:
        return std::to_string(*reinterpret_cast<int8_t*>(buffer));
    case SQL_C_BIT:
        return std::to_string(*reinterpret_cast<uint8_t*>(buffer));
    case SQL_C_SSHORT:
        return std::to_string(*reinterpret_cast<int16_t*>(buffer));
    case SQL_C_SLONG:
        return std::to_string(*reinterpret_cast<int32_t*>(buffer));
    case SQL_C_SBIGINT:
        return std::to_string(*reinterpret_cast<int64_t*>(buffer));
    case SQL_C_FLOAT:
        std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(*reinterpret_cast<float*>(buffer)));
        return text;
    case SQL_C_DOUBLE:
        std::snprintf(text, sizeof(text), "%.17g", *reinterpret_cast<double*>(buffer));
        return text;
    case SQL_C_TYPE_TIMESTAMP:
    {
        const auto* value = reinterpret_cast<SQL_TIMESTAMP_STRUCT*>(buffer);
        std::snprintf(text, sizeof(text), "%04d-%02u-%02u %02u:%02u:%02u.%09u", value->year, value->month, value->day,
                      value->hour, value->minute, value->second, value->fraction);
        return text;
    }
    default:
        return "unexpected C type " + std::to_string(in_cType);
    }
}

/// The default C type of the back end's SQL types.
SQLSMALLINT DefaultCType(SQLLEN in_sqlType)
{
    switch (in_sqlType)
    {
    case SQL_TINYINT:
        return SQL_C_STINYINT;
    case SQL_BIT:
        return SQL_C_BIT;
    case SQL_DOUBLE:
        return SQL_C_DOUBLE;
    case SQL_REAL:
        return SQL_C_FLOAT;
    case SQL_SMALLINT:
        return SQL_C_SSHORT;
    case SQL_INTEGER:
        return SQL_C_SLONG;
    case SQL_BIGINT:
        return SQL_C_SBIGINT;
    case SQL_TYPE_TIMESTAMP:
        return SQL_C_TYPE_TIMESTAMP;
    default:
        return SQL_C_WCHAR;
    }
}

/// A long value as its first characters and its length.
std::string Shorten(const std::string& in_value)
{
    return in_value.size() > 40 ? in_value.substr(0, 3) + "...(" + std::to_string(in_value.size()) + ")" : in_value;
}

TEST_F(PeltaCursorTest, EveryColumnTypeComesInItsDefaultCTypeAndAsNarrowAndWideText)
{
    struct Case
    {
        const char* m_table;
        SQLLEN m_sqlType;
        const char* m_byDefault;
        const char* m_asText;
    };
    const Case cases[] = {
        {"byte", SQL_TINYINT, "127 | -128 | 0 | NULL", "127 | -128 | 0 | NULL"},
        {"boolean", SQL_BIT, "1 | 0 | NULL", "1 | 0 | NULL"},
        {"string", SQL_WVARCHAR, "abc |  | h\xC3\xA9llo | \xF0\x9F\x98\x80 | 007 | xxx...(5000) | NULL",
         "abc |  | h\xC3\xA9llo | \xF0\x9F\x98\x80 | 007 | xxx...(5000) | NULL"},
        {"ip", SQL_WVARCHAR, "127.0.0.1 | ::1 | NULL", "127.0.0.1 | ::1 | NULL"},
        {"double", SQL_DOUBLE, "3.1415926535897931 | 0 | 1e+308 | 42 | NULL", "3.14159265358979 | 0 | 1e+308 | 42 | NULL"},
        {"float", SQL_REAL, "1.5 | 3.40282347e+38 | NULL", "1.5 | 3.402823e+038 | NULL"},
        {"short", SQL_SMALLINT, "32767 | -32768 | NULL", "32767 | -32768 | NULL"},
        {"integer", SQL_INTEGER, "2147483647 | -2147483648 | NULL", "2147483647 | -2147483648 | NULL"},
        {"long", SQL_BIGINT, "9223372036854775807 | -9223372036854775808 | NULL",
         "9223372036854775807 | -9223372036854775808 | NULL"},
        {"timestamp", SQL_TYPE_TIMESTAMP,
         "1970-01-01 00:00:00.000000000 | 1970-01-01 00:00:01.500000000 | 1969-12-31 23:59:59.999000000 | "
         "1969-12-31 23:59:59.000000000 | 2000-02-29 00:00:00.000000000 | 3001-01-01 21:00:00.000000000 | "
         "1601-01-01 00:00:00.000000000 | NULL",
         "1970-01-01 00:00:00 | 1970-01-01 00:00:01.500000 | 1969-12-31 23:59:59.999000 | 1969-12-31 23:59:59 | "
         "2000-02-29 00:00:00 | 3001-01-01 21:00:00 | 1601-01-01 00:00:00 | NULL"},
        {"object", SQL_WVARCHAR, "{\"a\":1,\"b\":\"x\"} | {} | NULL", "{\"a\":1,\"b\":\"x\"} | {} | NULL"},
        {"geo_point", SQL_WVARCHAR, "[9.74,47.41] | NULL", "[9.74,47.41] | NULL"},
        {"array_string", SQL_WVARCHAR, "[\"a\",\"b\"] | [] | NULL", "[\"a\",\"b\"] | [] | NULL"},
        {"array_integer", SQL_WVARCHAR, "[1,2] | NULL", "[1,2] | NULL"},
        {"set", SQL_WVARCHAR, "[\"x\",\"y\"] | NULL", "[\"x\",\"y\"] | NULL"},
    };
    for (const Case& test : cases)
    {
        const std::string sql = std::string("select value from sample_") + test.m_table + " order by id";
        for (SQLSMALLINT cType : {SQL_C_DEFAULT, SQL_C_CHAR, SQL_C_WCHAR})
        {
            Statement& statement = Execute(sql);
            SQLLEN sqlType = 0;
            statement.SQLColAttributeW(1, SQL_DESC_CONCISE_TYPE, nullptr, 0, nullptr, &sqlType);
            EXPECT_EQ(test.m_sqlType, sqlType) << test.m_table;
            std::string values;
            while (Counted(statement)->SQLFetch() == SQL_SUCCESS)
            {
                const SQLSMALLINT shownAs = cType == SQL_C_DEFAULT ? DefaultCType(sqlType) : cType;
                values += (values.empty() ? "" : " | ") + Shorten(GetValue(statement, cType, shownAs));
            }
            EXPECT_EQ(cType == SQL_C_DEFAULT ? test.m_byDefault : test.m_asText, values) << test.m_table << " as " << cType;
        }
    }
}

/// SQLGetData of column 1 until it answers something else than success: each piece as
/// "<characters>/<length>" ("+" after a cut piece), then "NO_DATA" or the outcome.
std::string ReadPieces(Statement& io_statement, SQLSMALLINT in_cType, SQLLEN in_bufferLength)
{
    std::string transcript;
    for (int call = 0; call < 20; ++call)
    {
        std::vector<char> buffer(static_cast<size_t>(in_bufferLength) + 2, '\0');
        SQLLEN length = 0;
        const SQLRETURN result =
            Counted(io_statement)->SQLGetData(1, in_cType, buffer.data(), in_bufferLength, &length);
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO)
        {
            return transcript + (result == SQL_NO_DATA ? "NO_DATA" : "returned " + std::to_string(result));
        }
        const std::string text = in_cType == SQL_C_WCHAR
                                     ? orvik_wstring(reinterpret_cast<const char16_t*>(buffer.data())).GetAsUTF8()
                                     : std::string(buffer.data());
        transcript += Shorten(text) + "/" + std::to_string(length) + (result == SQL_SUCCESS_WITH_INFO ? "+ " : " ");
    }
    return transcript + "...";
}

TEST_F(PeltaCursorTest, LongAndWideTextComesInPiecesEndingWithNoData)
{
    struct Case
    {
        int64_t m_id;
        SQLSMALLINT m_cType;
        SQLLEN m_bufferLength;
        const char* m_transcript;
    };
    const Case cases[] = {
        {6, SQL_C_CHAR, 2001, "xxx...(2000)/-4+ xxx...(2000)/-4+ xxx...(1000)/1000 NO_DATA"},
        {6, SQL_C_WCHAR, 4002, "xxx...(2000)/-4+ xxx...(2000)/-4+ xxx...(1000)/2000 NO_DATA"},
        {3, SQL_C_CHAR, 4, "h\xC3\xA9/-4+ llo/3 NO_DATA"},
        {3, SQL_C_WCHAR, 6, "h\xC3\xA9/-4+ ll/-4+ o/2 NO_DATA"},
        {4, SQL_C_WCHAR, 6, "\xF0\x9F\x98\x80/4 NO_DATA"},
        {7, SQL_C_CHAR, 4, "NO_DATA"},
    };
    for (const Case& test : cases)
    {
        Statement& statement = Execute("select value from sample_string where id = " + std::to_string(test.m_id));
        ASSERT_EQ(SQL_SUCCESS, Counted(statement)->SQLFetch());
        if (test.m_id == 7)
        {
            // NULL comes once, to the indicator; then the column is read.
            SQLLEN indicator = 0;
            char buffer[4];
            EXPECT_EQ(SQL_SUCCESS, Counted(statement)->SQLGetData(1, SQL_C_CHAR, buffer, sizeof(buffer), &indicator));
            EXPECT_EQ(SQL_NULL_DATA, indicator);
        }
        EXPECT_EQ(test.m_transcript, ReadPieces(statement, test.m_cType, test.m_bufferLength)) << test.m_id;
    }
}

TEST_F(PeltaCursorTest, RowsetsAreBoundColumnWiseWithStatusesAndRowsFetched)
{
    Statement& statement = Execute("select value, id from sample_integer order by id");
    SQLUSMALLINT statuses[5] = {99, 99, 99, 99, 99};
    SQLULEN fetched = 0;
    int32_t values[5] = {};
    SQLLEN indicators[5] = {};
    int64_t ids[5] = {};
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(5), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_STATUS_PTR, statuses, 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    statement.SQLBindCol(1, SQL_C_SLONG, values, 0, indicators);
    statement.SQLBindCol(2, SQL_C_SBIGINT, ids, 0, nullptr);
    EXPECT_EQ("OK", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(3u, fetched);
    EXPECT_EQ((std::vector<SQLUSMALLINT>{0, 0, 0, 3, 3}), std::vector<SQLUSMALLINT>(statuses, statuses + 5));
    EXPECT_EQ(INT32_MAX, values[0]);
    EXPECT_EQ(INT32_MIN, values[1]);
    EXPECT_EQ(SQL_NULL_DATA, indicators[2]);
    EXPECT_EQ(3, ids[2]);
    SQLULEN rowNumber = 0;
    statement.SQLGetStmtAttrW(SQL_ATTR_ROW_NUMBER, &rowNumber, 0, nullptr);
    EXPECT_EQ(1u, rowNumber);
    EXPECT_EQ("NO_DATA", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(0u, fetched);
}

TEST_F(PeltaCursorTest, RowsetsAreBoundRowWiseAfterTheBindOffset)
{
    struct Row
    {
        char m_region[8];
        SQLLEN m_regionLength;
        int32_t m_orderId;
        double m_amount;
        SQLLEN m_amountLength;
    };
    Statement& statement = Execute("select region, order_id, amount from sample_orders order by region, order_id");
    Row rows[4] = {};
    SQLLEN offset = sizeof(Row);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(3), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(Row)), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_BIND_OFFSET_PTR, &offset, 0);
    statement.SQLBindCol(1, SQL_C_CHAR, rows[0].m_region, sizeof(rows[0].m_region), &rows[0].m_regionLength);
    statement.SQLBindCol(2, SQL_C_SLONG, &rows[0].m_orderId, 0, nullptr);
    statement.SQLBindCol(3, SQL_C_DOUBLE, &rows[0].m_amount, 0, &rows[0].m_amountLength);
    EXPECT_EQ("OK", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(std::string(), rows[0].m_region);
    EXPECT_EQ(0, rows[0].m_orderId);
    EXPECT_EQ("north", std::string(rows[1].m_region));
    EXPECT_EQ(5, rows[1].m_regionLength);
    EXPECT_EQ(2, rows[2].m_orderId);
    EXPECT_EQ(99.0, rows[2].m_amount);
    EXPECT_EQ("south", std::string(rows[3].m_region));
    EXPECT_EQ(5.25, rows[3].m_amount);
    EXPECT_EQ(8, rows[3].m_amountLength);
}

TEST_F(PeltaCursorTest, ValuesThatDoNotFitMarkTheirRows)
{
    Statement& statement = Execute("select value from sample_long order by id");
    SQLUSMALLINT statuses[3] = {};
    int32_t values[3] = {};
    SQLLEN indicators[3] = {};
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(3), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_STATUS_PTR, statuses, 0);
    statement.SQLBindCol(1, SQL_C_SLONG, values, 0, indicators);
    EXPECT_EQ("INFO 22003 22003", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ((std::vector<SQLUSMALLINT>{5, 5, 0}), std::vector<SQLUSMALLINT>(statuses, statuses + 3));
    EXPECT_EQ(SQL_NULL_DATA, indicators[2]);

    Statement& notNull = Execute("select value from sample_long where value is not null order by id");
    notNull.SQLSetStmtAttrW(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(3), 0);
    notNull.SQLBindCol(1, SQL_C_SLONG, values, 0, indicators);
    EXPECT_EQ("ERROR 22003 22003", Outcome(notNull, Counted(notNull)->SQLFetch()));
}

TEST_F(PeltaCursorTest, TheCursorRefusesWhatItCannotDo)
{
    Statement& statement = Execute("select id, value, id from sample_integer order by id");
    int32_t value = 0;
    SQLLEN indicator = 0;
    EXPECT_EQ("ERROR HY106", Outcome(statement, Counted(statement)->SQLFetchScroll(SQL_FETCH_PRIOR, 0)));
    Counted(statement)->SQLFetch();
    Counted(statement)->SQLFetch();
    Counted(statement)->SQLFetch();
    EXPECT_EQ("ERROR 22002", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_SLONG, &value, 0, nullptr)));
    EXPECT_EQ("OK", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_SLONG, &value, 0, &indicator)));
    EXPECT_EQ(SQL_NULL_DATA, indicator);
    EXPECT_EQ("ERROR 07009", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_SLONG, &value, 0, &indicator)));
    EXPECT_EQ("OK", Outcome(statement, Counted(statement)->SQLGetData(3, SQL_C_SLONG, &value, 0, nullptr)));
    EXPECT_EQ(3, value);
    SQLULEN rowNumber = 0;
    statement.SQLGetStmtAttrW(SQL_ATTR_ROW_NUMBER, &rowNumber, 0, nullptr);
    EXPECT_EQ(3u, rowNumber);

    Statement& rowsets = Execute("select value from sample_integer order by id");
    rowsets.SQLSetStmtAttrW(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(2), 0);
    Counted(rowsets)->SQLFetch();
    EXPECT_EQ("ERROR HY109", Outcome(rowsets, Counted(rowsets)->SQLGetData(1, SQL_C_SLONG, &value, 0, &indicator)));
}

} // namespace
