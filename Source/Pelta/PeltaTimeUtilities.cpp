#include "Pelta/PeltaTimeUtilities.h"

#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include <algorithm>

using Orvik::Support::TDWDateValue;
using Orvik::Support::TDWTimestampValue;

namespace Pelta {

namespace {

// Days before the first of each month; the last entry is the length of the year.
constexpr int64_t DAYS_BEFORE_MONTH[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

// The calendar's cycles, counted from 1601-01-01, the first day of a 400-year cycle; for the
// day to date direction from 0000-03-01, where a cycle of years that begin in March starts.
constexpr int64_t DAYS_PER_400_YEARS = 146097;
constexpr int64_t DAYS_0000_03_01_TO_1970 = 719468;
constexpr int64_t DAYS_PER_100_YEARS = 36524;
constexpr int64_t DAYS_PER_4_YEARS = 1461;
constexpr int64_t DAYS_PER_YEAR = 365;
constexpr int64_t DAYS_1601_TO_1970 = 134774;
constexpr int64_t SECONDS_PER_DAY = 86400;
constexpr int64_t NANOS_PER_MILLI = 1000000;
constexpr uint32_t NANOS_PER_SECOND = 1000000000;

bool IsLeapYear(int64_t in_year)
{
    return (in_year % 4 == 0 && in_year % 100 != 0) || in_year % 400 == 0;
}

// Division rounded toward minus infinity, for a positive divisor.
int64_t FloorDivide(int64_t in_value, int64_t in_divisor)
{
    const int64_t quotient = in_value / in_divisor;
    return (in_value % in_divisor < 0) ? quotient - 1 : quotient;
}

// The remainder of FloorDivide, from 0 to the divisor - 1.
int64_t FloorRemainder(int64_t in_value, int64_t in_divisor)
{
    const int64_t remainder = in_value % in_divisor;
    return remainder < 0 ? remainder + in_divisor : remainder;
}

} // namespace

void PeltaTimeUtilities::CivilFromDays(int64_t in_days,
                                       int64_t& out_year,
                                       uint32_t& out_month,
                                       uint32_t& out_day)
{
    // Counted in years that begin on 1 March, the leap day is the last day of its year, so the
    // months from March on have the same lengths in every year and follow from the day of the
    // year by one division: their lengths repeat 31, 30, 31, 30, 31 every 153 days.
    const int64_t days = in_days + DAYS_0000_03_01_TO_1970;
    const int64_t cycles = FloorDivide(days, DAYS_PER_400_YEARS);
    const int64_t dayOfCycle = days - cycles * DAYS_PER_400_YEARS;
    // Taking out the leap days before it (one every 4 years, none every 100, one every 400)
    // leaves 365 days to every year of the cycle.
    const int64_t yearOfCycle = (dayOfCycle - dayOfCycle / (DAYS_PER_4_YEARS - 1) + dayOfCycle / DAYS_PER_100_YEARS
                                 - dayOfCycle / (DAYS_PER_400_YEARS - 1))
        / DAYS_PER_YEAR;
    const int64_t dayOfYear = dayOfCycle - (yearOfCycle * DAYS_PER_YEAR + yearOfCycle / 4 - yearOfCycle / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    out_day = static_cast<uint32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    out_month = static_cast<uint32_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    out_year = cycles * 400 + yearOfCycle + (out_month <= 2 ? 1 : 0);
}

int64_t PeltaTimeUtilities::DaysFromCivil(int64_t in_year, uint32_t in_month, uint32_t in_day)
{
    const int64_t yearsSince1601 = in_year - 1601;
    const int64_t cycles = FloorDivide(yearsSince1601, 400);
    const int64_t years = yearsSince1601 - cycles * 400;
    const int64_t leapDays = years / 4 - years / 100 + years / 400;
    return cycles * DAYS_PER_400_YEARS + years * DAYS_PER_YEAR + leapDays
        + DAYS_BEFORE_MONTH[IsLeapYear(in_year)][in_month - 1] + in_day - 1 - DAYS_1601_TO_1970;
}

bool PeltaTimeUtilities::EpochMillisToTimestamp(int64_t in_millis, TDWTimestampValue& out_timestamp)
{
    const int64_t seconds = FloorDivide(in_millis, 1000);
    const int64_t millis = FloorRemainder(in_millis, 1000);
    const int64_t days = FloorDivide(seconds, SECONDS_PER_DAY);
    const int64_t secondOfDay = FloorRemainder(seconds, SECONDS_PER_DAY);

    int64_t year = 0;
    uint32_t month = 0;
    uint32_t day = 0;
    CivilFromDays(days, year, month, day);
    out_timestamp.m_year = static_cast<int16_t>(year);
    out_timestamp.m_month = static_cast<uint16_t>(month);
    out_timestamp.m_day = static_cast<uint16_t>(day);
    out_timestamp.m_hour = static_cast<uint16_t>(secondOfDay / 3600);
    out_timestamp.m_minute = static_cast<uint16_t>(secondOfDay % 3600 / 60);
    out_timestamp.m_second = static_cast<uint16_t>(secondOfDay % 60);
    out_timestamp.m_fraction = static_cast<uint32_t>(millis * NANOS_PER_MILLI);
    return year >= INT16_MIN && year <= INT16_MAX;
}

bool PeltaTimeUtilities::TimestampToEpochMillis(const TDWTimestampValue& in_timestamp,
                                                int64_t& out_millis)
{
    const TDWTimestampValue& ts = in_timestamp;
    if (ts.m_day < 1 || ts.m_day > TDWDateValue::DaysInMonth(ts.m_year, ts.m_month)
        || ts.m_hour > 23 || ts.m_minute > 59 || ts.m_second > 59
        || ts.m_fraction >= NANOS_PER_SECOND)
    {
        return false;
    }
    const int64_t days = DaysFromCivil(ts.m_year, ts.m_month, ts.m_day);
    const int64_t seconds =
        days * SECONDS_PER_DAY + ts.m_hour * 3600 + ts.m_minute * 60 + ts.m_second;
    out_millis = seconds * 1000 + ts.m_fraction / NANOS_PER_MILLI;
    return true;
}

} // namespace Pelta
