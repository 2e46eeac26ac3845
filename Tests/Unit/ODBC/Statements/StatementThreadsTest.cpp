// Calls on one statement from several threads: each call reports its own diagnostics only, and a
// free on one thread while others call is refused or leaves them no handle, never a destroyed
// statement. Run under ThreadSanitizer by "scripts/test --tsan".

#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include "ODBC/Descriptors/ExplicitAppDescriptor.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"
#include "ODBC/Dispatch/CInterface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

constexpr int FETCHES = 4000;

class StatementThreadsTest : public StatementTest
{
public:
    /// The return codes of in_call, repeated on its own thread until in_isDone, each counted.
    static std::thread Repeat(std::function<SQLRETURN()> in_call,
                              const std::atomic<bool>& in_isDone,
                              std::map<SQLRETURN, int>& out_results)
    {
        return std::thread([in_call, &in_isDone, &out_results] {
            do
            {
                ++out_results[in_call()];
            } while (!in_isDone);
        });
    }

    /// One call that comes in by the statement's value, as the dispatcher makes it: the
    /// statement found and counted in one step, then fetched from and read, or
    /// SQL_INVALID_HANDLE once its free has begun.
    SQLRETURN FetchByHandle(HandleValue in_handle)
    {
        const HandleEntry entry = m_driver.EnterStatement(in_handle);
        if (!entry)
        {
            return SQL_INVALID_HANDLE;
        }
        Statement& statement = *static_cast<Statement*>(entry.GetObject());
        int32_t value = 0;
        SQLLEN indicator = 0;
        const SQLRETURN fetched = statement.SQLFetch();
        return fetched == SQL_SUCCESS ? statement.SQLGetData(1, SQL_C_SLONG, &value, 0, &indicator) : fetched;
    }

    /// "OK" for success, else the return code and the SQLSTATEs of io_handle's records.
    template <typename Handle>
    static std::string FreeOutcome(SQLRETURN in_result, Handle& io_handle)
    {
        return in_result == SQL_SUCCESS ? "OK" : Orvik::Testing::Outcome(in_result, io_handle.GetDiagManager());
    }

    /// A descriptor call that comes in by the descriptor's value.
    SQLRETURN ReadCountByHandle(HandleValue in_handle)
    {
        const HandleEntry entry = m_driver.EnterDescriptor(in_handle);
        if (!entry)
        {
            return SQL_INVALID_HANDLE;
        }
        SQLSMALLINT count = 0;
        return static_cast<Descriptor*>(entry.GetObject())->SQLGetDescFieldW(0, SQL_DESC_COUNT, &count, 0, nullptr);
    }
};

TEST_F(StatementThreadsTest, AnAnsiCallsTruncationNeverReachesAFetchOnAnotherThread)
{
    Statement& statement = *NewStatement();
    ASSERT_EQ("OK S5", Outcome(statement, ExecDirect(statement, u"select 1000000 1")));
    std::atomic<bool> isDone{false};
    std::map<SQLRETURN, int> described;
    // The column's name "C1" does not fit a buffer of 2 bytes: every call warns 01004.
    std::thread describer = Repeat(
        [&] {
            SQLCHAR name[2] = {};
            SQLSMALLINT length = 0;
            SQLSMALLINT type = 0;
            const SQLDescribeColArgs args{1, name, sizeof(name), &length, &type, nullptr, nullptr, nullptr};
            return CInterface::CallSQLDescribeCol(statement, args);
        },
        isDone, described);
    std::map<SQLRETURN, int> fetched;
    for (int fetch = 0; fetch < FETCHES; ++fetch)
    {
        int32_t value = 0;
        SQLLEN indicator = 0;
        ++fetched[Counted(statement)->SQLFetch()];
        ++fetched[Counted(statement)->SQLGetData(1, SQL_C_SLONG, &value, 0, &indicator)];
    }
    isDone = true;
    describer.join();
    EXPECT_EQ((std::map<SQLRETURN, int>{{SQL_SUCCESS, 2 * FETCHES}}), fetched);
    EXPECT_EQ(1u, described.size());
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, described.begin()->first);
}

// Each row frees something while another thread calls on its handles by their values. The free is
// refused (HY010) while a call runs and goes ahead once none does; the calls then find no handle.
TEST_F(StatementThreadsTest, AFreeWhileOtherThreadsCallIsRefusedOrLeavesThemNoHandle)
{
    /// The values of a statement, its row descriptor, an explicit descriptor and their connection.
    struct Handles
    {
        HandleValue m_statement;
        HandleValue m_rowDescriptor;
        HandleValue m_descriptor;
        HandleValue m_connection;
    };
    struct Case
    {
        const char* m_name;
        /// A call by value.
        SQLRETURN (*m_call)(StatementThreadsTest& io_test, const Handles& in_handles);
        /// The free's outcome: "OK", or its return code and the SQLSTATEs its handle records.
        std::string (*m_free)(StatementThreadsTest& io_test, Connection& io_connection, const Handles& in_handles);
    };
    const auto freeStatement = [](StatementThreadsTest&, Connection& c, const Handles& h) {
        return FreeOutcome(c.SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(h.m_statement)), c);
    };
    const Case cases[] = {
        {"statement", [](StatementThreadsTest& t, const Handles& h) { return t.FetchByHandle(h.m_statement); },
         freeStatement},
        {"its row descriptor, with the statement",
         [](StatementThreadsTest& t, const Handles& h) { return t.ReadCountByHandle(h.m_rowDescriptor); },
         freeStatement},
        {"statement, by the disconnect",
         [](StatementThreadsTest& t, const Handles& h) { return t.FetchByHandle(h.m_statement); },
         [](StatementThreadsTest&, Connection& c, const Handles&) { return FreeOutcome(c.SQLDisconnect(), c); }},
        {"explicit descriptor",
         [](StatementThreadsTest& t, const Handles& h) { return t.ReadCountByHandle(h.m_descriptor); },
         [](StatementThreadsTest&, Connection& c, const Handles& h) {
             return FreeOutcome(c.SQLFreeHandle(SQL_HANDLE_DESC, reinterpret_cast<SQLHANDLE>(h.m_descriptor)), c);
         }},
        {"statement, with its connection",
         [](StatementThreadsTest& t, const Handles& h) { return t.FetchByHandle(h.m_statement); },
         [](StatementThreadsTest& t, Connection&, const Handles& h) {
             Environment& environment = *t.m_environment;
             return FreeOutcome(environment.SQLFreeHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(h.m_connection)),
                                environment);
         }},
    };
    // Rounds that begin the free at other moments of the calls.
    constexpr int ROUNDS = 20;
    constexpr int CALLERS = 1;
    for (int round = 0; round < ROUNDS * static_cast<int>(std::size(cases)); ++round)
    {
        const Case& test = cases[round % std::size(cases)];
        StatementTestConnection* dataStore = nullptr;
        Connection& connection = NewConnection(dataStore);
        Statement& statement = *NewStatement(&connection);
        ASSERT_EQ("OK S5", Outcome(statement, ExecDirect(statement, u"select 1000000 1"))) << test.m_name;
        SQLHANDLE descriptor = nullptr;
        ASSERT_EQ(SQL_SUCCESS, connection.SQLAllocHandle(SQL_HANDLE_DESC, &descriptor)) << test.m_name;
        const Handles handles{statement.GetHandle(), statement.GetIRD().GetHandle(),
                              reinterpret_cast<HandleValue>(descriptor), connection.GetSlot()->GetHandle()};
        // The caller calls until it finds no handle, with a pause now and then for the checks of
        // the disconnect: the free goes ahead between two calls, when the caller may just have
        // found the handle. (More callers would keep the statement counted while they wait for
        // its lock, and the free waiting long.)
        std::atomic<bool> isFreed{false};
        std::atomic<int> callersStarted{0};
        std::atomic<int> callsAfterTheFree{0};
        std::vector<std::map<SQLRETURN, int>> results(CALLERS);
        std::vector<std::thread> callers;
        for (std::map<SQLRETURN, int>& callerResults : results)
        {
            callers.emplace_back([&] {
                SQLRETURN result = SQL_SUCCESS;
                for (int call = 1; result != SQL_INVALID_HANDLE; ++call)
                {
                    const bool wasFreed = isFreed;
                    result = test.m_call(*this, handles);
                    callsAfterTheFree += wasFreed && result != SQL_INVALID_HANDLE ? 1 : 0;
                    ++callerResults[result];
                    callersStarted += call == 1 ? 1 : 0;
                    if (call % 64 == 0)
                    {
                        std::this_thread::sleep_for(std::chrono::microseconds(20));
                    }
                }
            });
        }
        while (callersStarted < CALLERS)
        {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(round % 10 * 10));
        std::map<std::string, int> frees;
        std::string freed;
        while (freed != "OK")
        {
            freed = test.m_free(*this, connection, handles);
            ++frees[freed];
        }
        isFreed = true;
        for (std::thread& caller : callers)
        {
            caller.join();
        }
        EXPECT_EQ(0, callsAfterTheFree) << test.m_name;
        frees.erase("-1 HY010");
        EXPECT_EQ((std::map<std::string, int>{{"OK", 1}}), frees) << test.m_name;
        for (const std::map<SQLRETURN, int>& callerResults : results)
        {
            // The last call found no handle, and the others worked on the statement.
            EXPECT_EQ(1, callerResults.at(SQL_INVALID_HANDLE)) << test.m_name;
            EXPECT_LT(1u, callerResults.size()) << test.m_name;
        }
    }
}

} // namespace
