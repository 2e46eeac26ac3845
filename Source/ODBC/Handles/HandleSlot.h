#pragma once

#include "ODBC/Handles/HandleGenerator.h"

#include <atomic>
#include <cstdint>

namespace Orvik {
namespace ODBC {

/// What the calls on one handle value of a registry count on: the object registered under the
/// value, whether the value is open to calls, and how many calls are counted on it. A registry
/// keeps the slot of each value it was given for as long as the registry lives and hands it to
/// whatever it registers under that value later, so a call that found the slot may count itself
/// on it whatever became of the object meanwhile. A free closes the slot, which only succeeds
/// while no call is counted, and a call that counts itself on a closed slot takes its count back
/// and finds nothing: no call ever reaches a freed object.
class HandleSlot
{
public:
    explicit HandleSlot(HandleValue in_handle) : m_handle(in_handle) {}

    HandleSlot(const HandleSlot&) = delete;
    HandleSlot& operator=(const HandleSlot&) = delete;

    HandleValue GetHandle() const { return m_handle; }

    /// Counts a call and returns the object, or returns null with nothing counted when the slot
    /// is closed.
    void* Enter()
    {
        // Acquires what Open published with the object.
        if ((m_state.fetch_add(1, std::memory_order_acquire) & CLOSED) != 0)
        {
            Leave();
            return nullptr;
        }
        return m_object.load(std::memory_order_relaxed);
    }

    /// Ends a call that Enter counted.
    void Leave() { m_state.fetch_sub(1, std::memory_order_release); }

    /// The object registered, open or closed, or null; counts nothing.
    void* GetObject() const { return m_object.load(std::memory_order_acquire); }

    /// Closes the slot to new calls, which only succeeds while no call is counted on it.
    bool Close()
    {
        uint32_t idle = 0;
        return m_state.compare_exchange_strong(idle, CLOSED, std::memory_order_acq_rel);
    }

    /// Opens a slot that Close closed again: the free it was closed for was refused after all.
    void Reopen() { m_state.fetch_and(~CLOSED, std::memory_order_release); }

    /// Takes in_object and opens the slot to calls on it.
    void Open(void* in_object)
    {
        m_object.store(in_object, std::memory_order_relaxed);
        m_state.fetch_and(~CLOSED, std::memory_order_release);
    }

    /// Closes the slot, whatever is counted on it, and forgets its object.
    void Empty()
    {
        m_state.fetch_or(CLOSED, std::memory_order_acq_rel);
        m_object.store(nullptr, std::memory_order_release);
    }

    /// Whether a call is counted on the slot.
    bool IsEntered() const { return (m_state.load(std::memory_order_acquire) & ~CLOSED) != 0; }

private:
    static constexpr uint32_t CLOSED = 0x80000000u;

    const HandleValue m_handle;
    // CLOSED, and below it the number of calls counted; a slot begins closed, without an object.
    std::atomic<uint32_t> m_state{CLOSED};
    std::atomic<void*> m_object{nullptr};
};

} // namespace ODBC
} // namespace Orvik
