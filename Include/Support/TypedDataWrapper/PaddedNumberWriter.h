#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// Writes the leading field of interval text.
class PaddedNumberWriter
{
public:
    /// Writes in_value right-aligned so that its last digit is the second-to-last byte of the
    /// buffer and the NUL the last, with "-" before it when in_isNegative is set, and returns the
    /// first character written. With ConversionSettings::PadIntervalLeadingField on, the digits
    /// are first padded with "0" to in_width digits (the sign stays in front). Throws
    /// NumberConversionInvalidDataException "NumToStrConvFailed", writing nothing, when the
    /// text and its NUL do not fit.
    static char* ConvertToPaddedChars(
        uint32_t in_value,
        bool in_isNegative,
        uint16_t in_width,
        char* out_buffer,
        uint16_t in_bufferLength);
};

} // namespace Support
} // namespace Orvik
