// Parameters through the ODBC layer over the real back end, against the test server: arrays
// sent as one bulk request with the statuses the server reports, every C type's value as the
// JSON value of its request, and data at execution, which the back end refuses, leaving the
// statement where it came from.

#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/States/StatementState.h"

#include "Unit/Pelta/PeltaOdbcTest.h"
#include "Unit/Pelta/PeltaTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstring>
#include <string>
#include <vector>

using Orvik::ODBC::Statement;
using Orvik::Support::orvik_wstring;

namespace {

class PeltaParameterTest : public Pelta::Test::PeltaOdbcTest
{
protected:
    static void SetUpTestSuite() { StartServer(); }

    PeltaParameterTest()
    {
        EXPECT_EQ(200, s_server->Control("POST", "/reset", "{\"data\":true}").status);
        Connect();
    }

    /// "<SQLSTATEs or the return code's name> S<state>", then " <message>" of the first record.
    static std::string Outcome(Statement& io_statement, SQLRETURN in_result)
    {
        std::string outcome = in_result == SQL_SUCCESS ? "OK"
            : in_result == SQL_NO_DATA                 ? "NO_DATA"
            : in_result == SQL_NEED_DATA               ? "NEED_DATA"
            : in_result == SQL_SUCCESS_WITH_INFO       ? "INFO"
                                                       : "";
        Orvik::ODBC::DiagManager& diagnostics = io_statement.GetDiagManager();
        SQLWCHAR message[512] = {};
        for (SQLSMALLINT number = 1; number <= diagnostics.GetRecordCount(); ++number)
        {
            SQLWCHAR state[6] = {};
            diagnostics.SQLGetDiagRec(number, state, nullptr, number == 1 ? message : nullptr, 512, nullptr);
            outcome += (outcome.empty() ? "" : " ") + Text(state);
        }
        outcome += " S" + std::to_string(io_statement.GetState().GetStateNumber());
        return message[0] != 0 ? outcome + " " + Text(message) : outcome;
    }

    static std::string Text(const SQLWCHAR* in_text)
    {
        return orvik_wstring(reinterpret_cast<const char16_t*>(in_text)).GetAsUTF8();
    }

    static SQLRETURN ExecDirect(Statement& io_statement, const std::string& in_text)
    {
        std::u16string text = orvik_wstring(in_text).GetAsWString();
        return io_statement.SQLExecDirectW(reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    }

    static SQLRETURN Prepare(Statement& io_statement, const std::string& in_text)
    {
        std::u16string text = orvik_wstring(in_text).GetAsWString();
        return io_statement.SQLPrepareW(reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    }

    /// The body of the last statement request the server logged.
    static std::string LastStatementBody()
    {
        std::string body;
        for (const Pelta::Test::LoggedRequest& request : Pelta::Test::ReadRequestLog(*s_server))
        {
            if (request.kind == "statement" || request.kind == "bulk")
            {
                body = request.kind + " " + request.body;
            }
        }
        return body;
    }
};

TEST_F(PeltaParameterTest, AnArrayIsOneBulkRequestAndItsStatusesAreTheServers)
{
    Statement& statement = NewStatement();
    ASSERT_EQ(SQL_SUCCESS, ExecDirect(statement, "create table t (id integer, name string)"));
    SQLINTEGER ids[4] = {1, 2, 3, 4};
    char names[4][8] = {"a", "b/c", "x", "d"};
    SQLLEN nameLengths[4] = {SQL_NTS, SQL_NTS, SQL_NTS, SQL_NTS};
    SQLUSMALLINT operations[4] = {SQL_PARAM_PROCEED, SQL_PARAM_PROCEED, SQL_PARAM_IGNORE, SQL_PARAM_PROCEED};
    SQLUSMALLINT statuses[4] = {};
    SQLULEN processed = 0;
    statement.SQLSetStmtAttrW(SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(4), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_PARAM_OPERATION_PTR, operations, 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_PARAM_STATUS_PTR, statuses, 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    statement.SQLBindParameter(1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, ids, 0, nullptr);
    statement.SQLBindParameter(2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 7, 0, names, sizeof(names[0]), nameLengths);

    EXPECT_EQ("OK S4", Outcome(statement, ExecDirect(statement, "insert into t values (?, ?)")));
    EXPECT_EQ("bulk {\"stmt\":\"insert into t values (?, ?)\", \"bulk_args\":[[1, \"a\"], [2, \"b\\/c\"], [4, \"d\"]]}",
              LastStatementBody());
    SQLLEN rows = 0;
    statement.SQLRowCount(&rows);
    EXPECT_EQ(3, rows);
    EXPECT_EQ((std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS, SQL_PARAM_UNUSED, SQL_PARAM_SUCCESS}),
              std::vector<SQLUSMALLINT>(statuses, statuses + 4));
    EXPECT_EQ(4u, processed);

    // The server fails the second set it is sent: that set is the application's second.
    Pelta::Test::AddFault(*s_server, "{\"stmt_regex\": \"insert\", \"bulk_fail\": [1]}");
    EXPECT_EQ("HY000 S1 [Pelta][Pelta] (7) 1 parameter set(s) failed on the server; the other sets affected 2 row(s).",
              Outcome(statement, ExecDirect(statement, "insert into t values (?, ?)")));
    EXPECT_EQ((std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_ERROR, SQL_PARAM_UNUSED, SQL_PARAM_SUCCESS}),
              std::vector<SQLUSMALLINT>(statuses, statuses + 4));
    EXPECT_EQ(3u, processed);

    // A single set goes as plain arguments; an update of no row has no data.
    statement.SQLSetStmtAttrW(SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    EXPECT_EQ("NO_DATA S4", Outcome(statement, ExecDirect(statement, "update t set name = ? where id = ?")));
    EXPECT_EQ("statement {\"stmt\":\"update t set name = ? where id = ?\", \"args\":[1, \"a\"]}", LastStatementBody());
}

TEST_F(PeltaParameterTest, EveryCTypeReachesTheServerAsItsJsonValue)
{
    SQL_TIMESTAMP_STRUCT timestamp = {1970, 1, 1, 0, 0, 1, 500000000};
    SQL_DATE_STRUCT date = {1970, 1, 2};
    // Without a scale set in the APD, a numeric structure is read at the parameter's scale.
    SQL_NUMERIC_STRUCT numeric = {5, 0, 1, {125}};
    const std::u16string wide = u"\u00e9\u00e8";
    struct Case
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        std::string m_bytes;
        SQLLEN m_length;
        const char* m_json;
        const char* m_outcome = "OK S5";
    };
    const auto bytesOf = [](const auto& in_value) {
        return std::string(reinterpret_cast<const char*>(&in_value), sizeof(in_value));
    };
    const Case cases[] = {
        {SQL_C_SLONG, SQL_INTEGER, bytesOf(SQLINTEGER{-42}), 0, "-42"},
        {SQL_C_ULONG, SQL_INTEGER, bytesOf(SQLUINTEGER{4000000000U}), 0, "4000000000"},
        {SQL_C_SSHORT, SQL_SMALLINT, bytesOf(SQLSMALLINT{-7}), 0, "-7"},
        {SQL_C_USHORT, SQL_SMALLINT, bytesOf(SQLUSMALLINT{60000}), 0, "60000"},
        {SQL_C_STINYINT, SQL_TINYINT, bytesOf(SQLSCHAR{-3}), 0, "-3"},
        {SQL_C_TINYINT, SQL_TINYINT, bytesOf(SQLSCHAR{-4}), 0, "-4"},
        {SQL_C_UTINYINT, SQL_TINYINT, bytesOf(SQLCHAR{200}), 0, "200"},
        {SQL_C_SBIGINT, SQL_BIGINT, bytesOf(SQLBIGINT{-9007199254740993LL}), 0, "-9007199254740993"},
        // The server's store holds no integer this large, but the request carries it.
        {SQL_C_UBIGINT, SQL_BIGINT, bytesOf(SQLUBIGINT{18446744073709551615ULL}), 0, "18446744073709551615", "42000 S1"},
        {SQL_C_DOUBLE, SQL_DOUBLE, bytesOf(1.5), 0, "1.5"},
        {SQL_C_FLOAT, SQL_REAL, bytesOf(0.25F), 0, "0.25"},
        {SQL_C_BIT, SQL_BIT, bytesOf(SQLCHAR{1}), 0, "true"},
        {SQL_C_CHAR, SQL_VARCHAR, "say \"hi\"", SQL_NTS, "\"say \\\"hi\\\"\""},
        {SQL_C_WCHAR, SQL_WVARCHAR, std::string(reinterpret_cast<const char*>(wide.c_str()), 6), SQL_NTS,
         "\"\xc3\xa9\xc3\xa8\""},
        {SQL_C_CHAR, SQL_INTEGER, "17", SQL_NTS, "17"},
        {SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, bytesOf(timestamp), 0, "1500"},
        {SQL_C_TYPE_DATE, SQL_TYPE_TIMESTAMP, bytesOf(date), 0, "86400000"},
        {SQL_C_NUMERIC, SQL_DOUBLE, bytesOf(numeric), 0, "125"},
        {SQL_C_SLONG, SQL_INTEGER, bytesOf(SQLINTEGER{1}), SQL_NULL_DATA, "null"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_json);
        Statement& statement = NewStatement();
        std::string value = c.m_bytes;
        SQLLEN length = c.m_length;
        statement.SQLBindParameter(1, SQL_PARAM_INPUT, c.m_cType, c.m_sqlType, 10, 1, &value[0],
                                   static_cast<SQLLEN>(value.size()), &length);
        const std::string outcome = Outcome(statement, ExecDirect(statement, "select ? as v"));
        EXPECT_EQ(c.m_outcome, outcome.substr(0, std::strlen(c.m_outcome)));
        EXPECT_EQ(std::string("statement {\"stmt\":\"select ? as v\", \"args\":[") + c.m_json + "]}",
                  LastStatementBody());
    }
}

TEST_F(PeltaParameterTest, DataAtExecutionIsRefusedAndTheStatementReturnsWhereItCameFrom)
{
    ASSERT_EQ(SQL_SUCCESS, ExecDirect(NewStatement(), "create table t (id integer, name string)"));
    const std::string refusal = " (27) PushParamData is not supported by the driver.";
    struct Case
    {
        bool m_isPrepared;
        const char* m_text;
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        std::string m_outcomes;
    };
    const Case cases[] = {
        // A number is pushed as it comes, text once it is complete.
        {false, "insert into t (id) values (?)", SQL_C_SLONG, SQL_INTEGER, "HY000 S1"},
        {true, "insert into t (id) values (?)", SQL_C_SLONG, SQL_INTEGER, "HY000 S2"},
        {true, "select * from t where id = ?", SQL_C_SLONG, SQL_INTEGER, "HY000 S3"},
        {false, "insert into t (name) values (?)", SQL_C_CHAR, SQL_VARCHAR, "OK S10|HY000 S1"},
        {true, "select * from t where name = ?", SQL_C_CHAR, SQL_VARCHAR, "OK S10|HY000 S3"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_text);
        Statement& statement = NewStatement();
        SQLLEN length = SQL_DATA_AT_EXEC;
        char token = 0;
        if (c.m_isPrepared)
        {
            ASSERT_EQ(SQL_SUCCESS, Prepare(statement, c.m_text));
        }
        statement.SQLBindParameter(1, SQL_PARAM_INPUT, c.m_cType, c.m_sqlType, 10, 0, &token, 0, &length);
        const SQLRETURN executed = c.m_isPrepared ? statement.SQLExecute() : ExecDirect(statement, c.m_text);
        ASSERT_EQ(SQL_NEED_DATA, executed);
        ASSERT_EQ(SQL_NEED_DATA, statement.SQLParamData(nullptr));
        SQLINTEGER number = 5;
        char text[] = "five";
        const SQLRETURN put = c.m_cType == SQL_C_SLONG ? statement.SQLPutData(&number, sizeof(number))
                                                       : statement.SQLPutData(text, SQL_NTS);
        std::string outcomes = Outcome(statement, put);
        if (put == SQL_SUCCESS)
        {
            outcomes += "|" + Outcome(statement, statement.SQLParamData(nullptr));
        }
        const size_t message = outcomes.find(" [Pelta]");
        ASSERT_NE(std::string::npos, message) << outcomes;
        EXPECT_EQ(refusal, outcomes.substr(outcomes.find(']', message + 8) + 1));
        EXPECT_EQ(c.m_outcomes, outcomes.substr(0, message));
        // Back where it came from, the statement runs with a bound value.
        length = sizeof(number);
        statement.SQLBindParameter(1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &number, 0, &length);
        const SQLRETURN again = c.m_isPrepared ? statement.SQLExecute() : ExecDirect(statement, c.m_text);
        EXPECT_TRUE(again == SQL_SUCCESS || again == SQL_NO_DATA) << Outcome(statement, again);
    }
}

} // namespace
