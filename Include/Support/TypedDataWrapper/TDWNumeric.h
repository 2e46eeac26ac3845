#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// An exact decimal number: a two's-complement integer of 2 to 16 words of 16 bits, least
/// significant first, times ten to the power of the exponent. Overflow and failed parses leave
/// it invalid (holding zero). The object is exactly its 38-byte little-endian image, which is
/// also what a NUMERIC value converted to binary yields, so no field may be added or moved.
class TDWNumeric
{
public:
    static constexpr uint16_t MAX_WORDS = 16;

    /// Zero.
    TDWNumeric() = default;

private:
    int16_t m_invalid = 0;
    int16_t m_exponent = 0;
    uint16_t m_wordCount = 2;
    uint16_t m_words[MAX_WORDS] = {};
};

static_assert(sizeof(TDWNumeric) == 38, "the numeric image is 38 packed bytes");

} // namespace Support
} // namespace Orvik
