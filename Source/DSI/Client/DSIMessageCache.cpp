#include "DSI/Client/DSIMessageCache.h"

#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

void DSIMessageCache::Insert(const std::string& in_locale,
                             const orvik_wstring& in_key,
                             int32_t in_componentId,
                             const orvik_wstring& in_text,
                             uint32_t in_nativeErrorCode)
{
    Support::CriticalSectionLock lock(m_lock);
    m_entries[in_locale][in_componentId].emplace(in_key, Entry(in_text, in_nativeErrorCode));
}

bool DSIMessageCache::Lookup(const std::string& in_locale,
                             const orvik_wstring& in_key,
                             int32_t in_componentId,
                             orvik_wstring& out_text,
                             uint32_t& out_nativeErrorCode)
{
    Support::CriticalSectionLock lock(m_lock);
    const auto locale = m_entries.find(in_locale);
    if (locale == m_entries.end())
    {
        return false;
    }
    const auto component = locale->second.find(in_componentId);
    if (component == locale->second.end())
    {
        return false;
    }
    const auto entry = component->second.find(in_key);
    if (entry == component->second.end())
    {
        return false;
    }
    out_text = entry->second.first;
    out_nativeErrorCode = entry->second.second;
    return true;
}

} // namespace DSI
} // namespace Orvik
