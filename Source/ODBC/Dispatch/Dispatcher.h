#pragma once

#include "ODBC/Handles/HandleEntry.h"

#include <sql.h>

#include <memory>

namespace Orvik {
namespace ODBC {

class DiagManager;
class ODBCHandle;
class ODBCTask;
class ThreadPool;

/// The one algorithm of every dispatcher, run over the operations of the function it serves.
class Dispatcher
{
public:
    Dispatcher() = delete;

    enum class HandleKind
    {
        CONNECTION,
        STATEMENT
    };

    /// What differs between the dispatched functions. io_args is the function's argument record.
    struct Operations
    {
        HandleKind m_handleKind;
        /// The handle registered under the value in the kind's registry with the call counted on
        /// it, or an empty entry (the miss is logged).
        HandleEntry (*m_enter)(SQLHANDLE in_handle, const char* in_functionName);
        /// The handle that an entry of the kind found.
        ODBCHandle& (*m_handleOf)(void* io_object);
        DiagManager& (*m_getDiagnostics)(ODBCHandle& io_handle);
        /// The call on the caller's thread.
        SQLRETURN (*m_call)(ODBCHandle& io_handle, void* io_args);
        /// A new task capturing the call; null for the functions that never run as one.
        std::unique_ptr<ODBCTask> (*m_makeTask)(ODBCHandle& io_handle, void* io_args);
        /// The result of a finished task, and its outputs where the function copies them.
        SQLRETURN (*m_collect)(ODBCTask& io_task, void* io_args);
    };

    /// Finds the handle and counts the call on it in one step (SQL_INVALID_HANDLE when there is
    /// none, or when its free has begun) and, holding its dispatch lock (which a statement without
    /// asynchronous execution goes without):
    /// reports a pending task that is still running (SQL_STILL_EXECUTING, nothing else looked at
    /// or changed) or collects a finished one (its result; the task is then deleted and the
    /// diagnostics it posted stay); else, for a handle in asynchronous mode and a function that
    /// may run as a task, clears the diagnostics, installs a new task, queues it and returns
    /// SQL_STILL_EXECUTING (a task that cannot be queued is removed again); else makes the call
    /// and returns its result. Whatever escapes becomes the handle's one record and SQL_ERROR.
    /// Tasks run on the module's worker pool.
    static SQLRETURN Dispatch(const char* in_functionName,
                              SQLHANDLE in_handle,
                              void* io_args,
                              const Operations& in_operations);

    /// The same with tasks queued on io_pool.
    static SQLRETURN Dispatch(const char* in_functionName,
                              SQLHANDLE in_handle,
                              void* io_args,
                              const Operations& in_operations,
                              ThreadPool& io_pool);

private:
    /// Dispatch on the handle found for in_handle, whose entry counts the call until it returns.
    static SQLRETURN Run(const char* in_functionName,
                         SQLHANDLE in_handle,
                         ODBCHandle& io_handle,
                         void* io_args,
                         const Operations& in_operations,
                         ThreadPool& io_pool);
    static SQLRETURN Collect(ODBCHandle& io_handle, ODBCTask& io_task, void* io_args, const Operations& in_operations);
    static SQLRETURN StartTask(ODBCHandle& io_handle,
                               void* io_args,
                               const Operations& in_operations,
                               ThreadPool& io_pool);
};

} // namespace ODBC
} // namespace Orvik
