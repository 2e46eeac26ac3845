#pragma once

#include "Support/orvik_wstring.h"

#include <string>
#include <string_view>

namespace Orvik {
namespace Support {

/// Decodes UTF-8 (file names, registry text, system messages) through ICU directly, so that it
/// works before the platform service exists; malformed bytes become U+FFFD.
orvik_wstring WStringFromUtf8(const std::string& in_text);

/// Whether in_text is well-formed UTF-8: no overlong form, surrogate, code point beyond
/// U+10FFFF, stray continuation byte or cut character. Texts of 32 bytes and more are checked 32
/// bytes at a time where the processor allows, several times faster than converting them.
bool IsWellFormedUtf8(std::string_view in_text);

} // namespace Support
} // namespace Orvik
