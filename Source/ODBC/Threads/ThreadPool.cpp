#include "ODBC/Threads/ThreadPool.h"

#include "ODBC/Threads/ITask.h"
#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

ThreadPool::ThreadPool(ThreadStarter in_starter) : m_starter(in_starter)
{
}

ThreadPool::~ThreadPool()
{
    {
        CriticalSectionLock lock(m_condition);
        m_tasks.clear();
        m_isStopping = true;
        m_condition.WakeAll();
    }
    JoinWorkers();
}

void ThreadPool::SetThreadHook(ThreadHook in_hook)
{
    CriticalSectionLock lock(m_condition);
    m_threadHook = in_hook;
}

void ThreadPool::PostTask(ITask* in_task)
{
    CriticalSectionLock lock(m_condition);
    m_tasks.push_back(in_task);
    if (m_idleCount == 0)
    {
        // Room first, so that a started thread is always kept for joining. The new worker waits
        // for the pool lock until this post has released it.
        m_workers.reserve(m_workers.size() + 1);
        try
        {
            m_workers.push_back(m_starter(&ThreadPool::WorkerThread, this));
        }
        catch (...)
        {
            // Withdrawn while the lock still keeps every worker from it: the caller learns that
            // the task will not run and may free it.
            m_tasks.pop_back();
            throw;
        }
        ++m_workerCount;
    }
    else
    {
        m_condition.WakeOne();
    }
}

void ThreadPool::AddRef()
{
    CriticalSectionLock lock(m_userLock);
    ++m_userCount;
}

void ThreadPool::Release()
{
    CriticalSectionLock lock(m_userLock);
    if (--m_userCount == 0)
    {
        Stop();
    }
}

int32_t ThreadPool::GetUserCount()
{
    CriticalSectionLock lock(m_userLock);
    return m_userCount;
}

int32_t ThreadPool::GetWorkerCount()
{
    CriticalSectionLock lock(m_condition);
    return m_workerCount;
}

int32_t ThreadPool::GetIdleCount()
{
    CriticalSectionLock lock(m_condition);
    return m_idleCount;
}

void ThreadPool::WorkerThread(void* io_pool)
{
    ThreadPool& pool = *static_cast<ThreadPool*>(io_pool);
    ThreadHook hook = nullptr;
    {
        CriticalSectionLock lock(pool.m_condition);
        hook = pool.m_threadHook;
    }
    ThreadHookScope scope(hook);
    // A task catches everything its call raises, and the worker never touches it after Run.
    while (ITask* task = pool.WaitForTask())
    {
        task->Run();
    }
}

void ThreadPool::Stop()
{
    {
        CriticalSectionLock lock(m_condition);
        m_isStopping = true;
        m_condition.WakeAll();
    }
    // A worker exits only once the queue is empty, so joining them all waits for every task.
    JoinWorkers();
    CriticalSectionLock lock(m_condition);
    m_isStopping = false;
}

ITask* ThreadPool::WaitForTask()
{
    CriticalSectionLock lock(m_condition);
    ++m_idleCount;
    ITask* task = TakeTask();
    while (task == nullptr && !m_isStopping)
    {
        m_condition.Sleep();
        task = TakeTask();
    }
    if (task == nullptr)
    {
        --m_workerCount;
    }
    --m_idleCount;
    return task;
}

ITask* ThreadPool::TakeTask()
{
    if (m_tasks.empty())
    {
        return nullptr;
    }
    ITask* task = m_tasks.front();
    m_tasks.pop_front();
    return task;
}

void ThreadPool::JoinWorkers()
{
    std::vector<std::thread> workers;
    {
        CriticalSectionLock lock(m_condition);
        workers.swap(m_workers);
    }
    for (std::thread& worker : workers)
    {
        worker.join();
    }
}

} // namespace ODBC
} // namespace Orvik
