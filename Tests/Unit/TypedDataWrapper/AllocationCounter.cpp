#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_isCounting{false};
std::atomic<int> g_allocations{0};

} // namespace

void AllocationCounter::Start()
{
    g_allocations = 0;
    g_isCounting = true;
}

int AllocationCounter::Stop()
{
    g_isCounting = false;
    return g_allocations;
}

// Every allocation of this test program passes here; only those made while counting are counted.
// The replacements pair malloc with free themselves, which GCC cannot see across them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t in_size)
{
    if (g_isCounting)
    {
        ++g_allocations;
    }
    if (void* memory = std::malloc(in_size == 0 ? 1 : in_size))
    {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* in_memory) noexcept
{
    std::free(in_memory);
}

void operator delete(void* in_memory, std::size_t) noexcept
{
    std::free(in_memory);
}

// The forms that do not throw (std::stable_sort's temporary buffer uses them) go the same way, so
// that every allocation is freed by the free above.
void* operator new(std::size_t in_size, const std::nothrow_t&) noexcept
{
    if (g_isCounting)
    {
        ++g_allocations;
    }
    return std::malloc(in_size == 0 ? 1 : in_size);
}

void operator delete(void* in_memory, const std::nothrow_t&) noexcept
{
    std::free(in_memory);
}
