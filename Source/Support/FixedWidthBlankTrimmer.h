#pragma once

#include "Support/TrailingBlankTrimmer.h"

namespace Orvik {
namespace Support {

/// Trims in place the encodings whose blanks are whole code units of the value 0x20 or 0x09:
/// single-byte sets, UTF-8, and UTF-16 and UTF-32 in either byte order.
class FixedWidthBlankTrimmer : public TrailingBlankTrimmer
{
public:
    FixedWidthBlankTrimmer(uint8_t in_unitSize, bool in_isBigEndian);

    /// A trailing part of a code unit is dropped along with the blanks.
    const uint8_t* Trim(const uint8_t* in_bytes, uint64_t& io_length) override;

private:
    bool IsBlank(const uint8_t* in_unit) const;

    uint8_t m_unitSize;
    bool m_isBigEndian;
};

} // namespace Support
} // namespace Orvik
