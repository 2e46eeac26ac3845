// A connection over three servers while they go down and come back, through the test server's
// control port.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

using Pelta::Test::DiagRecord;
using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcStatement;
using Pelta::Test::ReadDiagnostics;
using Pelta::Test::TestServer;
using Pelta::Test::TestServerOptions;
using Pelta::Test::TextRow;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int RE_ENTRY_SECONDS = 2;
constexpr int TIMEOUT_SECONDS = 3;

/// The statements each listener has answered so far, from the control port's counters: one
/// flat object per listener, in listener order, before the totals.
std::vector<int> StatementCounts(TestServer& io_server)
{
    const std::string body = io_server.Control("GET", "/counters").body;
    const std::string listeners = body.substr(0, body.find("\"total\""));
    std::vector<int> counts;
    for (size_t open = listeners.find('{', 1); open != std::string::npos; open = listeners.find('{', open + 1))
    {
        const std::string object = listeners.substr(open, listeners.find('}', open) - open);
        const size_t key = object.find("\"statement\":");
        counts.push_back(key == std::string::npos ? 0 : std::atoi(object.c_str() + key + std::strlen("\"statement\":")));
    }
    return counts;
}

void SetListener(TestServer& io_server, int in_listener, const char* in_state)
{
    ASSERT_EQ(io_server.Control("POST", "/listeners/" + std::to_string(in_listener) + "/" + in_state, "{}").status, 200);
}

/// The rows of table lost_replies with in_id, read through the control port.
int CountRows(TestServer& io_server, int in_id)
{
    const std::string body = io_server.Control(
        "POST", "/sql", R"({"stmt":"select count(*) from lost_replies where id = )" + std::to_string(in_id) + "\"}").body;
    const size_t rows = body.find("\"rows\":[[");
    return rows == std::string::npos ? -1 : std::atoi(body.c_str() + rows + std::strlen("\"rows\":[["));
}

class FailoverEndToEndTest : public ::testing::Test
{
protected:
    FailoverEndToEndTest()
    {
        TestServerOptions options;
        options.listeners = 3;
        options.sampleData = true;
        m_server = std::make_unique<TestServer>(options);
        m_connection = std::make_unique<OdbcConnection>(EndToEndEnvironment::DriverConnectionString(
            m_server->Servers(), "Timeout=" + std::to_string(TIMEOUT_SECONDS)
                                     + ";ReEntryTime=" + std::to_string(RE_ENTRY_SECONDS)));
    }

    /// Runs the probe statement: SQL_SUCCESS with the right value, or the call's result and
    /// records.
    SQLRETURN RunStatement(std::vector<DiagRecord>* out_records = nullptr)
    {
        OdbcStatement statement = m_connection->NewStatement();
        const SQLRETURN result =
            SQLExecDirect(statement.Handle(), (SQLCHAR*)"select value from sample_integer where id = 2", SQL_NTS);
        if (result != SQL_SUCCESS)
        {
            if (out_records != nullptr)
            {
                *out_records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
            }
            return result;
        }
        EXPECT_EQ(statement.FetchAllAsText(), std::vector<TextRow>{{"-2147483648"}});
        return result;
    }

    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<OdbcConnection> m_connection;
};

TEST_F(FailoverEndToEndTest, StatementsGoAroundADeadServerAndBackToItWhenItReturns)
{
    // All three answer in turn.
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_EQ(RunStatement(), SQL_SUCCESS);
    }
    EXPECT_EQ(StatementCounts(*m_server), (std::vector<int>{1, 1, 1}));

    // One down: every statement still works, on the other two.
    SetListener(*m_server, 1, "down");
    for (int i = 0; i < 6; ++i)
    {
        ASSERT_EQ(RunStatement(), SQL_SUCCESS) << i;
    }
    std::vector<int> counts = StatementCounts(*m_server);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[0] + counts[2], 8);

    // All down: a clear error, well within the timeout.
    SetListener(*m_server, 0, "down");
    SetListener(*m_server, 2, "down");
    const Clock::time_point failedAt = Clock::now();
    std::vector<DiagRecord> records;
    EXPECT_EQ(RunStatement(&records), SQL_ERROR);
    EXPECT_LT(Clock::now() - failedAt, std::chrono::seconds(TIMEOUT_SECONDS));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].state, "HY000");
    EXPECT_NE(records[0].message.find("No server is available"), std::string::npos) << records[0].message;

    // One back: unused until its re-entry time has passed, then used again.
    SetListener(*m_server, 1, "up");
    if (Clock::now() - failedAt < std::chrono::milliseconds(RE_ENTRY_SECONDS * 1000 / 2))
    {
        EXPECT_EQ(RunStatement(), SQL_ERROR);
    }
    std::this_thread::sleep_until(failedAt + std::chrono::milliseconds(RE_ENTRY_SECONDS * 1000 + 500));
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_EQ(RunStatement(), SQL_SUCCESS) << i;
    }
    EXPECT_EQ(StatementCounts(*m_server)[1], 4);
}

TEST_F(FailoverEndToEndTest, AServerThatGoesDownBetweenItsCheckAndTheStatementLeavesTheStatementToTheNext)
{
    // The first server in rotation answers its liveness check, then refuses every connection.
    ASSERT_EQ(m_server->Control("POST", "/faults", R"({"listener":0,"method":"GET","down":true})").status, 200);
    ASSERT_EQ(RunStatement(), SQL_SUCCESS);
    EXPECT_EQ(StatementCounts(*m_server), (std::vector<int>{0, 1, 0}));

    // It is out of rotation: the next statements take turns on the other two.
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_EQ(RunStatement(), SQL_SUCCESS) << i;
    }
    EXPECT_EQ(StatementCounts(*m_server), (std::vector<int>{0, 2, 1}));
}

TEST_F(FailoverEndToEndTest, AStatementThatRanButLostItsReplyRunsOnceAndFailsWithACommunicationLinkFailure)
{
    const std::string lost = "The connection to the server failed after the statement was sent, so the server may "
                             "have run it: ";
    const struct
    {
        bool isPool;
        const char* fault;
        const char* reason;
    } cases[] = {
        // libcurl would send the statement again on a new connection.
        {true, R"({"method":"POST","stmt_regex":"^insert","close":"after"})", "Server returned nothing"},
        {false, R"({"method":"POST","stmt_regex":"^insert","close":"after"})", "Server returned nothing"},
        // The server restarts while it holds the statement: the new connection is refused.
        {true, R"({"method":"POST","stmt_regex":"^insert","close":"after","down":true})", "Couldn't connect to server"},
        {false, R"({"method":"POST","stmt_regex":"^insert","close":"after","down":true})", "Couldn't connect to server"},
    };
    OdbcConnection single(EndToEndEnvironment::DriverConnectionString(m_server->Address(0)));
    m_connection->NewStatement().Execute("create table lost_replies (id integer)");
    for (int id = 0; id < static_cast<int>(std::size(cases)); ++id)
    {
        const auto& c = cases[id];
        SCOPED_TRACE(std::string(c.isPool ? "pool: " : "one server: ") + c.fault);
        OdbcStatement statement = (c.isPool ? *m_connection : single).NewStatement();
        // The insert goes on the connection this statement leaves open.
        ASSERT_EQ(statement.Query("select 1"), std::vector<TextRow>{{"1"}});
        SQLFreeStmt(statement.Handle(), SQL_CLOSE);
        ASSERT_EQ(m_server->Control("POST", "/faults", c.fault).status, 200);
        const std::string insert = "insert into lost_replies values (" + std::to_string(id) + ")";
        EXPECT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)insert.c_str(), SQL_NTS), SQL_ERROR);
        for (int listener = 0; listener < 3; ++listener)
        {
            SetListener(*m_server, listener, "up");
        }
        EXPECT_EQ(CountRows(*m_server, id), 1);
        const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records[0].state, "08S01");
        EXPECT_NE(records[0].message.find(lost + c.reason), std::string::npos) << records[0].message;
    }
}

TEST_F(FailoverEndToEndTest, AConnectionTheServerClosedWhileIdleDoesNotFailTheNextStatement)
{
    OdbcConnection single(EndToEndEnvironment::DriverConnectionString(m_server->Address(0)));
    OdbcStatement statement = single.NewStatement();
    statement.Execute("create table lost_replies (id integer)");
    SetListener(*m_server, 0, "down");
    SetListener(*m_server, 0, "up");
    statement.Execute("insert into lost_replies values (7)");
    EXPECT_EQ(CountRows(*m_server, 7), 1);
}

TEST_F(FailoverEndToEndTest, AQueryTimeoutAlsoBoundsTheLivenessChecks)
{
    // Every server's liveness check hangs past both the query timeout and the Timeout setting.
    ASSERT_EQ(m_server->Control("POST", "/faults", R"({"method":"GET","delay":5,"times":3})").status, 200);
    OdbcStatement statement = m_connection->NewStatement();
    ASSERT_EQ(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0),
              SQL_SUCCESS);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select 4444", SQL_NTS), SQL_ERROR);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(4000));
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].state, "HYT00");
    EXPECT_NE(records[0].message.find("Timeout was reached"), std::string::npos) << records[0].message;

    // The server whose check ran out of the statement's time is not held against it: with the
    // faults gone, the same statement runs at once.
    ASSERT_EQ(m_server->Control("POST", "/faults/clear", "{}").status, 200);
    EXPECT_EQ(statement.Query("select 4444"), std::vector<TextRow>{{"4444"}});
    EXPECT_EQ(StatementCounts(*m_server), (std::vector<int>{1, 0, 0}));
}

} // namespace
