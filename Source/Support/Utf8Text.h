#pragma once

#include "Support/orvik_wstring.h"

#include <string>

namespace Orvik {
namespace Support {

/// Decodes UTF-8 (file names, registry text, system messages) through ICU directly, so that it
/// works before the platform service exists; malformed bytes become U+FFFD.
orvik_wstring WStringFromUtf8(const std::string& in_text);

} // namespace Support
} // namespace Orvik
