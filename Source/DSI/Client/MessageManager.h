#pragma once

#include "DSI/Client/DSIMessageCache.h"
#include "Support/CriticalSection.h"
#include "Support/orvik_wstring.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Orvik {
namespace DSI {

class DSIMessageFileReader;

/// Behind a message source: maps component ids to message files, keeps one reader per file and
/// locale, caches found texts and puts the vendor prefix before them. A failed lookup of a
/// built-in component (1 to 7, 11) or of an unregistered one is retried in "en-US"; a back
/// end's component is looked up in the requested locale only. Lookups are serialised by the
/// manager's lock.
class MessageManager
{
public:
    /// Registers the built-in components and loads "en-US"; with in_vendorFlag, found texts
    /// start with the vendor prefix.
    explicit MessageManager(bool in_vendorFlag);
    ~MessageManager();

    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;

    /// Maps in_componentId to in_fileName; a registered id keeps its file. Takes no lock: it
    /// belongs to the driver's construction.
    void RegisterFile(int32_t in_componentId, const std::string& in_fileName);

    /// The vendor prefix becomes "[" in_name "]".
    void SetVendorName(const Support::orvik_wstring& in_name);

    /// The text and native code of in_key for in_componentId in in_locale; a text not found is
    /// one of the "[DSI]" fallback texts with code MESSAGE_NOT_FOUND, and is not cached.
    void GetMessage(const std::string& in_locale,
                    const Support::orvik_wstring& in_key,
                    int32_t in_componentId,
                    Support::orvik_wstring& out_text,
                    uint32_t& out_nativeErrorCode);

private:
    using ReaderList = std::vector<std::unique_ptr<DSIMessageFileReader>>;

    void FindInLocale(const std::string& in_locale,
                      const Support::orvik_wstring& in_key,
                      int32_t in_componentId,
                      Support::orvik_wstring& out_text,
                      uint32_t& out_nativeErrorCode);

    /// Asks a new reader of a back end's file, and keeps it when it could open its file.
    void FindInNewReader(const std::string& in_locale,
                         const std::string& in_fileName,
                         const Support::orvik_wstring& in_key,
                         int32_t in_componentId,
                         Support::orvik_wstring& out_text,
                         uint32_t& out_nativeErrorCode);

    /// Asks the locale's reader of a back end's file, made when there is none yet.
    void FindInBackEndFile(const std::string& in_locale,
                           const std::string& in_fileName,
                           const Support::orvik_wstring& in_key,
                           int32_t in_componentId,
                           Support::orvik_wstring& out_text,
                           uint32_t& out_nativeErrorCode);

    /// Creates the readers of the built-in files for in_locale.
    void LoadLocale(const std::string& in_locale);

    /// The locale's reader of in_fileName (letter case ignored), or null.
    DSIMessageFileReader* FindReader(const std::string& in_locale, const std::string& in_fileName);

    /// The file of in_componentId, or empty.
    std::string GetFileName(int32_t in_componentId) const;

    std::map<std::string, ReaderList> m_readers;
    std::map<int32_t, std::string> m_files;
    DSIMessageCache m_cache;
    std::set<std::string> m_loadedLocales;
    Support::CriticalSection m_lock;
    Support::orvik_wstring m_vendorPrefix;
    bool m_vendorFlag;
};

} // namespace DSI
} // namespace Orvik
