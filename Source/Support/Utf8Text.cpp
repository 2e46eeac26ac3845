#include "Support/Utf8Text.h"

#include <unicode/unistr.h>

namespace Orvik {
namespace Support {

orvik_wstring WStringFromUtf8(const std::string& in_text)
{
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(in_text);
    return orvik_wstring(text.getBuffer(), text.length());
}

} // namespace Support
} // namespace Orvik
