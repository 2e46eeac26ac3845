#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Dispatch/Dispatcher.h"
#include "ODBC/Threads/ThreadPool.h"
#include "Support/ErrorException.h"
#include "Support/ProductException.h"
#include "Support/ThreadUtils.h"

#include "EntryTest.h"
#include "TestTasks.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <string>
#include <thread>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::FunctionTask;
using Orvik::Testing::Gate;
using Orvik::Testing::Outcome;
using Orvik::Testing::ToHandle;

namespace {

/// What one call hands the dispatcher as its argument record: what its call and its task do,
/// and counts of what the dispatcher asked of it.
struct Probe
{
    std::function<SQLRETURN()> m_call = [] { return SQL_SUCCESS; };
    std::function<SQLRETURN()> m_taskCall = [] { return SQL_SUCCESS; };
    std::function<void()> m_onMakeTask = [] {};
    int m_calls = 0;
    int m_tasksMade = 0;
    int m_collects = 0;
};

Probe& ProbeOf(void* io_args)
{
    return *static_cast<Probe*>(io_args);
}

HandleEntry EnterConnection(SQLHANDLE in_handle, const char* in_functionName)
{
    return CInterface::EnterConnection(in_handle, in_functionName);
}

ODBCHandle& ConnectionOf(void* io_object)
{
    return *static_cast<Connection*>(io_object);
}

DiagManager& DiagnosticsOf(ODBCHandle& io_handle)
{
    return static_cast<Connection&>(io_handle).GetDiagManager();
}

SQLRETURN CallProbe(ODBCHandle&, void* io_args)
{
    ++ProbeOf(io_args).m_calls;
    return ProbeOf(io_args).m_call();
}

std::unique_ptr<ODBCTask> MakeProbeTask(ODBCHandle& io_handle, void* io_args)
{
    Probe& probe = ProbeOf(io_args);
    ++probe.m_tasksMade;
    probe.m_onMakeTask();
    return std::make_unique<FunctionTask>(DiagnosticsOf(io_handle), probe.m_taskCall);
}

SQLRETURN CollectProbe(ODBCTask& io_task, void* io_args)
{
    ++ProbeOf(io_args).m_collects;
    return io_task.GetResult();
}

const Dispatcher::Operations MAY_RUN_AS_TASK = {
    Dispatcher::HandleKind::CONNECTION, &EnterConnection, &ConnectionOf, &DiagnosticsOf, &CallProbe, &MakeProbeTask,
    &CollectProbe,
};

const Dispatcher::Operations NEVER_A_TASK = {
    Dispatcher::HandleKind::CONNECTION, &EnterConnection, &ConnectionOf, &DiagnosticsOf, &CallProbe, nullptr,
    &CollectProbe,
};

std::thread RefuseToStart(ThreadUtils::ThreadFunction, void*)
{
    throw ProductException(u"ThreadCreationFailed");
}

class DispatcherTest : public Orvik::Testing::HandleTest
{
protected:
    DispatcherTest() { m_pool.AddRef(); }

    ~DispatcherTest() override { m_pool.Release(); }

    SQLRETURN Dispatch(Probe& io_probe, const Dispatcher::Operations& in_operations = MAY_RUN_AS_TASK)
    {
        return Dispatcher::Dispatch("SQLTest", m_connectionHandle, &io_probe, in_operations, m_pool);
    }

    /// The result and the SQLSTATEs of the connection's records.
    std::string Records(SQLRETURN in_result) { return Outcome(in_result, m_connection->GetDiagManager()); }

    void PostWarning()
    {
        m_connection->GetDiagManager().PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
    }

    /// Waits until the pending task has run; the test is the only caller of the dispatcher.
    void WaitForPendingTask() { m_connection->GetPendingTask()->WaitUntilDone(); }

    ThreadPool m_pool;
};

TEST_F(DispatcherTest, AnUnknownHandleIsReportedAndNothingElseHappens)
{
    PostWarning();
    Probe probe;
    EXPECT_EQ(SQL_INVALID_HANDLE, Dispatcher::Dispatch("SQLTest", ToHandle(987654), &probe, MAY_RUN_AS_TASK, m_pool));
    EXPECT_EQ(0, probe.m_calls + probe.m_tasksMade + probe.m_collects);
    EXPECT_EQ("0 01000", Records(0));
}

TEST_F(DispatcherTest, WithoutAsynchronousModeTheCallRunsAtOnceWithItsOwnResult)
{
    PostWarning();
    Probe probe;
    probe.m_call = [] { return SQL_NEED_DATA; };
    // The call clears the diagnostics itself when it wants to; the dispatcher leaves them.
    EXPECT_EQ("99 01000", Records(Dispatch(probe)));
    EXPECT_EQ(1, probe.m_calls);
    EXPECT_EQ(0, probe.m_tasksMade);
}

TEST_F(DispatcherTest, ATaskIsReportedWhileItRunsThenCollectedWithItsRecords)
{
    m_connection->SetAsyncEnabled(true);
    PostWarning();
    Gate gate;
    Probe starter;
    starter.m_taskCall = [&] {
        gate.Wait();
        m_connection->GetDiagManager().PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID,
                                                   u"StrRightTruncWarn", -1, -1);
        return SQL_SUCCESS_WITH_INFO;
    };
    EXPECT_EQ("2", Records(Dispatch(starter)));
    EXPECT_EQ(1, starter.m_tasksMade);
    EXPECT_EQ(0, starter.m_calls);

    // Polling looks at nothing of the call: another record does the same.
    Probe poller;
    EXPECT_EQ("2", Records(Dispatch(poller)));
    EXPECT_EQ(0, poller.m_calls + poller.m_tasksMade + poller.m_collects);

    gate.Open();
    WaitForPendingTask();
    Probe collector;
    EXPECT_EQ("1 01004", Records(Dispatch(collector)));
    EXPECT_EQ(1, collector.m_collects);
    EXPECT_EQ(nullptr, m_connection->GetPendingTask());

    // The next call starts afresh.
    Probe next;
    EXPECT_EQ(SQL_STILL_EXECUTING, Dispatch(next));
    EXPECT_EQ(1, next.m_tasksMade);
    WaitForPendingTask();
    EXPECT_EQ(SQL_SUCCESS, Dispatch(next));
}

TEST_F(DispatcherTest, AFunctionThatNeverRunsAsATaskStillCollectsOnePending)
{
    m_connection->SetAsyncEnabled(true);
    Probe direct;
    direct.m_call = [] { return SQL_SUCCESS_WITH_INFO; };
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, Dispatch(direct, NEVER_A_TASK));
    EXPECT_EQ(1, direct.m_calls);

    Probe starter;
    starter.m_taskCall = [] { return SQL_NO_DATA; };
    EXPECT_EQ(SQL_STILL_EXECUTING, Dispatch(starter));
    WaitForPendingTask();
    EXPECT_EQ(SQL_NO_DATA, Dispatch(direct, NEVER_A_TASK));
    EXPECT_EQ(1, direct.m_calls);
    EXPECT_EQ(1, direct.m_collects);
}

TEST_F(DispatcherTest, WhatEscapesTheCallBecomesTheHandlesOnlyRecord)
{
    const struct
    {
        std::function<SQLRETURN()> m_call;
        std::string m_expected;
    } cases[] = {
        { []() -> SQLRETURN { throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"InvalidAttrVal", -1, -1); },
          "-1 HY024" },
        { []() -> SQLRETURN { throw std::bad_alloc(); }, "-1 HY001" },
        { []() -> SQLRETURN { throw 42; }, "-1 HY000" },
    };
    for (const auto& c : cases)
    {
        PostWarning();
        Probe probe;
        probe.m_call = c.m_call;
        EXPECT_EQ(c.m_expected, Records(Dispatch(probe)));
    }
}

TEST_F(DispatcherTest, ATaskThatCannotBeMadeOrQueuedLeavesNothingPending)
{
    m_connection->SetAsyncEnabled(true);
    PostWarning();
    Probe unconvertible;
    unconvertible.m_onMakeTask = [] {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InputStringToUnicodeConvErr", -1, -1);
    };
    EXPECT_EQ("-1 HY000", Records(Dispatch(unconvertible)));
    EXPECT_EQ(nullptr, m_connection->GetPendingTask());

    ThreadPool refusing(&RefuseToStart);
    refusing.AddRef();
    Probe probe;
    bool hasRun = false;
    probe.m_taskCall = [&] {
        hasRun = true;
        return SQL_SUCCESS;
    };
    EXPECT_EQ("-1 HY000", Records(Dispatcher::Dispatch("SQLTest", m_connectionHandle, &probe, MAY_RUN_AS_TASK, refusing)));
    EXPECT_EQ(nullptr, m_connection->GetPendingTask());
    refusing.Release();
    EXPECT_FALSE(hasRun);

    // The handle is not left waiting for a task that never runs.
    m_connection->SetAsyncEnabled(false);
    EXPECT_EQ(SQL_SUCCESS, Dispatch(probe));
    EXPECT_EQ(1, probe.m_calls);
}

} // namespace
