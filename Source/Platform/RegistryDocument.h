#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace OS {

/// One typed value of a registry key as the registry file holds it. Text is UTF-8.
struct RegistryValue
{
    enum class Type
    {
        Text,  ///< "Name"="text"
        DWord, ///< "Name"=dword:0000000a
        QWord  ///< "Name"=qword:000000000000000a
    };

    std::string m_name;    ///< as written in the file
    Type m_type;
    std::string m_text;    ///< the text of a Text value, unescaped
    uint64_t m_number;     ///< the number of a DWord or QWord value
};

/// The contents of one registry file, in the registry export format: "[key path]" sections
/// followed by their values. Lines this layer does not understand (comments, values of other
/// types, their continuation lines) are kept as they are and otherwise ignored, so that a
/// rewrite changes only the value it sets. Key paths and value names are matched without
/// regard to case and kept as written.
class RegistryDocument
{
public:
    explicit RegistryDocument(const std::string& in_text);

    /// True when the document has a section for the key.
    bool HasKey(const std::string& in_keyPath) const;

    /// The values of the key's sections in file order; a later value of the same name comes
    /// after the one it overrides.
    std::vector<RegistryValue> GetValues(const std::string& in_keyPath) const;

    /// Sets a text value, replacing a value of the same name (whose spelling is kept) or
    /// adding it at the end of the key's section, which is created when missing. Returns false
    /// when the key path, the name or the text holds a line break, which the file cannot carry.
    bool SetText(const std::string& in_keyPath, const std::string& in_name, const std::string& in_text);

    /// The document as file text, each line ending in a line feed.
    std::string ToText() const;

private:
    /// Logical lines: a value spread over continuation lines is one entry holding its line feeds.
    std::vector<std::string> m_lines;
};

} // namespace OS
} // namespace Orvik
