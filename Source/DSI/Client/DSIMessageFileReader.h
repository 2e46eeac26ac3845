#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace Orvik {
namespace DSI {

/// The native error code of a message that was not found; the text then says what was missing.
constexpr uint32_t MESSAGE_NOT_FOUND = 4294967295u;

/// Reads the messages of one XML message file in one locale. The file is found in the message
/// directory (the "ERRORMESSAGESPATH" setting resolved against the driver's message-file
/// directory) as "<locale>/<name>.xml", else as "<name>_<locale>.xml"; it is opened at the
/// first lookup that finds it and kept open. Each lookup parses the file from its start and
/// stops at the end of the message it wants.
///
/// A file holds "Package" elements (attributes "ID", the component id, and "DefaultComponent")
/// with "Error" elements (attributes "Key", "Component", "Params" and "NativeErrorCode") whose
/// character data is the text. A found text reads "[component] (code) text".
///
/// Not thread-safe: the message manager serialises its lookups.
class DSIMessageFileReader
{
public:
    /// A reader of in_fileName (without directory, locale or extension) in in_locale;
    /// in_componentPrefix puts the component name before found texts. Opens nothing.
    DSIMessageFileReader(const std::string& in_fileName, const std::string& in_locale, bool in_componentPrefix);
    ~DSIMessageFileReader();

    DSIMessageFileReader(const DSIMessageFileReader&) = delete;
    DSIMessageFileReader& operator=(const DSIMessageFileReader&) = delete;

    /// Looks up in_key in the package of in_componentId. Returns false only when the file
    /// cannot be opened (code MESSAGE_NOT_FOUND and a text naming the first path tried, in
    /// in_messageLocale). Otherwise true: the found text and code, or, when the file has no
    /// such message, MESSAGE_NOT_FOUND and a text naming the key. A number attribute that is not
    /// a number of its type raises the number-conversion error.
    bool Lookup(const std::string& in_messageLocale,
                const Support::orvik_wstring& in_key,
                int32_t in_componentId,
                Support::orvik_wstring& out_text,
                uint32_t& out_nativeErrorCode);

    const std::string& GetFileName() const { return m_fileName; }

private:
    /// Opens the first candidate that exists; false when neither does.
    bool OpenFile();

    std::string m_firstPath;
    std::string m_directory;
    std::string m_fileName;
    std::FILE* m_file = nullptr;
    std::string m_locale;
    bool m_componentPrefix;
};

} // namespace DSI
} // namespace Orvik
