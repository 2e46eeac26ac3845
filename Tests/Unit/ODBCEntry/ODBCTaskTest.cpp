#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Tasks/ODBCTask.h"
#include "Support/ErrorException.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"
#include "TestTasks.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <thread>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::FunctionTask;

namespace {

class ODBCTaskTest : public Orvik::Testing::EntryTest
{
protected:
    /// The result and the SQLSTATEs of the owner's records after a run of in_call, which finds
    /// a warning already posted.
    std::string RunOutcome(std::function<SQLRETURN()> in_call)
    {
        DiagManager diagnostics(nullptr, orvik_wstring(u""), orvik_wstring(u""));
        diagnostics.PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
        FunctionTask task(diagnostics, std::move(in_call));
        task.Run();
        return std::to_string(task.GetResult()) + (task.IsDone() ? "" : " not done")
            + Orvik::Testing::RecordStates(diagnostics);
    }
};

TEST_F(ODBCTaskTest, TheResultIsStillExecutingUntilTheCallHasRun)
{
    DiagManager diagnostics(nullptr, orvik_wstring(u""), orvik_wstring(u""));
    FunctionTask task(diagnostics, [] { return SQL_NEED_DATA; });
    EXPECT_EQ(SQL_STILL_EXECUTING, task.GetResult());
    EXPECT_FALSE(task.IsDone());
    std::thread worker([&] { task.Run(); });
    task.WaitUntilDone();
    EXPECT_EQ(SQL_NEED_DATA, task.GetResult());
    worker.join();
}

TEST_F(ODBCTaskTest, WhatTheCallRaisesBecomesTheOwnersOnlyRecord)
{
    EXPECT_EQ("100 01000", RunOutcome([] { return SQL_NO_DATA; }));
    EXPECT_EQ("-1 HY024", RunOutcome([]() -> SQLRETURN {
                  throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"InvalidAttrVal", -1, -1);
              }));
    EXPECT_EQ("-1 HY001", RunOutcome([]() -> SQLRETURN { throw std::bad_alloc(); }));
    EXPECT_EQ("-1 HY000", RunOutcome([]() -> SQLRETURN { throw 42; }));
}

} // namespace
