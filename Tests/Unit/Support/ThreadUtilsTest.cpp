#include "Support/ThreadUtils.h"

#include "Support/ProductException.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using Orvik::Support::ThreadUtils;

TEST(ThreadUtils, ThreadIdIsTheKernelsIdOfEachThread)
{
    // The kernel gives a process's first thread the process id.
    EXPECT_EQ(static_cast<uint32_t>(getpid()), ThreadUtils::GetCurrentThreadId());
    uint32_t other = 0;
    std::thread([&] { other = ThreadUtils::GetCurrentThreadId(); }).join();
    EXPECT_NE(0u, other);
    EXPECT_NE(ThreadUtils::GetCurrentThreadId(), other);
}

namespace {

struct Work
{
    int input = 0;
    int output = 0;
    uint32_t threadId = 0;
};

void Square(void* io_argument)
{
    Work* work = static_cast<Work*>(io_argument);
    work->output = work->input * work->input;
    work->threadId = ThreadUtils::GetCurrentThreadId();
}

void Nothing(void*)
{
}

/// In a child process that may not start threads: whether StartThread raised the right error.
[[noreturn]] void StartThreadWithoutAllowance()
{
    // The kernel counts threads against the real user's limit, and never limits root.
    const uid_t nobody = 65534;
    const rlimit none = {0, 0};
    if ((getuid() == 0 && setuid(nobody) != 0) || setrlimit(RLIMIT_NPROC, &none) != 0)
    {
        std::_Exit(2);
    }
    try
    {
        ThreadUtils::StartThread(&Nothing, nullptr).join();
    }
    catch (const Orvik::Support::ProductException& e)
    {
        // _Exit skips the leak check at exit, which itself needs a thread.
        const Orvik::Support::orvik_wstring expectedKey("ThreadCreationFailed");
        std::_Exit(e.GetMessageKey() == expectedKey ? 0 : 3);
    }
    std::_Exit(1);
}

} // namespace

TEST(ThreadUtils, AStartedThreadRunsItsFunctionAndIsJoined)
{
    Work work;
    work.input = 12;
    std::thread thread = ThreadUtils::StartThread(&Square, &work);
    ASSERT_TRUE(thread.joinable());
    thread.join();
    EXPECT_EQ(144, work.output);
    EXPECT_NE(0u, work.threadId);
    EXPECT_NE(ThreadUtils::GetCurrentThreadId(), work.threadId);
}

TEST(ThreadUtilsDeathTest, FailureToStartRaisesThreadCreationFailed)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(StartThreadWithoutAllowance(), ::testing::ExitedWithCode(0), "");
}
