#pragma once

#include "Support/CriticalSection.h"
#include "Support/orvik_wstring.h"

#include <map>
#include <string>
#include <utility>

namespace Orvik {
namespace DSI {

/// The message texts found so far, by locale, component id and message key (case-sensitive).
/// The first text stored for an entry stays; nothing is removed before the cache is destroyed.
/// Every operation takes the cache's own lock, so the cache may be shared between threads.
class DSIMessageCache
{
public:
    DSIMessageCache() = default;

    DSIMessageCache(const DSIMessageCache&) = delete;
    DSIMessageCache& operator=(const DSIMessageCache&) = delete;

    /// Adds the entry unless one exists for the same locale, component and key.
    void Insert(const std::string& in_locale,
                const Support::orvik_wstring& in_key,
                int32_t in_componentId,
                const Support::orvik_wstring& in_text,
                uint32_t in_nativeErrorCode);

    /// True with copies of the entry's text and code; false, leaving both untouched, when the
    /// cache has no such entry.
    bool Lookup(const std::string& in_locale,
                const Support::orvik_wstring& in_key,
                int32_t in_componentId,
                Support::orvik_wstring& out_text,
                uint32_t& out_nativeErrorCode);

private:
    using Entry = std::pair<Support::orvik_wstring, uint32_t>;
    using KeyMap = std::map<Support::orvik_wstring, Entry>;

    Support::CriticalSection m_lock;
    std::map<std::string, std::map<int32_t, KeyMap>> m_entries;
};

} // namespace DSI
} // namespace Orvik
