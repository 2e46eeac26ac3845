#pragma once

#include "ODBC/Threads/ConditionVariable.h"
#include "ODBC/Threads/ITask.h"
#include "Support/DiagState.h"

#include <sql.h>

namespace Orvik {

namespace Support {
class ErrorException;
class orvik_wstring;
} // namespace Support

namespace ODBC {

class DiagManager;

/// One ODBC call captured to run on a worker of the pool: the handle that started it keeps it
/// in its pending-task slot until a later call collects the result. The result reads
/// SQL_STILL_EXECUTING until the call has run; result and done flag change together under the
/// task's lock, which guards nothing else. Once done, the worker never touches the task again.
class ODBCTask : public ITask
{
public:
    ~ODBCTask() override;

    ODBCTask(const ODBCTask&) = delete;
    ODBCTask& operator=(const ODBCTask&) = delete;

    /// Makes the call and keeps its result. What the call raises becomes the one record of the
    /// owner's diagnostics (an ErrorException as it is, exhausted memory as "MemAllocErr",
    /// anything else as "GenErr"), logged under the task's class name, and the result SQL_ERROR.
    void Run() final;

    /// The result, SQL_STILL_EXECUTING until the call has run.
    SQLRETURN GetResult();

    bool IsDone();

    /// Stores the outcome and marks the task done.
    void SetResult(SQLRETURN in_result);

    /// Returns once the task is done: a handle going away waits for the call that works on it.
    void WaitUntilDone();

protected:
    /// A task of the handle whose diagnostics are io_ownerDiagnostics; in_className (static text)
    /// names it in the log.
    ODBCTask(DiagManager& io_ownerDiagnostics, const char* in_className);

    /// The captured call, as the synchronous road makes it.
    virtual SQLRETURN Call() = 0;

    /// Whether a collected result lets outputs be copied: SQL_SUCCESS, SQL_SUCCESS_WITH_INFO and
    /// SQL_NEED_DATA do.
    static bool HasOutputs(SQLRETURN in_result);

    /// Writes in_value to out_target unless it is null.
    template <typename T>
    static void CopyOutput(T* out_target, T in_value)
    {
        if (out_target != nullptr)
        {
            *out_target = in_value;
        }
    }

    /// Posts the warning 01004 "StrRightTruncWarn" on the owner's diagnostics unless one is there
    /// already; SQL_SUCCESS becomes SQL_SUCCESS_WITH_INFO.
    SQLRETURN PostTruncation(SQLRETURN in_result);

private:
    void HandleRunException(const Support::ErrorException& in_exception);
    void HandleRunError(Support::DiagState in_state, const Support::orvik_wstring& in_messageKey);

    DiagManager& m_ownerDiagnostics;
    const char* m_className;
    ConditionVariable m_lock;
    SQLRETURN m_result = SQL_STILL_EXECUTING;
    bool m_isDone = false;
};

} // namespace ODBC
} // namespace Orvik
