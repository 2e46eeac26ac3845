#include "Support/CriticalSection.h"
#include "Support/CriticalSectionLock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Orvik::Support::CriticalSection;
using Orvik::Support::CriticalSectionLock;

namespace {

class ObservedSection : public CriticalSection
{
public:
    using CriticalSection::GetHoldCount;
};

} // namespace

TEST(CriticalSection, TheHolderMayEnterAgainAndEachHolderLeavesOnce)
{
    ObservedSection section;
    EXPECT_EQ(0u, section.GetHoldCount());
    {
        CriticalSectionLock outer(section);
        {
            CriticalSectionLock inner(section);
            EXPECT_EQ(2u, section.GetHoldCount());
            uint32_t seenElsewhere = 99;
            std::thread([&] { seenElsewhere = section.GetHoldCount(); }).join();
            EXPECT_EQ(0u, seenElsewhere);
        }
        EXPECT_EQ(1u, section.GetHoldCount());
    }
    EXPECT_EQ(0u, section.GetHoldCount());
}

TEST(CriticalSection, KeepsOtherThreadsOutWhileHeld)
{
    CriticalSection section;
    int64_t counter = 0;
    const int perThread = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
    {
        threads.emplace_back([&] {
            for (int i = 0; i < perThread; ++i)
            {
                CriticalSectionLock outer(section);
                CriticalSectionLock inner(section);
                int64_t read = counter;
                counter = read + 1;
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(8 * perThread, counter);
}
