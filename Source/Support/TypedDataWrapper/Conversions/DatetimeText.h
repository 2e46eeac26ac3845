#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

struct TDWTimestampValue;

/// The text of a date, time or timestamp value as the text kernels write it, and how much of
/// it a buffer takes: everything through the seconds must fit, fraction digits may be dropped
/// from the end (a point without digits is not written).
class DatetimeText
{
public:
    /// [-]YYYY-MM-DD. False when a field does not fit its digits (a year beyond 9999).
    bool SetDate(int32_t in_year, uint32_t in_month, uint32_t in_day);

    /// HH:MM:SS, then a point and in_precision (0 to 9) digits of the nanosecond fraction when
    /// the precision is not 0 and the fraction is not zero or in_showZeroFraction is set. Every
    /// fraction digit not written counts as dropped. False when a field does not fit its digits.
    bool SetTime(uint32_t in_hour,
                 uint32_t in_minute,
                 uint32_t in_second,
                 uint32_t in_fraction,
                 int16_t in_precision,
                 bool in_showZeroFraction);

    /// The date, a blank and the time as SetTime writes it, except that only digits within the
    /// precision count as dropped when a buffer cuts them.
    bool SetTimestamp(const TDWTimestampValue& in_value, int16_t in_precision, bool in_showZeroFraction);

    const char* Data() const { return m_text; }
    int64_t Length() const { return m_length; }

    /// The characters to write into room for in_room characters (the terminator not counted):
    /// all when they fit, else the text with as many fraction digits as fit; -1 when not even
    /// the text through the seconds, and the point of a shown fraction, fits.
    int64_t Fit(int64_t in_room) const;

    /// Writing in_count characters (as Fit gave them) drops a fraction digit that is not zero.
    bool DropsDigits(int64_t in_count) const;

private:
    /// Appends in_value in exactly in_digits digits; false when it has more.
    bool Append(uint32_t in_value, int32_t in_digits);
    void AppendChar(char in_char) { m_text[m_length++] = in_char; }
    bool AppendTime(uint32_t in_hour,
                    uint32_t in_minute,
                    uint32_t in_second,
                    uint32_t in_fraction,
                    int16_t in_precision,
                    bool in_showZeroFraction);

    char m_text[40] = {};
    int64_t m_length = 0;
    /// The length of the text through the seconds.
    int64_t m_fixedLength = 0;
    bool m_isFractionShown = false;
    /// The nine digits of the nanosecond fraction, and how many of them count when dropped.
    char m_nanoseconds[9] = {};
    int32_t m_countedDigits = 0;
};

} // namespace Support
} // namespace Orvik
