#include "Support/TypedDataWrapper/HexConverter.h"

namespace Orvik {
namespace Support {

namespace {

/// The value of a hexadecimal digit, or -1.
int HexDigitValue(char in_char)
{
    if (in_char >= '0' && in_char <= '9')
    {
        return in_char - '0';
    }
    if (in_char >= 'A' && in_char <= 'F')
    {
        return in_char - 'A' + 10;
    }
    if (in_char >= 'a' && in_char <= 'f')
    {
        return in_char - 'a' + 10;
    }
    return -1;
}

} // namespace

bool HexConverter::ConvertHexToBytes(
    const char* in_text,
    size_t in_length,
    uint8_t* out_bytes,
    bool in_reverse)
{
    size_t count = in_length / 2;
    for (size_t i = 0; i < count; ++i)
    {
        int high = HexDigitValue(in_text[2 * i]);
        int low = HexDigitValue(in_text[2 * i + 1]);
        if (high < 0 || low < 0)
        {
            return false;
        }
        out_bytes[in_reverse ? count - 1 - i : i] = static_cast<uint8_t>(high << 4 | low);
    }
    return true;
}

} // namespace Support
} // namespace Orvik
