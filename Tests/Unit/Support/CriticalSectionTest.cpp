#include "Support/CriticalSection.h"
#include "Support/CriticalSectionLock.h"
#include "Support/InvalidOperationException.h"

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

/// A condition variable on its own lock, as the worker pool builds one.
class WaitableSection : public CriticalSection
{
public:
    using CriticalSection::GetHoldCount;

    /// Called with the lock held.
    void WaitFor(const bool& in_flag)
    {
        while (!in_flag)
        {
            WaitOn(m_condition);
        }
    }

    void WakeAll() { m_condition.notify_all(); }

private:
    std::condition_variable_any m_condition;
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

TEST(CriticalSection, AWaitLetsOtherThreadsInAndHoldsTheLockAgainAfterwards)
{
    WaitableSection section;
    bool ready = false;
    uint32_t wakerHoldCount = 0;
    CriticalSectionLock lock(section);
    std::thread waker([&] {
        CriticalSectionLock inner(section);
        CriticalSectionLock again(section);
        wakerHoldCount = section.GetHoldCount();
        ready = true;
        section.WakeAll();
    });
    section.WaitFor(ready);
    EXPECT_EQ(1u, section.GetHoldCount());
    EXPECT_EQ(2u, wakerHoldCount);
    waker.join();
}

TEST(CriticalSection, AWaitIsRefusedUnlessTheLockIsHeldExactlyOnce)
{
    WaitableSection section;
    const bool never = false;
    EXPECT_THROW(section.WaitFor(never), Orvik::Support::InvalidOperationException);
    CriticalSectionLock outer(section);
    CriticalSectionLock inner(section);
    EXPECT_THROW(section.WaitFor(never), Orvik::Support::InvalidOperationException);
    EXPECT_EQ(2u, section.GetHoldCount());
}
