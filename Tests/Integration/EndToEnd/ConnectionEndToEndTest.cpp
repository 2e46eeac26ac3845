// Connecting through the Driver Manager by data source and by library path, the information
// values the application reads, and diagnostics as the application sees them.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using Pelta::Test::DiagRecord;
using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcError;
using Pelta::Test::OdbcStatement;
using Pelta::Test::ReadDiagnostics;
using Pelta::Test::TestServer;
using Pelta::Test::TextRow;

namespace {

TEST(ConnectionEndToEndTest, ConnectsByDataSourceAndByLibraryPath)
{
    // The completed connection string the driver writes back: the data source alone, or the
    // keys given, upper-cased.
    const std::pair<std::string, std::string> cases[] = {
        {EndToEndEnvironment::DataSourceConnectionString(), "DSN=PeltaE2E;"},
        {EndToEndEnvironment::DriverConnectionString(EndToEndEnvironment::Server().Address()),
         std::string("DRIVER=") + PELTA_LIBRARY + ";SERVERS=" + EndToEndEnvironment::Server().Address() + ";"},
    };
    for (const auto& connect : cases)
    {
        SCOPED_TRACE(connect.first);
        OdbcConnection connection(connect.first);
        EXPECT_EQ(connection.CompletedConnectionString(), connect.second);
        EXPECT_EQ(connection.NewStatement().Query("select value from sample_integer where id = 1"),
                  std::vector<TextRow>{{"2147483647"}});
    }
}

TEST(ConnectionEndToEndTest, MissingServerSettingIsRefused)
{
    try
    {
        OdbcConnection connection(std::string("DRIVER=") + PELTA_LIBRARY);
        FAIL() << "connected without servers";
    }
    catch (const OdbcError& e)
    {
        EXPECT_EQ(e.Result(), SQL_ERROR);
        ASSERT_FALSE(e.Records().empty());
        EXPECT_EQ(e.Records()[0].state, "08001") << e.what();
    }
}

TEST(ConnectionEndToEndTest, AFailedConnectionSaysWhichSettingOrServerFailedAndWhy)
{
    const std::string live = EndToEndEnvironment::Server().Address();
    const struct
    {
        std::string connectionString;
        const char* state;
        std::string message;
    } cases[] = {
        {EndToEndEnvironment::DriverConnectionString("127.0.0.1:1"), "08001",
         "None of the 1 configured server(s) answered. 127.0.0.1:1 failed with: [Pelta][Pelta] (1) The request to the "
         "server failed: Couldn't connect to server"},
        {EndToEndEnvironment::DriverConnectionString(live, "Timeout=abc"), "HY000",
         "The setting \"Timeout\" must be a whole number from 0 to 4294967295, not \"abc\"."},
        {EndToEndEnvironment::DriverConnectionString(live, "ReEntryTime=99999999999"), "HY000",
         "The setting \"ReEntryTime\" must be a whole number from 0 to 4294967295, not \"99999999999\"."},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.connectionString);
        try
        {
            OdbcConnection connection(c.connectionString);
            ADD_FAILURE() << "connected";
        }
        catch (const OdbcError& e)
        {
            ASSERT_FALSE(e.Records().empty());
            EXPECT_EQ(e.Records()[0].state, c.state);
            EXPECT_NE(e.Records()[0].message.find(c.message), std::string::npos) << e.Records()[0].message;
        }
    }

    // A probe answered by an HTTP layer in trouble rather than the server says so.
    ASSERT_EQ(EndToEndEnvironment::Server()
                  .Control("POST", "/faults", R"({"method":"GET","reply":{"status":503,"body":"Service Unavailable"}})")
                  .status,
              200);
    try
    {
        OdbcConnection connection(EndToEndEnvironment::DriverConnectionString(live));
        ADD_FAILURE() << "connected";
    }
    catch (const OdbcError& e)
    {
        ASSERT_FALSE(e.Records().empty());
        EXPECT_EQ(e.Records()[0].state, "08001");
        EXPECT_NE(e.Records()[0].message.find(live + " failed with: [Pelta][Pelta] (37) The server answered with HTTP status "
                                                      "503 and a reply that is not JSON: \"Service Unavailable\""),
                  std::string::npos)
            << e.Records()[0].message;
    }

    // A blank after the one server, as a connection string easily has, is no part of its name.
    OdbcConnection connection(EndToEndEnvironment::DriverConnectionString(live + " "));
    EXPECT_EQ(connection.NewStatement().Query("select value from sample_short where id = 1"), std::vector<TextRow>{{"32767"}});
}

TEST(ConnectionEndToEndTest, InformationValuesFromTheDriverAndTheServersProbe)
{
    OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString());
    EXPECT_EQ(connection.GetInfoText(SQL_DRIVER_ODBC_VER), "03.80");
    EXPECT_EQ(connection.GetInfoText(SQL_DBMS_NAME), "Pelta");
    EXPECT_EQ(connection.GetInfoText(SQL_DBMS_VER), EndToEndEnvironment::VERSION_NUMBER);
    EXPECT_EQ(connection.GetInfoText(SQL_SERVER_NAME), EndToEndEnvironment::CLUSTER_NAME);

    // The wide form of the same value, its length in bytes.
    SQLWCHAR wide[64] = {};
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLGetInfoW(connection.Handle(), SQL_SERVER_NAME, wide, sizeof wide, &length), SQL_SUCCESS);
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(2 * std::strlen(EndToEndEnvironment::CLUSTER_NAME)));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wide)), u"pelta-e2e-cluster-01");
}

TEST(ConnectionEndToEndTest, LongInformationValueIntoSmallAnsiBuffer)
{
    OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString());
    char value[4] = {'#', '#', '#', '#'};
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQLGetInfo(connection.Handle(), SQL_SERVER_NAME, value, sizeof value, &length), SQL_SUCCESS_WITH_INFO);
    EXPECT_STREQ(value, "pel");
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(std::strlen(EndToEndEnvironment::CLUSTER_NAME)));
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_DBC, connection.Handle());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().state, "01004");
}

class StatementDiagnosticsTest : public ::testing::Test
{
protected:
    OdbcConnection m_connection{EndToEndEnvironment::DataSourceConnectionString()};
};

TEST_F(StatementDiagnosticsTest, ServerErrorReachesTheApplicationWithItsStateAndText)
{
    OdbcStatement statement = m_connection.NewStatement();
    EXPECT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select * from no_such_table", SQL_NTS), SQL_ERROR);
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "42S02");
    // The back end's message file gives the text around the server's code and message.
    EXPECT_NE(records[0].message.find("The server reported error 4041: "), std::string::npos) << records[0].message;
    EXPECT_NE(records[0].message.find("no_such_table"), std::string::npos) << records[0].message;

    // The statement is usable again afterwards.
    EXPECT_EQ(statement.Query("select value from sample_short where id = 2"), std::vector<TextRow>{{"-32768"}});
}

TEST_F(StatementDiagnosticsTest, AMisbehavingServerGivesAnErrorThatSaysWhatWentWrong)
{
    // Each fault spoils the next reply to its statement; the error comes from the execution or
    // from the fetch, and the same statement then runs on as usual.
    const struct
    {
        const char* fault;
        const char* sql;
        const char* state;
        const char* message;
    } cases[] = {
        {R"({"stmt_regex":"9101","cut":true})", "select 9101", "08S01",
         "The connection to the server failed after the statement was sent, so the server may have run it: "
         "Transferred a partial file"},
        {R"({"stmt_regex":"9102","close":true})", "select 9102", "08S01",
         "The connection to the server failed after the statement was sent, so the server may have run it: "
         "Server returned nothing"},
        {R"({"stmt_regex":"9103","reply":{"status":502,"body":"<html>\r\n<b>Bad Gateway</b></html>"}})", "select 9103", "HY000",
         "The server answered with HTTP status 502 and a reply that is not JSON: \"<html>  <b>Bad Gateway</b></html>\""},
        {R"({"stmt_regex":"9104","reply":{"status":503,"body":""}})", "select 9104", "HY000",
         "The server answered with HTTP status 503 and a reply that is not JSON: \"\""},
        {R"({"stmt_regex":"9105","reply":{"status":200,"body":"<html></html>"}})", "select 9105", "HY000",
         "The server's reply is not one JSON value (JSON parse error 3)."},
        {R"({"stmt_regex":"9106","reply":{"status":200,"body":"{\"cols\":[\"a\",\"b\"],\"col_types\":[9,9],\"rows\":[[1,2],[3]],\"rowcount\":2}"}})",
         "select 9106", "HY000", "Row 2 of the server's reply has 1 value(s) for 2 column(s)."},
        {R"({"stmt_regex":"9107","reply":{"status":200,"body":"{\"cols\":[\"a\"],\"col_types\":[9],\"rows\":[[1,2]],\"rowcount\":1}"}})",
         "select 9107", "HY000", "Row 1 of the server's reply has 2 value(s) for 1 column(s)."},
        {R"({"stmt_regex":"9108","reply":{"status":200,"body":"{\"cols\":[\"a\"],\"col_types\":[9],\"rows\":[[1]],\"rowcount\":-1}"}})",
         "select 9108", "HY000", "The server's reply has a \"rowcount\" that is not a JSON integer from 0 to 2147483647."},
    };
    OdbcStatement statement = m_connection.NewStatement();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault);
        ASSERT_EQ(EndToEndEnvironment::Server().Control("POST", "/faults", c.fault).status, 200);
        try
        {
            statement.Query(c.sql);
            ADD_FAILURE() << "no error";
        }
        catch (const OdbcError& e)
        {
            ASSERT_FALSE(e.Records().empty()) << e.what();
            EXPECT_EQ(e.Records()[0].state, c.state);
            EXPECT_NE(e.Records()[0].message.find(c.message), std::string::npos) << e.Records()[0].message;
        }
        SQLFreeStmt(statement.Handle(), SQL_CLOSE);
        const std::string number = std::string(c.sql).substr(7);
        EXPECT_EQ(statement.Query(c.sql), std::vector<TextRow>{{number}});
    }

    // More columns than ODBC can number.
    std::string types;
    for (int i = 0; i < 32768; ++i)
    {
        types += i == 0 ? "\"byte\"" : ",\"byte\"";
    }
    ASSERT_EQ(EndToEndEnvironment::Server()
                  .Control("POST", "/canned", R"({"stmt":"select 9109","generate":{"rows":1,"types":[)" + types + "]}}")
                  .status,
              200);
    EXPECT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select 9109", SQL_NTS), SQL_ERROR);
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_FALSE(records.empty());
    EXPECT_NE(records[0].message.find("The server's reply has 32768 columns; an ODBC result holds at most 32767."),
              std::string::npos)
        << records[0].message;
    ASSERT_EQ(EndToEndEnvironment::Server().Control("POST", "/canned/clear", "{}").status, 200);
}

TEST_F(StatementDiagnosticsTest, ASelectReplyWithoutColumnNamesIsAResultWithoutColumns)
{
    const struct
    {
        const char* reply;
        SQLLEN rowCount;
    } cases[] = {
        {R"({\"rowcount\":0})", 0},
        {R"({\"rowcount\":0,\"rows\":[]})", 0},
        {R"({\"rowcount\":1,\"rows\":[[]]})", 1},
        {R"({\"rowcount\":2,\"rows\":[[],[]],\"col_types\":[]})", 2},
    };
    OdbcStatement statement = m_connection.NewStatement();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.reply);
        ASSERT_EQ(EndToEndEnvironment::Server()
                      .Control("POST", "/faults", std::string(R"({"stmt_regex":"9201","reply":{"body":")") + c.reply + "\"}}")
                      .status,
                  200);
        statement.Execute("select 9201");
        SQLSMALLINT columns = -1;
        statement.Check(SQLNumResultCols(statement.Handle(), &columns), "SQLNumResultCols");
        EXPECT_EQ(columns, 0);
        SQLLEN rowCount = -2;
        statement.Check(SQLRowCount(statement.Handle(), &rowCount), "SQLRowCount");
        EXPECT_EQ(rowCount, c.rowCount);
        // Its rows, of no values, are fetched like any others.
        SQLLEN fetched = 0;
        SQLRETURN result = SQL_SUCCESS;
        while ((result = SQLFetch(statement.Handle())) == SQL_SUCCESS)
        {
            ++fetched;
        }
        EXPECT_EQ(result, SQL_NO_DATA);
        EXPECT_EQ(fetched, c.rowCount);
        SQLFreeStmt(statement.Handle(), SQL_CLOSE);
    }
}

TEST_F(StatementDiagnosticsTest, AQueryTimeoutEndsAStatementThatGetsNoAnswerInTime)
{
    ASSERT_EQ(EndToEndEnvironment::Server()
                  .Control("POST", "/faults", R"({"method":"POST","stmt_regex":"4242","delay":10,"times":1})")
                  .status,
              200);
    OdbcStatement statement = m_connection.NewStatement();
    ASSERT_EQ(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0),
              SQL_SUCCESS);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select 4242", SQL_NTS), SQL_ERROR);
    // Well before the server would answer: the limit ended the wait, not the reply.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(8000));
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "HYT00");
    EXPECT_NE(records[0].message.find("Timeout was reached"), std::string::npos) << records[0].message;

    // The fault is spent: the same statement within its time limit.
    EXPECT_EQ(statement.Query("select 4242"), std::vector<TextRow>{{"4242"}});
}

TEST_F(StatementDiagnosticsTest, AQueryTimeoutAlsoEndsTheColumnProbeOfAPreparedStatement)
{
    // Both forms of the probe would get no answer in time.
    TestServer& server = EndToEndEnvironment::Server();
    ASSERT_EQ(server.Control("POST", "/faults/clear", "{}").status, 200);
    ASSERT_EQ(server.Control("POST", "/faults", R"({"method":"POST","stmt_regex":"4545.*limit 0","delay":4,"times":2})")
                  .status,
              200);
    OdbcStatement statement = m_connection.NewStatement();
    ASSERT_EQ(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0),
              SQL_SUCCESS);
    // The probe is only a description: without it the statement shows no columns until it runs.
    EXPECT_EQ(SQLPrepare(statement.Handle(), (SQLCHAR*)"select 4545", SQL_NTS), SQL_SUCCESS);
    // Only the first form was sent: the fault is left for one more.
    const std::string faults = server.Control("GET", "/faults").body;
    EXPECT_NE(faults.find("\"times_left\": 1"), std::string::npos) << faults;
    SQLSMALLINT columns = -1;
    EXPECT_EQ(SQLNumResultCols(statement.Handle(), &columns), SQL_SUCCESS);
    EXPECT_EQ(columns, 0);
    statement.Check(SQLExecute(statement.Handle()), "SQLExecute");
    EXPECT_EQ(statement.FetchAllAsText(), std::vector<TextRow>{{"4545"}});
}

TEST_F(StatementDiagnosticsTest, SQLCancelFromAnotherThreadEndsAStatementThatGetsNoAnswer)
{
    ASSERT_EQ(EndToEndEnvironment::Server()
                  .Control("POST", "/faults", R"({"method":"POST","stmt_regex":"4343","delay":10,"times":1})")
                  .status,
              200);
    OdbcStatement statement = m_connection.NewStatement();
    const auto start = std::chrono::steady_clock::now();
    // Repeated, since a cancel that comes before the request starts is forgotten; never after
    // the execution returned, since a cancel then clears its diagnostics.
    std::mutex lock;
    bool isDone = false;
    std::thread canceller([&] {
        for (;;)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::lock_guard<std::mutex> guard(lock);
            if (isDone)
            {
                return;
            }
            SQLCancel(statement.Handle());
        }
    });
    const SQLRETURN result = SQLExecDirect(statement.Handle(), (SQLCHAR*)"select 4343", SQL_NTS);
    {
        std::lock_guard<std::mutex> guard(lock);
        isDone = true;
    }
    canceller.join();
    EXPECT_EQ(result, SQL_ERROR);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].state, "HY008");
    EXPECT_NE(records[0].message.find("The request to the server was canceled."), std::string::npos)
        << records[0].message;

    EXPECT_EQ(statement.Query("select 4343"), std::vector<TextRow>{{"4343"}});
}

TEST_F(StatementDiagnosticsTest, MessageWithNegativeBufferLengthIsRefusedAndChangesNothing)
{
    OdbcStatement statement = m_connection.NewStatement();
    ASSERT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select * from no_such_table", SQL_NTS), SQL_ERROR);
    char message[256] = {};
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQLGetDiagField(SQL_HANDLE_STMT, statement.Handle(), 1, SQL_DIAG_MESSAGE_TEXT, message, -1, &length),
              SQL_ERROR);
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "42S02");
    // With room, the same field reads whole.
    EXPECT_EQ(SQLGetDiagField(SQL_HANDLE_STMT, statement.Handle(), 1, SQL_DIAG_MESSAGE_TEXT, message, sizeof message,
                              &length),
              SQL_SUCCESS);
    EXPECT_EQ(std::string(message), records[0].message);
}

/// UTF-16 text up to its terminator as UTF-8, to compare what the wide forms read.
std::string Utf8(const std::vector<SQLWCHAR>& in_text)
{
    std::string text;
    for (size_t i = 0; i < in_text.size() && in_text[i] != 0; ++i)
    {
        uint32_t code = in_text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < in_text.size())
        {
            code = 0x10000 + ((code - 0xD800) << 10) + (in_text[++i] - 0xDC00);
        }
        const int trailing = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        const uint8_t leads[] = {0x00, 0xC0, 0xE0, 0xF0};
        text += static_cast<char>(leads[trailing] | (code >> (6 * trailing)));
        for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6)
        {
            text += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
        }
    }
    return text;
}

TEST_F(StatementDiagnosticsTest, AServerMessageTooLongForOdbcIsCutSoThatEveryFormReadsItWhole)
{
    // 40,000 characters (UTF-16 units) of one to four UTF-8 bytes each: longer than any length ODBC
    // reports, in every form.
    std::string message = "start";
    size_t units = message.size();
    while (units < 40000)
    {
        message += "a\u00e9\u20ac\U0001F600";
        units += 5;
    }
    const std::string fault = R"({"stmt_regex":"9301","error":{"code":4000,"status":400,"message":")" + message + "\"}}";
    const std::string start = "The server reported error 4000: starta\u00e9\u20ac\U0001F600";

    // Each form reads record 1: first with a small buffer for the length, then with one of that
    // length and a terminator.
    struct Read
    {
        SQLRETURN result;
        std::string text;
    };
    struct Form
    {
        const char* name;
        OdbcConnection::Application application;
        std::function<Read(SQLHSTMT)> read;
    };
    const Form forms[] = {
        {"SQLGetDiagRec", OdbcConnection::Application::ANSI_APPLICATION,
         [](SQLHSTMT in_statement) {
             SQLCHAR small[16];
             SQLSMALLINT length = 0;
             SQLGetDiagRec(SQL_HANDLE_STMT, in_statement, 1, nullptr, nullptr, small, sizeof small, &length);
             std::vector<SQLCHAR> text(length + 1);
             const SQLRETURN result =
                 SQLGetDiagRec(SQL_HANDLE_STMT, in_statement, 1, nullptr, nullptr, text.data(), length + 1, &length);
             return Read{result, reinterpret_cast<char*>(text.data())};
         }},
        {"SQLGetDiagField", OdbcConnection::Application::ANSI_APPLICATION,
         [](SQLHSTMT in_statement) {
             SQLCHAR small[16];
             SQLSMALLINT length = 0;
             SQLGetDiagField(SQL_HANDLE_STMT, in_statement, 1, SQL_DIAG_MESSAGE_TEXT, small, sizeof small, &length);
             std::vector<SQLCHAR> text(length + 1);
             const SQLRETURN result = SQLGetDiagField(SQL_HANDLE_STMT, in_statement, 1, SQL_DIAG_MESSAGE_TEXT,
                                                      text.data(), length + 1, &length);
             return Read{result, reinterpret_cast<char*>(text.data())};
         }},
        {"SQLGetDiagRecW", OdbcConnection::Application::UNICODE_APPLICATION,
         [](SQLHSTMT in_statement) {
             SQLWCHAR small[16];
             SQLSMALLINT length = 0;
             SQLGetDiagRecW(SQL_HANDLE_STMT, in_statement, 1, nullptr, nullptr, small, 16, &length);
             std::vector<SQLWCHAR> text(length + 1);
             const SQLRETURN result =
                 SQLGetDiagRecW(SQL_HANDLE_STMT, in_statement, 1, nullptr, nullptr, text.data(), length + 1, &length);
             return Read{result, Utf8(text)};
         }},
        {"SQLGetDiagFieldW", OdbcConnection::Application::UNICODE_APPLICATION,
         [](SQLHSTMT in_statement) {
             SQLWCHAR small[16];
             SQLSMALLINT bytes = 0;
             SQLGetDiagFieldW(SQL_HANDLE_STMT, in_statement, 1, SQL_DIAG_MESSAGE_TEXT, small, sizeof small, &bytes);
             std::vector<SQLWCHAR> text(bytes / sizeof(SQLWCHAR) + 1);
             const SQLRETURN result = SQLGetDiagFieldW(SQL_HANDLE_STMT, in_statement, 1, SQL_DIAG_MESSAGE_TEXT,
                                                       text.data(), bytes + sizeof(SQLWCHAR), &bytes);
             return Read{result, Utf8(text)};
         }},
    };
    for (const Form& form : forms)
    {
        SCOPED_TRACE(form.name);
        OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString(), form.application);
        OdbcStatement statement = connection.NewStatement();
        ASSERT_EQ(EndToEndEnvironment::Server().Control("POST", "/faults", fault).status, 200);
        ASSERT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select 9301", SQL_NTS), SQL_ERROR);
        const Read read = form.read(statement.Handle());
        EXPECT_EQ(read.result, SQL_SUCCESS);
        // The driver's prefix and the server's text, cut with a mark that says how long it was.
        EXPECT_EQ(read.text.rfind("[Pelta][Pelta] (4) " + start, 0), 0u) << read.text.substr(0, 200);
        const std::string mark = "... (message cut from 40051 characters)";
        ASSERT_GE(read.text.size(), mark.size());
        EXPECT_EQ(read.text.substr(read.text.size() - mark.size()), mark);
        EXPECT_EQ(ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle()).at(0).state, "42000");
    }
}

TEST_F(StatementDiagnosticsTest, FreeStmtWithDropFreesTheStatement)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_STMT, m_connection.Handle(), &statement), SQL_SUCCESS);
    ASSERT_EQ(SQLExecDirect(statement, (SQLCHAR*)"select id from sample_byte", SQL_NTS), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeStmt(statement, SQL_DROP), SQL_SUCCESS);
    // Another statement on the same connection works on.
    EXPECT_EQ(m_connection.NewStatement().Query("select count(*) from sample_byte"), std::vector<TextRow>{{"4"}});
}

TEST_F(StatementDiagnosticsTest, CancelHandleOnAnEnvironmentIsRefused)
{
    // unixODBC refuses the handle type before the driver sees it; the driver's own answer,
    // SQL_ERROR without a record, is checked on its exports directly.
    EXPECT_EQ(SQLCancelHandle(SQL_HANDLE_ENV, m_connection.Environment()), SQL_INVALID_HANDLE);
    EXPECT_TRUE(ReadDiagnostics(SQL_HANDLE_ENV, m_connection.Environment()).empty());
    // A statement handle is cancelled as SQLCancel does.
    OdbcStatement statement = m_connection.NewStatement();
    EXPECT_EQ(SQLCancelHandle(SQL_HANDLE_STMT, statement.Handle()), SQL_SUCCESS);
}

} // namespace
