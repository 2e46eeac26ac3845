#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

/// Hexadecimal text to bytes.
class HexConverter
{
public:
    /// Reads in_length characters (upper- or lower-case digits) as pairs into in_length / 2
    /// bytes; false as soon as a character is not a hexadecimal digit. With in_reverse the pairs
    /// are taken from the end of the text, so "12345678" gives 78 56 34 12: the little-endian
    /// image of the number the text spells.
    static bool ConvertHexToBytes(
        const char* in_text,
        size_t in_length,
        uint8_t* out_bytes,
        bool in_reverse);
};

} // namespace Support
} // namespace Orvik
