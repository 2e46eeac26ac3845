#include "NumericText.h"

#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

/// Room for every digit a magnitude of sixteen words has, beside the exponent's places.
constexpr uint32_t MAGNITUDE_DIGITS = 80;

/// The right-aligned digits of a value, zero-filled on the left, on the stack unless the
/// exponent is large.
class DigitScratch
{
public:
    explicit DigitScratch(uint32_t in_width)
        : m_large(in_width > sizeof(m_small) ? new char[in_width] : nullptr)
    {
    }

    char* Data() { return m_large ? m_large.get() : m_small; }

private:
    char m_small[160];
    std::unique_ptr<char[]> m_large;
};

} // namespace

NumericText::NumericText(const TDWNumeric& in_value, bool in_isZeroOneDigit)
{
    const int32_t exponent = in_value.GetExponent();
    const uint32_t width = static_cast<uint32_t>(exponent < 0 ? -exponent : exponent) + MAGNITUDE_DIGITS;
    DigitScratch scratch(width);
    char* digits = scratch.Data();
    uint32_t leading = 0;
    in_value.ToChars(width, digits, leading);
    const bool isZero = std::all_of(digits + leading, digits + width, [](char in_digit) { return in_digit == '0'; });
    if (isZero && in_isZeroOneDigit)
    {
        *Reserve(1) = '0';
        return;
    }
    const int64_t fractionDigits = exponent < 0 ? -int64_t{exponent} : 0;
    // A zero has the one significant digit "0"; the fraction's leading zeros are always shown.
    int64_t start = isZero ? width - 1 : leading;
    start = std::min<int64_t>(start, width - fractionDigits);
    if (start == width - fractionDigits && ConversionSettings::NumericLeadingZero)
    {
        --start;
    }
    const int64_t integerDigits = width - fractionDigits - start;
    const bool isNegative = in_value.IsNegative();
    char* text = Reserve((isNegative ? 1 : 0) + integerDigits + (exponent < 0 ? 1 + fractionDigits : 0));
    if (isNegative)
    {
        *text++ = '-';
    }
    text = std::copy(digits + start, digits + start + integerDigits, text);
    if (exponent < 0)
    {
        *text++ = '.';
        std::copy(digits + width - fractionDigits, digits + width, text);
    }
    m_fractionDigits = fractionDigits;
}

char* NumericText::Reserve(int64_t in_length)
{
    m_length = in_length;
    m_large.reset(in_length > static_cast<int64_t>(sizeof(m_small)) ? new char[in_length] : nullptr);
    return m_large ? m_large.get() : m_small;
}

int64_t NumericText::Fit(int64_t in_room) const
{
    if (in_room >= m_length)
    {
        return m_length;
    }
    if (in_room < m_length - m_fractionDigits)
    {
        return -1;
    }
    return Data()[in_room - 1] == '.' ? in_room - 1 : in_room;
}

} // namespace Support
} // namespace Orvik
