// Eight application threads, each with a connection of its own, running statements at once.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcStatement;
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

} // namespace
