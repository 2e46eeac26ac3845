#pragma once

/// Counts the heap allocations that this test program makes through operator new while counting
/// is on, to show that a conversion path allocates nothing.
class AllocationCounter
{
public:
    AllocationCounter() = delete;

    /// Starts counting from zero.
    static void Start();

    /// Stops counting and returns the allocations made since Start.
    static int Stop();
};
