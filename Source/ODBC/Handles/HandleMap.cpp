#include "ODBC/Handles/HandleMap.h"

#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

HandleMap::HandleMap(HandleGenerator& in_generator) : m_generator(in_generator)
{
}

HandleMap::~HandleMap() = default;

HandleValue HandleMap::Register(void* in_object)
{
    CriticalSectionLock lock(m_lock);
    const HandleValue handle = m_generator.NextHandle();
    MakeSlot(handle).Open(in_object);
    return handle;
}

void HandleMap::Register(HandleValue in_handle, void* in_object)
{
    CriticalSectionLock lock(m_lock);
    MakeSlot(in_handle).Open(in_object);
}

void* HandleMap::Find(HandleValue in_handle)
{
    HandleSlot* slot = FindSlot(in_handle);
    return slot == nullptr ? nullptr : slot->GetObject();
}

HandleEntry HandleMap::Enter(HandleValue in_handle)
{
    HandleSlot* slot = FindSlot(in_handle);
    if (slot == nullptr)
    {
        return HandleEntry();
    }
    void* object = slot->Enter();
    return object == nullptr ? HandleEntry() : HandleEntry(*slot, object);
}

HandleSlot* HandleMap::GetSlot(HandleValue in_handle)
{
    HandleSlot* slot = FindSlot(in_handle);
    return slot == nullptr || slot->GetObject() == nullptr ? nullptr : slot;
}

void HandleMap::Unregister(HandleValue in_handle)
{
    CriticalSectionLock lock(m_lock);
    const auto found = m_slots.find(in_handle);
    if (found != m_slots.end())
    {
        found->second->Empty();
    }
    m_generator.ReleaseHandle(in_handle);
}

HandleSlot& HandleMap::MakeSlot(HandleValue in_handle)
{
    std::unique_ptr<HandleSlot>& slot = m_slots[in_handle];
    if (slot == nullptr)
    {
        slot = std::make_unique<HandleSlot>(in_handle);
    }
    m_lastSlot.store(slot.get(), std::memory_order_release);
    return *slot;
}

HandleSlot* HandleMap::FindSlot(HandleValue in_handle)
{
    HandleSlot* last = m_lastSlot.load(std::memory_order_acquire);
    if (last != nullptr && last->GetHandle() == in_handle)
    {
        return last;
    }
    CriticalSectionLock lock(m_lock);
    const auto found = m_slots.find(in_handle);
    if (found == m_slots.end())
    {
        return nullptr;
    }
    m_lastSlot.store(found->second.get(), std::memory_order_release);
    return found->second.get();
}

} // namespace ODBC
} // namespace Orvik
