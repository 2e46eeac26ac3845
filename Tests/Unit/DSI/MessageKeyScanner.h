#pragma once

// Test helper: finds the message keys that the driver's sources raise, so that a test can check
// that the message files hold each of them.
//
// Recognised patterns (comments are ignored; test sources are not scanned):
//  1. Every row "ROW(Key, DIAG_...)" of ORVIK_SUPPORT_ERROR_TABLE: a support error, component 3.
//  2. A call of a raiser named in RAISERS (MessageKeyScanner.cpp) or of any name ending in
//     "Exception", also as the type of a variable built with arguments (Raiser name(...)): its key is the first of its first three arguments that is a string literal
//     ("Key", u"Key", orvik_wstring("Key")) or a name defined in the same file as such a literal
//     (ANSI_ENCODING_ILLEGAL = "..."). A call whose first argument is true or false makes an
//     exception from finished text and has no key. Arguments in braces are parameters.
//     The component is the integer or *_COMPONENT_ID constant among the arguments before the key,
//     or a *_COMPONENT_ID constant right after it; else the raiser's fixed component; else any
//     component's package may hold the key.
// A key held in a variable (such as a parameter passed on) is not seen at that call; it is seen
// where the literal is raised or handed in.
//
// A later layer that raises keys another way adds its raiser to RAISERS.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// Component of a key that any package may hold.
constexpr int32_t ANY_COMPONENT = -1;

struct RaisedKey
{
    std::string m_key;
    int32_t m_componentId;
    std::string m_place; ///< "file:line"
};

class MessageKeyScanner
{
public:
    /// The keys raised in in_text, the content of the file in_fileName.
    static std::vector<RaisedKey> ScanText(const std::string& in_fileName, const std::string& in_text);

    /// The keys raised in every .h and .cpp file under in_directory; component constants are
    /// read from all of them first.
    static std::vector<RaisedKey> ScanDirectory(const std::string& in_directory);

    /// Values of the component constants (NAME_COMPONENT_ID = n) defined in in_text, added to
    /// the known ones.
    static void ReadComponentConstants(const std::string& in_text);
};

} // namespace Testing
} // namespace Orvik
