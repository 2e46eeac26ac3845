#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace Orvik {
namespace Support {

/// A lock that the thread holding it may take again (re-entrant). It is taken and left only
/// through a CriticalSectionLock, so that every locked region is the lifetime of one holder.
/// A condition variable derives from it and waits with WaitOn.
///
/// The holder counts its own re-entries: only the first takes the mutex and only the last leaves
/// it, so that a call taking a lock its caller already holds costs no mutex operation.
class CriticalSection
{
public:
    CriticalSection() = default;
    virtual ~CriticalSection() = default;

    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

protected:
    /// How many times the calling thread holds this lock; 0 when it does not hold it.
    uint32_t GetHoldCount() const;

    /// Waits on io_condition, letting other threads take this lock meanwhile, and holds it
    /// again on return; a return may be spurious, so callers wait in a loop on their own
    /// state. A wait gives the lock up once only, so the calling thread must hold it exactly
    /// once: otherwise throws InvalidOperationException and does not wait.
    void WaitOn(std::condition_variable_any& io_condition);

private:
    friend class CriticalSectionLock;

    void Enter()
    {
        const std::thread::id self = std::this_thread::get_id();
        // Only this thread stores its own id here, so a match means it holds the mutex already.
        if (m_holder.load(std::memory_order_relaxed) == self)
        {
            ++m_depth;
            return;
        }
        m_mutex.lock();
        m_holder.store(self, std::memory_order_relaxed);
        m_depth = 1;
    }

    void Leave()
    {
        if (--m_depth == 0)
        {
            m_holder.store(std::thread::id(), std::memory_order_relaxed);
            m_mutex.unlock();
        }
    }

    std::mutex m_mutex;
    // The holder and its depth; both are written only by the holder while it holds m_mutex.
    std::atomic<std::thread::id> m_holder{};
    uint32_t m_depth = 0;
};

} // namespace Support
} // namespace Orvik
