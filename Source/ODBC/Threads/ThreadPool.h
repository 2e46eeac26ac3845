#pragma once

#include "ODBC/Threads/ConditionVariable.h"
#include "ODBC/Threads/ThreadHookScope.h"
#include "Support/CriticalSection.h"
#include "Support/ThreadUtils.h"

#include <cstdint>
#include <deque>
#include <thread>
#include <vector>

namespace Orvik {
namespace ODBC {

class ITask;

/// The workers that run asynchronous calls. Tasks run in the order they were posted; a task
/// that finds no idle worker starts a new one (there is no upper bound), otherwise it wakes one.
/// Workers stay until the last user releases the pool: that stops it, after every queued task
/// has run, and waits until every worker has exited. A later post starts new workers.
class ThreadPool
{
public:
    /// How a worker thread is started; the pool joins the threads it started.
    typedef std::thread (*ThreadStarter)(Support::ThreadUtils::ThreadFunction in_function, void* in_argument);

    /// A pool without workers, starting them with in_starter.
    explicit ThreadPool(ThreadStarter in_starter = &Support::ThreadUtils::StartThread);

    /// Ends the workers that are still there without running the tasks still queued, which
    /// belong to handles that are gone by then.
    ~ThreadPool();

    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    /// The data-store driver's hook, told of every worker's start and end; null for none.
    void SetThreadHook(ThreadHook in_hook);

    /// Queues in_task (not owned) and starts or wakes a worker for it. When no worker can be
    /// started, throws ProductException "ThreadCreationFailed" with the task taken off the queue
    /// again: it never runs.
    void PostTask(ITask* in_task);

    /// One more user (an environment exists).
    void AddRef();

    /// One user less; the release that leaves none stops the pool and returns once every
    /// queued task has run and every worker has exited.
    void Release();

    int32_t GetUserCount();
    int32_t GetWorkerCount();
    int32_t GetIdleCount();

private:
    static void WorkerThread(void* io_pool);

    /// Sets the stop flag, wakes every worker and waits for them to finish the queue and exit.
    void Stop();

    /// A worker's wait: the next task, or null when the pool stops and the queue is empty.
    ITask* WaitForTask();

    /// The front of the queue, taken off it; null when empty. Called under the pool lock.
    ITask* TakeTask();

    /// Joins the workers that have been started so far.
    void JoinWorkers();

    // The pool lock is the condition variable's lock: it guards the queue, the counts, the stop
    // flag and the worker threads.
    std::deque<ITask*> m_tasks;
    int32_t m_workerCount = 0;
    int32_t m_idleCount = 0;
    ConditionVariable m_condition;
    Support::CriticalSection m_userLock;
    int32_t m_userCount = 0;
    bool m_isStopping = false;
    ThreadHook m_threadHook = nullptr;
    ThreadStarter m_starter;
    std::vector<std::thread> m_workers;
};

} // namespace ODBC
} // namespace Orvik
