#include "ODBC/Threads/ITask.h"
#include "ODBC/Threads/ThreadPool.h"
#include "Support/ProductException.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

using namespace Orvik::ODBC;
using Orvik::Support::ProductException;
using Orvik::Support::ThreadUtils;

namespace {

class FunctionTask : public ITask
{
public:
    explicit FunctionTask(std::function<void()> in_body) : m_body(std::move(in_body)) {}
    void Run() override { m_body(); }

private:
    std::function<void()> m_body;
};

// A gate the tasks wait at until the test opens it.
class Gate
{
public:
    void Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_condition.wait(lock, [this] { return m_isOpen; });
    }
    void Open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_isOpen = true;
        m_condition.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_isOpen = false;
};

template <typename Condition>
bool Eventually(Condition in_condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!in_condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(ThreadPoolTest, PostsWithNoIdleWorkerStartOneWorkerEach)
{
    ThreadPool pool;
    pool.AddRef();
    Gate gate;
    std::atomic<int> done{0};
    FunctionTask first([&] { gate.Wait(); ++done; });
    FunctionTask second([&] { gate.Wait(); ++done; });
    pool.PostTask(&first);
    pool.PostTask(&second);
    EXPECT_EQ(2, pool.GetWorkerCount());
    gate.Open();
    pool.Release();
    EXPECT_EQ(2, done);
    EXPECT_EQ(0, pool.GetWorkerCount());
}

TEST(ThreadPoolTest, APostWakesAnIdleWorkerInsteadOfStartingOne)
{
    ThreadPool pool;
    pool.AddRef();
    std::atomic<int> done{0};
    FunctionTask first([&] { ++done; });
    FunctionTask second([&] { ++done; });
    pool.PostTask(&first);
    ASSERT_TRUE(Eventually([&] { return done == 1 && pool.GetIdleCount() == 1; }));
    pool.PostTask(&second);
    EXPECT_EQ(1, pool.GetWorkerCount());
    EXPECT_TRUE(Eventually([&] { return done == 2; }));
    pool.Release();
}

TEST(ThreadPoolTest, TheLastReleaseReturnsOnlyOnceEveryQueuedTaskHasRun)
{
    ThreadPool pool;
    pool.AddRef();
    pool.AddRef();
    Gate gate;
    std::atomic<int> done{0};
    std::vector<FunctionTask> tasks(6, FunctionTask([&] {
        gate.Wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ++done;
    }));
    for (FunctionTask& task : tasks)
    {
        pool.PostTask(&task);
    }
    pool.Release();
    EXPECT_EQ(1, pool.GetUserCount());
    gate.Open();
    pool.Release();
    EXPECT_EQ(0, pool.GetUserCount());
    EXPECT_EQ(6, done);
    EXPECT_EQ(0, pool.GetWorkerCount());
}

TEST(ThreadPoolTest, AStoppedPoolStartsNewWorkersForLaterPosts)
{
    ThreadPool pool;
    pool.AddRef();
    // No worker was ever started: the stop returns at once.
    pool.Release();
    EXPECT_EQ(0, pool.GetWorkerCount());
    pool.AddRef();
    std::atomic<int> done{0};
    FunctionTask task([&] { ++done; });
    pool.PostTask(&task);
    EXPECT_EQ(1, pool.GetWorkerCount());
    pool.Release();
    EXPECT_EQ(1, done);
}

std::atomic<int> s_refusedStarts{0};

// Refuses to start the first thread it is asked for, as the system does when it has none left.
std::thread StartAfterOneRefusal(ThreadUtils::ThreadFunction in_function, void* in_argument)
{
    if (s_refusedStarts++ == 0)
    {
        throw ProductException("ThreadCreationFailed");
    }
    return ThreadUtils::StartThread(in_function, in_argument);
}

TEST(ThreadPoolTest, ATaskThatFindsNoWorkerIsWithdrawnAndNeverRuns)
{
    s_refusedStarts = 0;
    ThreadPool pool(&StartAfterOneRefusal);
    pool.AddRef();
    std::vector<int> order;
    std::mutex orderLock;
    FunctionTask first([&] { std::lock_guard<std::mutex> lock(orderLock); order.push_back(1); });
    FunctionTask second([&] { std::lock_guard<std::mutex> lock(orderLock); order.push_back(2); });
    try
    {
        pool.PostTask(&first);
        FAIL() << "the refused start was not reported";
    }
    catch (const ProductException& e)
    {
        EXPECT_EQ("ThreadCreationFailed", e.GetMessageKey().GetAsUTF8());
    }
    EXPECT_EQ(0, pool.GetWorkerCount());
    pool.PostTask(&second);
    pool.Release();
    EXPECT_EQ((std::vector<int>{2}), order);
}

std::atomic<int> s_workerStarts{0};
std::atomic<int> s_workerEnds{0};

void CountWorkerEvents(int32_t in_event, void* in_reserved)
{
    EXPECT_EQ(nullptr, in_reserved);
    (in_event == 0 ? s_workerStarts : s_workerEnds)++;
}

TEST(ThreadPoolTest, TheThreadHookHearsEachWorkerStartAndEnd)
{
    s_workerStarts = 0;
    s_workerEnds = 0;
    ThreadPool pool;
    pool.SetThreadHook(&CountWorkerEvents);
    pool.AddRef();
    Gate gate;
    FunctionTask first([&] { gate.Wait(); });
    FunctionTask second([&] { gate.Wait(); });
    pool.PostTask(&first);
    pool.PostTask(&second);
    gate.Open();
    pool.Release();
    EXPECT_EQ(2, s_workerStarts);
    EXPECT_EQ(2, s_workerEnds);
}

// Workers still waiting when the pool goes (the driver unloads with environments left) are
// ended and joined, so that no worker runs on after the pool.
TEST(ThreadPoolTest, DestroyingAPoolInUseEndsItsWorkers)
{
    s_workerStarts = 0;
    s_workerEnds = 0;
    {
        ThreadPool pool;
        pool.SetThreadHook(&CountWorkerEvents);
        pool.AddRef();
        FunctionTask task([] {});
        pool.PostTask(&task);
        ASSERT_TRUE(Eventually([&] { return pool.GetIdleCount() == 1; }));
    }
    EXPECT_EQ(1, s_workerStarts);
    EXPECT_EQ(1, s_workerEnds);
}

} // namespace
