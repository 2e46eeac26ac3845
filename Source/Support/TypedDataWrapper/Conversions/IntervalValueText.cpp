#include "IntervalValueText.h"

#include "IntervalFields.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/PaddedNumberWriter.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;

/// Digits of the largest leading field a source holds; padding never goes beyond them.
constexpr uint64_t MAX_LEADING_DIGITS = 10;

/// The separator written before each unit's field.
constexpr char SEPARATOR_BEFORE[UNIT_COUNT] = {'\0', '-', '\0', ' ', ':', ':'};

} // namespace

IntervalValueText::IntervalValueText(const IntervalFields& in_value,
                                     const IntervalKind& in_kind,
                                     uint64_t in_leadingPrecision,
                                     int16_t in_fractionalPrecision)
{
    char leading[16];
    const uint16_t width = static_cast<uint16_t>(std::min(in_leadingPrecision, MAX_LEADING_DIGITS));
    const char* first = PaddedNumberWriter::ConvertToPaddedChars(static_cast<uint32_t>(in_value.Leading(in_kind)),
                                                                 in_value.m_isNegative, width, leading,
                                                                 sizeof(leading));
    Append(first, static_cast<int64_t>(leading + sizeof(leading) - 1 - first));
    for (int unit = in_kind.m_first + 1; unit <= in_kind.m_last; ++unit)
    {
        m_text[m_length++] = SEPARATOR_BEFORE[unit];
        AppendNumber(in_value.m_fields[unit], 2);
    }
    m_throughSeconds = m_length;
    const int16_t precision = std::clamp<int16_t>(in_fractionalPrecision, 0, MAX_FRACTIONAL_PRECISION);
    if (in_kind.HasSeconds() && precision > 0)
    {
        m_text[m_length++] = '.';
        AppendNumber(in_value.m_fraction, precision);
    }
}

int64_t IntervalValueText::Fit(int64_t in_room) const
{
    if (in_room >= m_length)
    {
        return m_length;
    }
    if (in_room < m_throughSeconds)
    {
        return -1;
    }
    // The point goes with the last fraction digit.
    return in_room == m_throughSeconds + 1 ? m_throughSeconds : in_room;
}

void IntervalValueText::Append(const char* in_text, int64_t in_length)
{
    std::copy(in_text, in_text + in_length, m_text + m_length);
    m_length += in_length;
}

void IntervalValueText::AppendNumber(uint64_t in_value, int32_t in_digits)
{
    const int32_t digits = std::max(in_digits, NumberConverter::GetNumberOfDigits(in_value));
    for (int32_t i = digits - 1; i >= 0; --i, in_value /= 10)
    {
        m_text[m_length + i] = static_cast<char>('0' + in_value % 10);
    }
    m_length += digits;
}

} // namespace Support
} // namespace Orvik
