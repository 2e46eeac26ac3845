#include "DatetimeText.h"

#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr int32_t NANOSECOND_DIGITS = 9;
constexpr uint32_t MAX_FRACTION = 999999999;
constexpr uint32_t POWERS_OF_TEN[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

} // namespace

bool DatetimeText::Append(uint32_t in_value, int32_t in_digits)
{
    if (in_value >= POWERS_OF_TEN[in_digits])
    {
        return false;
    }
    for (int32_t i = in_digits - 1; i >= 0; --i, in_value /= 10)
    {
        m_text[m_length + i] = static_cast<char>('0' + in_value % 10);
    }
    m_length += in_digits;
    return true;
}

bool DatetimeText::SetDate(int32_t in_year, uint32_t in_month, uint32_t in_day)
{
    m_length = 0;
    if (in_year < 0)
    {
        AppendChar('-');
    }
    const uint32_t year = static_cast<uint32_t>(in_year < 0 ? -in_year : in_year);
    bool fits = Append(year, 4);
    AppendChar('-');
    fits = fits && Append(in_month, 2);
    AppendChar('-');
    fits = fits && Append(in_day, 2);
    m_fixedLength = m_length;
    m_isFractionShown = false;
    return fits;
}

bool DatetimeText::AppendTime(uint32_t in_hour,
                              uint32_t in_minute,
                              uint32_t in_second,
                              uint32_t in_fraction,
                              int16_t in_precision,
                              bool in_showZeroFraction)
{
    bool fits = Append(in_hour, 2);
    AppendChar(':');
    fits = fits && Append(in_minute, 2);
    AppendChar(':');
    fits = fits && Append(in_second, 2) && in_fraction <= MAX_FRACTION;
    m_fixedLength = m_length;
    const int32_t precision = std::clamp<int32_t>(in_precision, 0, NANOSECOND_DIGITS);
    m_isFractionShown = precision != 0 && (in_fraction != 0 || in_showZeroFraction);
    for (int32_t i = NANOSECOND_DIGITS - 1; i >= 0; --i, in_fraction /= 10)
    {
        m_nanoseconds[i] = static_cast<char>('0' + in_fraction % 10);
    }
    if (m_isFractionShown)
    {
        AppendChar('.');
        std::copy(m_nanoseconds, m_nanoseconds + precision, m_text + m_length);
        m_length += precision;
    }
    return fits;
}

bool DatetimeText::SetTime(uint32_t in_hour,
                           uint32_t in_minute,
                           uint32_t in_second,
                           uint32_t in_fraction,
                           int16_t in_precision,
                           bool in_showZeroFraction)
{
    m_length = 0;
    m_countedDigits = NANOSECOND_DIGITS;
    return AppendTime(in_hour, in_minute, in_second, in_fraction, in_precision, in_showZeroFraction);
}

bool DatetimeText::SetTimestamp(const TDWTimestampValue& in_value, int16_t in_precision, bool in_showZeroFraction)
{
    bool fits = SetDate(in_value.m_year, in_value.m_month, in_value.m_day);
    AppendChar(' ');
    m_countedDigits = std::clamp<int32_t>(in_precision, 0, NANOSECOND_DIGITS);
    return AppendTime(in_value.m_hour, in_value.m_minute, in_value.m_second, in_value.m_fraction,
                      in_precision, in_showZeroFraction)
        && fits;
}

int64_t DatetimeText::Fit(int64_t in_room) const
{
    if (in_room >= m_length)
    {
        return m_length;
    }
    // A shown fraction needs room for its point before the first digit is given up.
    if (!m_isFractionShown || in_room < m_fixedLength + 1)
    {
        return -1;
    }
    return in_room == m_fixedLength + 1 ? m_fixedLength : in_room;
}

bool DatetimeText::DropsDigits(int64_t in_count) const
{
    if (!m_isFractionShown)
    {
        return false;
    }
    const int64_t written = std::max<int64_t>(in_count - m_fixedLength - 1, 0);
    return std::any_of(m_nanoseconds + written, m_nanoseconds + std::max<int64_t>(m_countedDigits, written),
                       [](char in_digit) { return in_digit != '0'; });
}

} // namespace Support
} // namespace Orvik
