#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class IntervalFields;
struct IntervalKind;

/// The text of an interval value, the body of its literal: the leading field as the padded
/// number writer writes it (with its sign, zero-padded to the leading precision when
/// ConversionSettings::PadIntervalLeadingField is on), every later field in two digits after its
/// separator, and for the kinds with seconds a point and the fraction in as many digits as the
/// fractional precision (none for precision 0).
class IntervalValueText
{
public:
    IntervalValueText(const IntervalFields& in_value,
                      const IntervalKind& in_kind,
                      uint64_t in_leadingPrecision,
                      int16_t in_fractionalPrecision);

    const char* Data() const { return m_text; }
    int64_t Length() const { return m_length; }

    /// The characters to write into room for in_room characters (the terminator not counted).
    /// Only fraction digits are given up, never the seconds or a field before them; -1 when
    /// even the text through the seconds does not fit.
    int64_t Fit(int64_t in_room) const;

private:
    void Append(const char* in_text, int64_t in_length);

    /// At least in_digits digits, with leading zeros.
    void AppendNumber(uint64_t in_value, int32_t in_digits);

    // Sign, ten digits, three more fields and a fraction, each as wide as a 32-bit number.
    char m_text[80] = {};
    int64_t m_length = 0;
    int64_t m_throughSeconds = 0;
};

} // namespace Support
} // namespace Orvik
