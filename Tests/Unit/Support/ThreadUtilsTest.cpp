#include "Support/ThreadUtils.h"

#include <gtest/gtest.h>

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
