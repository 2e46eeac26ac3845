#pragma once

#include "Support/EncodingType.h"
#include "Support/NumberConverter.h"

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

class WarningListener;

/// The text of a REAL, FLOAT or DOUBLE value as the text kernels write it, and the rules by
/// which it is cut to a buffer: fixed text loses fraction digits, exponent text loses mantissa
/// digits but never a digit of its exponent, and text that would lose more posts
/// NumericValOutOfRange (2) and is not written. Lengths reported are always the whole text's.
class FloatingText
{
public:
    /// The text of a float with in_digits significant digits; NaN and the infinities by name.
    FloatingText(float in_value, uint16_t in_digits);

    /// The same for a double.
    FloatingText(double in_value, uint16_t in_digits);

    /// Writes the text as one byte a character and a NUL into out_target, whose size io_length
    /// gives on entry (a size below 1 has room for nothing); io_length becomes the text's length.
    /// A null target only reports the length.
    void WriteNarrow(void* out_target, int64_t& io_length, WarningListener& io_listener) const;

    /// Writes the text and a zero code unit as code units of in_encoding into out_target, whose
    /// size is the absolute value of io_length on entry; io_length becomes the text's length in
    /// bytes. A null target only reports the length.
    void WriteWide(void* out_target, int64_t& io_length, EncodingType in_encoding, WarningListener& io_listener) const;

    /// The whole text's length.
    int64_t Length() const { return m_length; }

    /// Copies into out_text (FORMAT_DOUBLE_BUFFER_SIZE bytes) the text to write with room for
    /// in_room characters: the whole text, or the text cut by the rules above. Returns its
    /// length, or -1 when nothing may be written.
    int64_t Fit(int64_t in_room, char* out_text) const;

    /// Posts what writing in_written characters of the text means: none (-1) is out of range,
    /// fewer than all a fractional truncation.
    void Post(int64_t in_written, WarningListener& io_listener) const;

private:
    char m_text[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    int64_t m_length;
    bool m_isNegative;
    /// NaN or an infinity, written by name and never cut.
    bool m_isSpecial;
};

} // namespace Support
} // namespace Orvik
