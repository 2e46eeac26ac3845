// Eight application threads, each with a connection of its own, running statements at once; a
// statement and its connection freed or disconnected while another thread runs on them; two
// threads calling on one statement, each told its own warnings only.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

using Pelta::Test::DiagRecord;
using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcStatement;
using Pelta::Test::ReadDiagnostics;
using Pelta::Test::TestServer;
using Pelta::Test::TextRow;

namespace {

constexpr int THREADS = 8;
constexpr int ROUNDS = 10;

/// One thread's work: its own table written and read back, and shared tables read, every
/// result checked. Returns what went wrong, or nothing.
std::string RunThread(int in_thread)
{
    try
    {
        OdbcConnection connection(EndToEndEnvironment::DriverConnectionString(EndToEndEnvironment::Server().Address()));
        OdbcStatement statement = connection.NewStatement();
        const std::string table = "e2e_thread_" + std::to_string(in_thread);
        statement.Execute("drop table if exists " + table);
        statement.Execute("create table " + table + " (n integer, label string)");
        int64_t sum = 0;
        for (int round = 0; round < ROUNDS; ++round)
        {
            const int value = in_thread * 1000 + round;
            sum += value;
            statement.Execute("insert into " + table + " values (" + std::to_string(value) + ", 'r"
                              + std::to_string(round) + "')");
            SQLLEN count = 0;
            statement.Check(SQLRowCount(statement.Handle(), &count), "SQLRowCount");
            if (count != 1)
            {
                return "insert counted " + std::to_string(count);
            }
            const std::vector<TextRow> totals = statement.Query("select count(*), sum(n) from " + table);
            const std::vector<TextRow> expected = {{std::to_string(round + 1), std::to_string(sum)}};
            if (totals != expected)
            {
                return "totals after round " + std::to_string(round) + " were " + totals.at(0).at(0).value_or("null")
                       + ", " + totals.at(0).at(1).value_or("null");
            }
            if (statement.Query("select value from sample_long where id = 1")
                != std::vector<TextRow>{{"9223372036854775807"}})
            {
                return "shared table read wrong";
            }
        }
        statement.Execute("drop table " + table);
        return std::string();
    }
    catch (const std::exception& e)
    {
        return e.what();
    }
}

TEST(ThreadsEndToEndTest, EightConnectionsRunStatementsAtOnce)
{
    std::vector<std::string> failures(THREADS);
    std::vector<std::thread> threads;
    for (int i = 0; i < THREADS; ++i)
    {
        threads.emplace_back([i, &failures] { failures[i] = RunThread(i); });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    for (int i = 0; i < THREADS; ++i)
    {
        EXPECT_EQ(failures[i], "") << "thread " << i;
    }
}

/// Holds the reply to the next statement that in_regex matches, and returns a function that
/// returns once the server has received that statement. The fault is the only one, so that it is
/// seen taken when the server lists it with no times left.
std::function<void()> HoldNextReply(const std::string& in_regex)
{
    TestServer& server = EndToEndEnvironment::Server();
    EXPECT_EQ(server.Control("POST", "/faults/clear", "{}").status, 200);
    EXPECT_EQ(server.Control("POST", "/faults", R"({"method":"POST","stmt_regex":")" + in_regex + R"(","delay":5})").status,
              200);
    return [&server] {
        while (server.Control("GET", "/faults").body.find("\"times_left\": 0") == std::string::npos)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
}

TEST(ThreadsEndToEndTest, AStatementIsNeitherFreedNorDisconnectedWhileAnotherThreadExecutesIt)
{
    // The server holds the reply, so that the execution is still waiting for it.
    const std::function<void()> waitForRequest = HoldNextReply("7171");
    OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString());
    SQLHSTMT statement = SQL_NULL_HSTMT;
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_STMT, connection.Handle(), &statement), SQL_SUCCESS);
    SQLRETURN executed = SQL_ERROR;
    std::thread executor([&] { executed = SQLExecDirect(statement, (SQLCHAR*)"select 7171", SQL_NTS); });
    waitForRequest();

    const SQLRETURN freed = SQLFreeHandle(SQL_HANDLE_STMT, statement);
    const SQLRETURN disconnected = SQLDisconnect(connection.Handle());
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_DBC, connection.Handle());
    executor.join();
    EXPECT_EQ(freed, SQL_ERROR);
    EXPECT_EQ(disconnected, SQL_ERROR);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].state, "HY010");

    // The execution ends as usual, and the statement is still there to fetch from and to free.
    ASSERT_EQ(executed, SQL_SUCCESS);
    EXPECT_EQ(SQLFetch(statement), SQL_SUCCESS) << ReadDiagnostics(SQL_HANDLE_STMT, statement).at(0).message;
    EXPECT_EQ(SQLFreeHandle(SQL_HANDLE_STMT, statement), SQL_SUCCESS);
}

// Thread A asks for a column's name in a buffer of 2 bytes, which cuts the name "c0" with the
// warning 01004, while thread B fetches and reads the same statement's rows: A's warning is A's
// alone, and none of B's calls reports it.
TEST(ThreadsEndToEndTest, AnAnsiCallsTruncationNeverReachesAFetchOnAnotherThread)
{
    constexpr int ROWS = 5000;
    TestServer& server = EndToEndEnvironment::Server();
    const std::string canned =
        R"({"stmt":"select 7301","generate":{"rows":)" + std::to_string(ROWS) + R"(,"types":["integer"]}})";
    ASSERT_EQ(server.Control("POST", "/canned", canned).status, 200);
    OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString());
    OdbcStatement statement = connection.NewStatement();
    statement.Execute("select 7301");
    std::atomic<bool> isDone{false};
    std::map<SQLRETURN, int> described;
    std::thread describer([&] {
        do
        {
            SQLCHAR name[2] = {};
            SQLSMALLINT length = 0;
            SQLSMALLINT type = 0;
            ++described[SQLDescribeCol(statement.Handle(), 1, name, sizeof(name), &length, &type, nullptr, nullptr,
                                       nullptr)];
        } while (!isDone);
    });
    std::map<SQLRETURN, int> fetched;
    for (int row = 0; row < ROWS; ++row)
    {
        SQLINTEGER value = 0;
        SQLLEN indicator = 0;
        ++fetched[SQLFetch(statement.Handle())];
        ++fetched[SQLGetData(statement.Handle(), 1, SQL_C_SLONG, &value, 0, &indicator)];
    }
    isDone = true;
    describer.join();
    EXPECT_EQ(fetched, (std::map<SQLRETURN, int>{{SQL_SUCCESS, 2 * ROWS}}));
    EXPECT_EQ(described.size(), 1u);
    EXPECT_EQ(described.begin()->first, SQL_SUCCESS_WITH_INFO);
    ASSERT_EQ(server.Control("POST", "/canned/clear", "{}").status, 200);
}

} // namespace
