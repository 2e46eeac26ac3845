#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/Handles/HandleGenerator.h"
#include "ODBC/Handles/HandleMap.h"
#include "Support/ErrorException.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <set>
#include <thread>
#include <vector>

using namespace Orvik::ODBC;
using Orvik::Support::ErrorException;

namespace {

TEST(HandleRegistryTest, ValuesAreReusedOldestReleaseFirstBeforeNewOnes)
{
    HandleGenerator generator;
    HandleMap statements(generator);
    int objects[8] = {};
    // A statement and its four implicit descriptors: 1 to 5.
    for (HandleValue expected = 1; expected <= 5; ++expected)
    {
        ASSERT_EQ(expected, generator.NextHandle());
    }
    statements.Register(4, &objects[4]);
    statements.Register(2, &objects[2]);
    statements.Unregister(4);
    statements.Unregister(2);
    EXPECT_EQ(4u, generator.NextHandle());
    EXPECT_EQ(2u, generator.NextHandle());
    EXPECT_EQ(6u, generator.NextHandle());
}

TEST(HandleRegistryTest, AValueIsFoundOnlyInTheRegistryOfItsKind)
{
    HandleGenerator generator;
    HandleMap environments(generator);
    HandleMap connections(generator);
    int environment = 0;
    int connection = 0;
    const HandleValue environmentHandle = environments.Register(&environment);
    const HandleValue connectionHandle = connections.Register(&connection);
    EXPECT_EQ(1u, environmentHandle);
    EXPECT_EQ(2u, connectionHandle);
    EXPECT_EQ(&environment, environments.Find(environmentHandle));
    EXPECT_EQ(nullptr, environments.Find(connectionHandle));
    EXPECT_EQ(nullptr, connections.Find(environmentHandle));
    EXPECT_EQ(&connection, connections.Find(connectionHandle));
    EXPECT_EQ(nullptr, connections.Find(0));
}

TEST(HandleRegistryTest, UnregisteringForgetsTheCachedObject)
{
    HandleGenerator generator;
    HandleMap statements(generator);
    int first = 0;
    int second = 0;
    const HandleValue firstHandle = statements.Register(&first);
    const HandleValue secondHandle = statements.Register(&second);
    EXPECT_EQ(&first, statements.Find(firstHandle));
    EXPECT_EQ(&first, statements.Find(firstHandle));
    statements.Unregister(firstHandle);
    EXPECT_EQ(nullptr, statements.Find(firstHandle));
    EXPECT_EQ(nullptr, statements.Find(0));
    EXPECT_EQ(&second, statements.Find(secondHandle));
    // The released value is drawn again, now for another object.
    int third = 0;
    EXPECT_EQ(firstHandle, statements.Register(&third));
    EXPECT_EQ(&third, statements.Find(firstHandle));
}

TEST(HandleRegistryTest, AFreeClosesAHandleOnlyWhileNoCallIsCountedOnIt)
{
    HandleGenerator generator;
    HandleMap statements(generator);
    int statement = 0;
    const HandleValue handle = statements.Register(&statement);
    {
        const HandleEntry call = statements.Enter(handle);
        EXPECT_EQ(&statement, call.GetObject());
        HandleClosing closing;
        EXPECT_FALSE(closing.Close(statements.GetSlot(handle)));
    }
    {
        HandleClosing closing;
        ASSERT_TRUE(closing.Close(statements.GetSlot(handle)));
        // A call finds nothing now, the free itself still finds its object.
        EXPECT_FALSE(statements.Enter(handle));
        EXPECT_EQ(&statement, statements.Find(handle));
    }
    // The free was refused after all: calls find the handle again.
    EXPECT_TRUE(statements.Enter(handle));
    {
        HandleClosing closing;
        ASSERT_TRUE(closing.Close(statements.GetSlot(handle)));
        closing.Keep();
    }
    EXPECT_FALSE(statements.Enter(handle));
    statements.Unregister(handle);
    EXPECT_EQ(nullptr, statements.GetSlot(handle));
    EXPECT_EQ(nullptr, statements.Find(handle));
    // The value drawn again opens for its new object.
    int next = 0;
    ASSERT_EQ(handle, statements.Register(&next));
    EXPECT_EQ(&next, statements.Enter(handle).GetObject());
}

TEST(HandleRegistryTest, AFreeThatMeetsACountedCallOpensAgainWhatItClosed)
{
    HandleGenerator generator;
    HandleMap statements(generator);
    int objects[2] = {};
    const HandleValue idle = statements.Register(&objects[0]);
    const HandleValue busy = statements.Register(&objects[1]);
    const HandleEntry call = statements.Enter(busy);
    {
        HandleClosing closing;
        EXPECT_TRUE(closing.Close(statements.GetSlot(idle)));
        EXPECT_TRUE(closing.Close(nullptr));
        EXPECT_FALSE(closing.Close(statements.GetSlot(busy)));
    }
    EXPECT_EQ(&objects[0], statements.Enter(idle).GetObject());
    EXPECT_EQ(&objects[1], statements.Enter(busy).GetObject());
}

TEST(HandleRegistryTest, TheCounterRefusesToWrapAndChangesNothing)
{
    HandleGenerator generator(std::numeric_limits<HandleValue>::max());
    HandleMap connections(generator);
    int connection = 0;
    EXPECT_EQ(std::numeric_limits<HandleValue>::max(), connections.Register(&connection));
    try
    {
        connections.Register(&connection);
        FAIL() << "a wrapped counter gave a value";
    }
    catch (const ErrorException& e)
    {
        EXPECT_EQ("TooManyHandles", e.GetMessageKey().GetAsUTF8());
        EXPECT_EQ(Orvik::Support::DIAG_HANDLE_LIMIT_EXCEEDED, e.GetDiagState());
        EXPECT_EQ(Orvik::Support::ODBC_COMPONENT_ID, e.GetComponentId());
    }
    // A released value is still issued.
    connections.Unregister(std::numeric_limits<HandleValue>::max());
    EXPECT_EQ(std::numeric_limits<HandleValue>::max(), generator.NextHandle());
}

TEST(HandleRegistryTest, ThreadsRegisteringAtOnceNeverShareAValue)
{
    HandleGenerator generator;
    HandleMap statements(generator);
    HandleMap descriptors(generator);
    constexpr int THREADS = 8;
    constexpr int ROUNDS = 500;
    std::vector<std::vector<HandleValue>> kept(THREADS);
    std::vector<std::thread> threads;
    int object = 0;
    for (int t = 0; t < THREADS; ++t)
    {
        threads.emplace_back([&, t] {
            HandleMap& registry = t % 2 == 0 ? statements : descriptors;
            for (int round = 0; round < ROUNDS; ++round)
            {
                const HandleValue handle = registry.Register(&object);
                if (round % 2 == 0)
                {
                    registry.Unregister(handle);
                }
                else
                {
                    kept[t].push_back(handle);
                }
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    std::set<HandleValue> live;
    for (const std::vector<HandleValue>& handles : kept)
    {
        for (HandleValue handle : handles)
        {
            EXPECT_TRUE(live.insert(handle).second) << handle;
        }
    }
    EXPECT_EQ(static_cast<size_t>(THREADS * ROUNDS / 2), live.size());
}

// Threads calling on their own handles at once keep replacing the cached object, which the
// lookups read without the lock: none may ever be handed another handle's object.
TEST(HandleRegistryTest, ThreadsLookingUpTheirOwnHandlesAtOnceEachFindTheirOwnObject)
{
    HandleGenerator generator;
    HandleMap statements(generator);
    constexpr int THREADS = 4;
    constexpr int ROUNDS = 20000;
    int objects[THREADS] = {};
    HandleValue handles[THREADS];
    for (int t = 0; t < THREADS; ++t)
    {
        handles[t] = statements.Register(&objects[t]);
    }
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < THREADS; ++t)
    {
        threads.emplace_back([&, t] {
            int other = 0;
            for (int round = 0; round < ROUNDS; ++round)
            {
                wrong += statements.Find(handles[t]) == &objects[t] ? 0 : 1;
                if (round % 64 == 0)
                {
                    // Another value comes and goes between the lookups.
                    statements.Unregister(statements.Register(&other));
                }
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(0, wrong.load());
}

} // namespace
