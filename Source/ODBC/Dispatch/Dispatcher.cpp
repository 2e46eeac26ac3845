#include "ODBC/Dispatch/Dispatcher.h"

#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Driver/Module.h"
#include "ODBC/Handles/ODBCHandle.h"
#include "ODBC/Tasks/ODBCTask.h"
#include "ODBC/Threads/ThreadPool.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/orvik_wstring.h"

#include <new>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

void PostError(Dispatcher::HandleKind in_kind,
               SQLHANDLE in_handle,
               DiagState in_state,
               const char16_t* in_messageKey,
               const char* in_functionName)
{
    if (in_kind == Dispatcher::HandleKind::CONNECTION)
    {
        CInterface::PostConnectionError(in_handle, in_state, orvik_wstring(in_messageKey), in_functionName);
    }
    else
    {
        CInterface::PostStatementError(in_handle, in_state, orvik_wstring(in_messageKey), in_functionName);
    }
}

} // namespace

SQLRETURN Dispatcher::Dispatch(const char* in_functionName,
                               SQLHANDLE in_handle,
                               void* io_args,
                               const Operations& in_operations)
{
    const HandleEntry entry = in_operations.m_enter(in_handle, in_functionName);
    if (!entry)
    {
        return SQL_INVALID_HANDLE;
    }
    // Asked for only now: before the first environment the module, and so its pool, may not
    // exist yet; a handle that was found was made under a started module.
    return Run(in_functionName, in_handle, in_operations.m_handleOf(entry.GetObject()), io_args, in_operations,
               *Module::GetThreadPool());
}

SQLRETURN Dispatcher::Dispatch(const char* in_functionName,
                               SQLHANDLE in_handle,
                               void* io_args,
                               const Operations& in_operations,
                               ThreadPool& io_pool)
{
    const HandleEntry entry = in_operations.m_enter(in_handle, in_functionName);
    if (!entry)
    {
        return SQL_INVALID_HANDLE;
    }
    return Run(in_functionName, in_handle, in_operations.m_handleOf(entry.GetObject()), io_args, in_operations,
               io_pool);
}

SQLRETURN Dispatcher::Run(const char* in_functionName,
                          SQLHANDLE in_handle,
                          ODBCHandle& io_handle,
                          void* io_args,
                          const Operations& in_operations,
                          ThreadPool& io_pool)
{
    try
    {
        // A statement without asynchronous execution has no task to poll, collect or start: the
        // statement's own lock orders its calls, as it does for the functions never dispatched.
        if (in_operations.m_handleKind == HandleKind::STATEMENT && !io_handle.IsAsyncEnabled()
            && !io_handle.HasPendingTask())
        {
            return in_operations.m_call(io_handle, io_args);
        }
        CriticalSectionLock lock(io_handle.GetDispatchLock());
        // Whatever function is called next on the handle polls or collects its task.
        if (ODBCTask* pending = io_handle.GetPendingTask())
        {
            return pending->IsDone() ? Collect(io_handle, *pending, io_args, in_operations) : SQL_STILL_EXECUTING;
        }
        if (in_operations.m_makeTask != nullptr && io_handle.IsAsyncEnabled())
        {
            return StartTask(io_handle, io_args, in_operations, io_pool);
        }
        return in_operations.m_call(io_handle, io_args);
    }
    catch (const ErrorException& e)
    {
        if (in_operations.m_handleKind == HandleKind::CONNECTION)
        {
            CInterface::PostConnectionException(in_handle, e, in_functionName);
        }
        else
        {
            CInterface::PostStatementException(in_handle, e, in_functionName);
        }
    }
    catch (const std::bad_alloc&)
    {
        PostError(in_operations.m_handleKind, in_handle, DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr", in_functionName);
    }
    catch (...)
    {
        PostError(in_operations.m_handleKind, in_handle, DIAG_GENERAL_ERROR, u"GenErr", in_functionName);
    }
    return SQL_ERROR;
}

SQLRETURN Dispatcher::Collect(ODBCHandle& io_handle, ODBCTask& io_task, void* io_args, const Operations& in_operations)
{
    SQLRETURN result = SQL_ERROR;
    try
    {
        result = in_operations.m_collect(io_task, io_args);
    }
    catch (...)
    {
        // A task is collected once, whether its outputs could be copied or not.
        io_handle.SetPendingTask(nullptr);
        throw;
    }
    io_handle.SetPendingTask(nullptr);
    return result;
}

SQLRETURN Dispatcher::StartTask(ODBCHandle& io_handle,
                                void* io_args,
                                const Operations& in_operations,
                                ThreadPool& io_pool)
{
    in_operations.m_getDiagnostics(io_handle).Clear();
    std::unique_ptr<ODBCTask> task = in_operations.m_makeTask(io_handle, io_args);
    ODBCTask& queued = *task;
    // Installed before it is queued: a worker that finishes at once finds its slot taken.
    io_handle.SetPendingTask(std::move(task));
    try
    {
        io_pool.PostTask(&queued);
    }
    catch (...)
    {
        // The pool gave the task back: it never runs, so nothing stays pending.
        io_handle.SetPendingTask(nullptr);
        throw;
    }
    return SQL_STILL_EXECUTING;
}

} // namespace ODBC
} // namespace Orvik
