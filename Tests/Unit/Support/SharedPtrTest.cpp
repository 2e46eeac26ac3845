#include "Support/SharedPtr.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using Orvik::Support::RefCountedObject;
using Orvik::Support::SharedPtr;

namespace {

class Tracked : public RefCountedObject
{
public:
    explicit Tracked(std::atomic<int>& io_deletions) : m_deletions(io_deletions) {}
    ~Tracked() override { ++m_deletions; }

private:
    std::atomic<int>& m_deletions;
};

} // namespace

TEST(SharedPtr, TheLastOfTwoReferencesDeletesTheObject)
{
    std::atomic<int> deletions{0};
    auto* first = new SharedPtr<Tracked>(new Tracked(deletions));
    SharedPtr<Tracked> second(*first);
    EXPECT_EQ(first->Get(), second.Get());
    delete first;
    EXPECT_EQ(0, deletions);
    second.Release();
    EXPECT_EQ(1, deletions);
    EXPECT_EQ(nullptr, second.Get());
    second.Release();
    EXPECT_EQ(1, deletions);
}

TEST(SharedPtr, AssignmentMovesTheReferenceAndSurvivesSelfAssignment)
{
    std::atomic<int> deletions{0};
    SharedPtr<Tracked> a(new Tracked(deletions));
    SharedPtr<Tracked> b(new Tracked(deletions));
    SharedPtr<Tracked>& alias = a;
    a = alias;
    EXPECT_EQ(0, deletions);
    b = a;
    EXPECT_EQ(1, deletions);
    a.Release();
    EXPECT_EQ(1, deletions);
    b = SharedPtr<Tracked>();
    EXPECT_EQ(2, deletions);
}

TEST(SharedPtr, CopiesMadeOnManyThreadsDeleteTheObjectExactlyOnce)
{
    std::atomic<int> deletions{0};
    SharedPtr<Tracked> original(new Tracked(deletions));
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
    {
        threads.emplace_back([copy = original] {
            for (int i = 0; i < 5000; ++i)
            {
                SharedPtr<Tracked> again(copy);
                SharedPtr<Tracked> other;
                other = again;
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(0, deletions);
    original.Release();
    EXPECT_EQ(1, deletions);
}
