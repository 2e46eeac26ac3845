#pragma once

#include <cstdint>
#include <ctime>

namespace Orvik {
namespace Support {

/// The SQL-side DATE value; laid out as the ODBC DATE_STRUCT so kernels copy it field by field.
struct TDWDateValue
{
    /// Where the current time comes from; tests install a fixed one.
    using Clock = std::time_t (*)();

    int16_t m_year = 1900;
    uint16_t m_month = 1;
    uint16_t m_day = 1;

    bool IsValid() const { return IsValid(m_year, m_month, m_day); }

    /// A year from -4713 to 9999 other than 0, a month from 1 to 12 and a day of that month.
    static bool IsValid(int32_t in_year, uint32_t in_month, uint32_t in_day);

    /// The days of month 1 to 12 of the (signed) year; 0 for any other month. Leap years are
    /// divisible by 4 and not by 100 unless by 400, the negative years included (-4 is one).
    static uint32_t DaysInMonth(int32_t in_year, uint32_t in_month);

    /// Today's date in the process's local time, read from the clock on every call.
    static TDWDateValue Today();

    /// Makes Today read in_clock; null restores the system clock.
    static void SetClock(Clock in_clock);
};

static_assert(sizeof(TDWDateValue) == 6, "DATE_STRUCT layout");

} // namespace Support
} // namespace Orvik
