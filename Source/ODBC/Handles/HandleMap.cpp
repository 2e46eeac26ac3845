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
    Insert(handle, in_object);
    return handle;
}

void HandleMap::Register(HandleValue in_handle, void* in_object)
{
    CriticalSectionLock lock(m_lock);
    Insert(in_handle, in_object);
}

void* HandleMap::Find(HandleValue in_handle)
{
    if (void* cached = FindCached(in_handle))
    {
        return cached;
    }
    CriticalSectionLock lock(m_lock);
    const auto found = m_objects.find(in_handle);
    if (found == m_objects.end())
    {
        return nullptr;
    }
    SetCache(found->first, found->second);
    return found->second;
}

void HandleMap::Unregister(HandleValue in_handle)
{
    CriticalSectionLock lock(m_lock);
    m_objects.erase(in_handle);
    m_generator.ReleaseHandle(in_handle);
    SetCache(0, nullptr);
}

void* HandleMap::FindCached(HandleValue in_handle) const
{
    const uint64_t version = m_cacheVersion.load(std::memory_order_acquire);
    if (version % 2 != 0 || m_cachedHandle.load(std::memory_order_relaxed) != in_handle)
    {
        return nullptr;
    }
    void* object = m_cachedObject.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    return m_cacheVersion.load(std::memory_order_relaxed) == version ? object : nullptr;
}

void HandleMap::SetCache(HandleValue in_handle, void* in_object)
{
    const uint64_t version = m_cacheVersion.load(std::memory_order_relaxed);
    m_cacheVersion.store(version + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    m_cachedHandle.store(in_handle, std::memory_order_relaxed);
    m_cachedObject.store(in_object, std::memory_order_relaxed);
    m_cacheVersion.store(version + 2, std::memory_order_release);
}

// Values are always fresh; were one registered already, its entry and the cache would keep the
// object registered first.
void HandleMap::Insert(HandleValue in_handle, void* in_object)
{
    const auto entry = m_objects.emplace(in_handle, in_object).first;
    SetCache(entry->first, entry->second);
}

} // namespace ODBC
} // namespace Orvik
