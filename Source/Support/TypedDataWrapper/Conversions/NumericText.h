#pragma once

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class TDWNumeric;

/// The decimal text of an exact numeric as the text kernels write it: a "-" for a negative
/// value, the integer digits, and for a value with a negative exponent a point and one digit
/// per fraction place. Two rules decide the zero forms: a zero may be written "0" whatever its
/// scale (for SQL-side values, as ConversionSettings::NumericZeroAsDigit says), and a value
/// without integer digits gets a "0" before its point when the process-wide switch
/// ConversionSettings::NumericLeadingZero is on.
class NumericText
{
public:
    /// The text of a valid value; with in_isZeroOneDigit a zero is "0".
    NumericText(const TDWNumeric& in_value, bool in_isZeroOneDigit);

    NumericText(const NumericText&) = delete;
    NumericText& operator=(const NumericText&) = delete;

    const char* Data() const { return m_large ? m_large.get() : m_small; }
    int64_t Length() const { return m_length; }

    /// The characters to write into room for in_room characters (the terminator not counted):
    /// all when they fit, else the text with as many fraction digits as fit and no point left
    /// dangling; -1 when the sign, the integer digits and the point do not fit.
    int64_t Fit(int64_t in_room) const;

private:
    char* Reserve(int64_t in_length);

    char m_small[96] = {};
    std::unique_ptr<char[]> m_large;
    int64_t m_length = 0;
    int64_t m_fractionDigits = 0;
};

} // namespace Support
} // namespace Orvik
