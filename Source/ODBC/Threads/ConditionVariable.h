#pragma once

#include "Support/CriticalSection.h"

#include <condition_variable>
#include <cstdint>

namespace Orvik {
namespace ODBC {

/// A condition variable over its own lock that counts its waiters and its signals: a wake-up
/// without a signal never ends a sleep, and a signal given to a waiter that has not yet gone to
/// sleep is not lost. Every operation is called with the lock held exactly once.
class ConditionVariable : public Support::CriticalSection
{
public:
    ConditionVariable() = default;

    /// Signals one waiter, unless every waiter already has a signal, and wakes one.
    void WakeOne();

    /// Gives every waiter a signal and wakes them all.
    void WakeAll();

    /// Waits, without a time limit, until a signal is there for this thread, and takes it.
    void Sleep();

private:
    std::condition_variable_any m_condition;
    uint32_t m_waiterCount = 0;
    // Never above the waiter count.
    uint32_t m_signalCount = 0;
};

} // namespace ODBC
} // namespace Orvik
