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
    CriticalSectionLock lock(m_lock);
    if (in_handle == m_cachedHandle)
    {
        return m_cachedObject;
    }
    const auto found = m_objects.find(in_handle);
    if (found == m_objects.end())
    {
        return nullptr;
    }
    m_cachedHandle = found->first;
    m_cachedObject = found->second;
    return m_cachedObject;
}

void HandleMap::Unregister(HandleValue in_handle)
{
    CriticalSectionLock lock(m_lock);
    m_objects.erase(in_handle);
    m_generator.ReleaseHandle(in_handle);
    m_cachedHandle = 0;
    m_cachedObject = nullptr;
}

// Values are always fresh; were one registered already, its entry and the cache would keep the
// object registered first.
void HandleMap::Insert(HandleValue in_handle, void* in_object)
{
    const auto entry = m_objects.emplace(in_handle, in_object).first;
    m_cachedHandle = entry->first;
    m_cachedObject = entry->second;
}

} // namespace ODBC
} // namespace Orvik
