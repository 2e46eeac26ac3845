#pragma once

#include "ODBC/Handles/HandleSlot.h"

namespace Orvik {
namespace ODBC {

/// One call counted on a registered object, from the lookup that found it until this is
/// destroyed: meanwhile the object is not freed, because its free is refused. Empty when the
/// lookup found nothing.
class HandleEntry
{
public:
    HandleEntry() = default;

    /// Takes over the count that io_slot's Enter made for in_object.
    HandleEntry(HandleSlot& io_slot, void* in_object) : m_slot(&io_slot), m_object(in_object) {}

    HandleEntry(HandleEntry&& io_other) noexcept : m_slot(io_other.m_slot), m_object(io_other.m_object)
    {
        io_other.m_slot = nullptr;
        io_other.m_object = nullptr;
    }

    HandleEntry& operator=(HandleEntry&& io_other) noexcept
    {
        if (this != &io_other)
        {
            Release();
            m_slot = io_other.m_slot;
            m_object = io_other.m_object;
            io_other.m_slot = nullptr;
            io_other.m_object = nullptr;
        }
        return *this;
    }

    ~HandleEntry() { Release(); }

    HandleEntry(const HandleEntry&) = delete;
    HandleEntry& operator=(const HandleEntry&) = delete;

    void* GetObject() const { return m_object; }

    explicit operator bool() const { return m_object != nullptr; }

    /// Ends the call's count now.
    void Release()
    {
        if (m_slot != nullptr)
        {
            m_slot->Leave();
            m_slot = nullptr;
            m_object = nullptr;
        }
    }

private:
    HandleSlot* m_slot = nullptr;
    void* m_object = nullptr;
};

} // namespace ODBC
} // namespace Orvik
