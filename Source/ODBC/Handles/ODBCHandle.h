#pragma once

#include "ODBC/Handles/HandleEntry.h"
#include "Support/CriticalSection.h"

#include <atomic>
#include <memory>

namespace Orvik {
namespace ODBC {

class ODBCTask;

/// The part that Connection and Statement share for dispatching: the dispatch lock, which the
/// entry points hold for a whole synchronous call (the holding thread may take it again; a
/// statement that has asynchronous execution off and no task goes without it), the
/// asynchronous flag, which chooses between running a call at once and queueing it, and the task
/// started on the handle and not yet collected, which is read and changed under the dispatch lock.
/// The flag takes no lock: the attribute stores set it under the handle's own lock, which a
/// dispatched call takes after the dispatch lock.
///
/// A call is counted from the lookup that found the handle by its value, on the registry's slot
/// of the handle (see HandleSlot), and the frames of the members count again what they run; a
/// free refuses a busy handle.
class ODBCHandle
{
public:
    /// Counts one call on the handle for its scope, which begins before the call takes any of the
    /// handle's locks and ends after it left them all.
    class RunningCall
    {
    public:
        explicit RunningCall(ODBCHandle& io_handle) : m_handle(io_handle) { ++m_handle.m_callsRunning; }
        ~RunningCall() { --m_handle.m_callsRunning; }

        RunningCall(const RunningCall&) = delete;
        RunningCall& operator=(const RunningCall&) = delete;

    private:
        ODBCHandle& m_handle;
    };

    ODBCHandle(const ODBCHandle&) = delete;
    ODBCHandle& operator=(const ODBCHandle&) = delete;

    Support::CriticalSection& GetDispatchLock() { return m_dispatchLock; }

    void SetAsyncEnabled(bool in_isEnabled) { m_isAsyncEnabled.store(in_isEnabled); }
    bool IsAsyncEnabled() const { return m_isAsyncEnabled.load(); }

    /// The pending task, or null. The caller holds the dispatch lock.
    ODBCTask* GetPendingTask() { return m_pendingTask.get(); }

    /// Installs in_task (null empties the slot) and deletes the task it replaces. The caller
    /// holds the dispatch lock.
    void SetPendingTask(std::unique_ptr<ODBCTask> in_task);

    /// Whether the slot holds a task; read without the dispatch lock.
    bool HasPendingTask() const { return m_hasPendingTask.load(); }

    /// Whether a task started on the handle has not finished. Asked by the thread that frees or
    /// disconnects the handle, which must then refuse: the call on the worker still uses it.
    bool HasRunningTask();

    /// Whether a task started on the handle has not finished or a call runs on it on another
    /// thread, which may wait on the server for long. The thread that frees or disconnects the
    /// handle asks, and then refuses: the call still uses the handle.
    bool IsBusy();

    /// Whether the call running now is counted: a call came in by the handle's value, a frame
    /// counts it, or it is the task on a worker. For the frames that rely on it.
    bool IsCounted() const
    {
        return m_callsRunning > 0 || (m_slot != nullptr && m_slot->IsEntered()) || HasPendingTask();
    }

    /// Given by the registry once the handle is registered.
    void AttachSlot(HandleSlot& io_slot) { m_slot = &io_slot; }

    /// The slot a free closes; null before the handle is registered.
    HandleSlot* GetSlot() { return m_slot; }

    /// Counts a call on the handle, which the caller keeps from being freed meanwhile, as the
    /// lookup by its value does; empty when the handle is not registered or its free has begun.
    HandleEntry Enter();

protected:
    ODBCHandle();
    ~ODBCHandle();

    /// Waits for a pending task that is still running and deletes it. The destructor of the
    /// handle calls it first, so that no call on a worker works on a handle that is going away.
    void FinishPendingTask();

private:
    Support::CriticalSection m_dispatchLock;
    std::atomic<bool> m_isAsyncEnabled{false};
    std::unique_ptr<ODBCTask> m_pendingTask;
    std::atomic<bool> m_hasPendingTask{false};
    std::atomic<int> m_callsRunning{0};
    HandleSlot* m_slot = nullptr;
};

} // namespace ODBC
} // namespace Orvik
