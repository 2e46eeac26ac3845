#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class StatementCancelTest : public StatementTest
{
protected:
    /// Runs in_iterations executions that wait until cancelled on io_statement, each cancelled
    /// from a second thread once it runs; every outcome in out_outcomes.
    static void CancelRunningExecutions(Statement& io_statement, int in_iterations, std::vector<std::string>& out_outcomes)
    {
        for (int iteration = 0; iteration < in_iterations; ++iteration)
        {
            SQLRETURN executed = SQL_SUCCESS;
            std::atomic<bool> isRunning{false};
            std::thread runner([&] {
                isRunning = true;
                executed = ExecDirect(io_statement, u"select 1 1 block");
            });
            while (!isRunning || !io_statement.IsInCancelableCall())
            {
                std::this_thread::yield();
            }
            // Sometimes the cancel comes before the executor runs, sometimes while it waits.
            if (iteration % 3 == 0)
            {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            const SQLRETURN canceled = io_statement.SQLCancel();
            runner.join();
            out_outcomes.push_back(std::to_string(canceled) + " " + Outcome(io_statement, executed));
        }
    }
};

TEST_F(StatementCancelTest, CancelFromAnotherThreadStopsTheRunningExecution)
{
    constexpr int STATEMENTS = 3;
    constexpr int ITERATIONS = 40;
    std::vector<Statement*> statements;
    for (int i = 0; i < STATEMENTS; ++i)
    {
        statements.push_back(NewStatement());
    }
    // A data store that cannot cancel half of the time: the cancel is still accepted.
    FakeEngineLog::s_cancelThrows = true;
    std::vector<std::vector<std::string>> outcomes(STATEMENTS);
    std::vector<std::thread> drivers;
    for (int i = 0; i < STATEMENTS; ++i)
    {
        drivers.emplace_back([&, i] { CancelRunningExecutions(*statements[i], ITERATIONS, outcomes[i]); });
    }
    for (std::thread& driver : drivers)
    {
        driver.join();
    }
    for (const std::vector<std::string>& statementOutcomes : outcomes)
    {
        ASSERT_EQ(static_cast<size_t>(ITERATIONS), statementOutcomes.size());
        for (const std::string& outcome : statementOutcomes)
        {
            EXPECT_EQ("0 HY008 S1", outcome);
        }
    }
    EXPECT_FALSE(m_connection->HasOpenCursors());
    // Each statement still works.
    for (Statement* statement : statements)
    {
        EXPECT_EQ("OK S5", Outcome(*statement, ExecDirect(*statement, u"select 1 1")));
    }
}

} // namespace
