#include "DSI/Client/MessageManager.h"

#include "DSI/Client/DSIMessageFileReader.h"
#include "Support/CriticalSectionLock.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace DSI {

using Support::CriticalSectionLock;
using Support::orvik_wstring;

namespace {

struct BuiltInFile
{
    int32_t m_componentId;
    const char* m_fileName;
};

// The message files of the built-in components.
constexpr BuiltInFile BUILT_IN_FILES[] = {
    { 1, "ODBCMessages" },      { 2, "ODBCMessages" },     { 3, "ODBCMessages" },   { 4, "SQLEngineMessages" },
    { 5, "CSCommonMessages" },  { 6, "CSCommonMessages" }, { 7, "ServerMessages" }, { 11, "OLEDBMessages" },
};

// The built-in files, in the order their readers are created for a locale.
constexpr const char* BUILT_IN_FILE_NAMES[] = { "ODBCMessages", "SQLEngineMessages", "CSCommonMessages",
                                                "ServerMessages", "OLEDBMessages" };

const char* const RETRY_LOCALE = "en-US";
constexpr int32_t LAST_BUILT_IN_RANGE_ID = 7;
constexpr int32_t OLEDB_COMPONENT_ID = 11;

bool IsBuiltInComponent(int32_t in_componentId)
{
    return (in_componentId >= 1 && in_componentId <= LAST_BUILT_IN_RANGE_ID) || in_componentId == OLEDB_COMPONENT_ID;
}

bool EqualIgnoringAsciiCase(const std::string& in_left, const std::string& in_right)
{
    if (in_left.size() != in_right.size())
    {
        return false;
    }
    for (size_t i = 0; i < in_left.size(); ++i)
    {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(in_left[i]) != lower(in_right[i]))
        {
            return false;
        }
    }
    return true;
}

} // namespace

MessageManager::MessageManager(bool in_vendorFlag) : m_vendorFlag(in_vendorFlag)
{
    for (const BuiltInFile& file : BUILT_IN_FILES)
    {
        m_files.emplace(file.m_componentId, file.m_fileName);
    }
    LoadLocale(RETRY_LOCALE);
}

MessageManager::~MessageManager() = default;

void MessageManager::RegisterFile(int32_t in_componentId, const std::string& in_fileName)
{
    m_files.emplace(in_componentId, in_fileName);
}

void MessageManager::SetVendorName(const orvik_wstring& in_name)
{
    CriticalSectionLock lock(m_lock);
    m_vendorPrefix = u"[" + in_name + u"]";
}

std::string MessageManager::GetFileName(int32_t in_componentId) const
{
    const auto found = m_files.find(in_componentId);
    return found == m_files.end() ? std::string() : found->second;
}

void MessageManager::GetMessage(const std::string& in_locale,
                                const orvik_wstring& in_key,
                                int32_t in_componentId,
                                orvik_wstring& out_text,
                                uint32_t& out_nativeErrorCode)
{
    CriticalSectionLock lock(m_lock);
    if (m_cache.Lookup(in_locale, in_key, in_componentId, out_text, out_nativeErrorCode))
    {
        return;
    }
    out_nativeErrorCode = MESSAGE_NOT_FOUND;
    FindInLocale(in_locale, in_key, in_componentId, out_text, out_nativeErrorCode);
    const std::string fileName = GetFileName(in_componentId);
    if (out_nativeErrorCode == MESSAGE_NOT_FOUND)
    {
        if (!IsBuiltInComponent(in_componentId) && !fileName.empty())
        {
            if (FindReader(in_locale, fileName) == nullptr)
            {
                FindInNewReader(in_locale, fileName, in_key, in_componentId, out_text, out_nativeErrorCode);
            }
            if (out_nativeErrorCode == MESSAGE_NOT_FOUND && in_locale != RETRY_LOCALE)
            {
                // A locale without the back end's texts must not hide its errors: the
                // driver's own texts exist in en-US.
                FindInBackEndFile(RETRY_LOCALE, fileName, in_key, in_componentId, out_text, out_nativeErrorCode);
            }
        }
        else if (in_locale != RETRY_LOCALE || fileName.empty())
        {
            FindInLocale(RETRY_LOCALE, in_key, in_componentId, out_text, out_nativeErrorCode);
        }
    }
    if (out_nativeErrorCode == MESSAGE_NOT_FOUND)
    {
        return;
    }
    if (m_vendorFlag)
    {
        out_text = m_vendorPrefix + out_text;
    }
    m_cache.Insert(in_locale, in_key, in_componentId, out_text, out_nativeErrorCode);
}

void MessageManager::FindInLocale(const std::string& in_locale,
                                  const orvik_wstring& in_key,
                                  int32_t in_componentId,
                                  orvik_wstring& out_text,
                                  uint32_t& out_nativeErrorCode)
{
    const std::string fileName = GetFileName(in_componentId);
    if (fileName.empty())
    {
        out_text = u"[DSI] Invalid source component ID: " + Support::NumberConverter::ConvertInt32ToWString(in_componentId);
        out_nativeErrorCode = MESSAGE_NOT_FOUND;
        return;
    }
    if (m_loadedLocales.count(in_locale) == 0)
    {
        LoadLocale(in_locale);
    }
    DSIMessageFileReader* reader = FindReader(in_locale, fileName);
    if (reader == nullptr)
    {
        out_nativeErrorCode = MESSAGE_NOT_FOUND;
        return;
    }
    reader->Lookup(in_locale, in_key, in_componentId, out_text, out_nativeErrorCode);
}

void MessageManager::FindInNewReader(const std::string& in_locale,
                                     const std::string& in_fileName,
                                     const orvik_wstring& in_key,
                                     int32_t in_componentId,
                                     orvik_wstring& out_text,
                                     uint32_t& out_nativeErrorCode)
{
    auto reader = std::make_unique<DSIMessageFileReader>(in_fileName, in_locale, true);
    // A reader that could not open its file is dropped, so that the next lookup tries again.
    if (reader->Lookup(in_locale, in_key, in_componentId, out_text, out_nativeErrorCode))
    {
        m_readers[in_locale].push_back(std::move(reader));
    }
}

void MessageManager::FindInBackEndFile(const std::string& in_locale,
                                       const std::string& in_fileName,
                                       const orvik_wstring& in_key,
                                       int32_t in_componentId,
                                       orvik_wstring& out_text,
                                       uint32_t& out_nativeErrorCode)
{
    if (DSIMessageFileReader* reader = FindReader(in_locale, in_fileName))
    {
        reader->Lookup(in_locale, in_key, in_componentId, out_text, out_nativeErrorCode);
        return;
    }
    FindInNewReader(in_locale, in_fileName, in_key, in_componentId, out_text, out_nativeErrorCode);
}

void MessageManager::LoadLocale(const std::string& in_locale)
{
    ReaderList& readers = m_readers[in_locale];
    for (const char* fileName : BUILT_IN_FILE_NAMES)
    {
        readers.push_back(std::make_unique<DSIMessageFileReader>(fileName, in_locale, true));
    }
    m_loadedLocales.insert(in_locale);
}

DSIMessageFileReader* MessageManager::FindReader(const std::string& in_locale, const std::string& in_fileName)
{
    const auto readers = m_readers.find(in_locale);
    if (readers == m_readers.end())
    {
        return nullptr;
    }
    for (const std::unique_ptr<DSIMessageFileReader>& reader : readers->second)
    {
        if (EqualIgnoringAsciiCase(reader->GetFileName(), in_fileName))
        {
            return reader.get();
        }
    }
    return nullptr;
}

} // namespace DSI
} // namespace Orvik
