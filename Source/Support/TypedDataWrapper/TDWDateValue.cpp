#include "Support/TypedDataWrapper/TDWDateValue.h"

#include <atomic>
#include <ctime>

namespace Orvik {
namespace Support {

namespace {

constexpr int32_t MIN_YEAR = -4713;
constexpr int32_t MAX_YEAR = 9999;

// Indexed by month; entry 0 is never read.
constexpr uint32_t COMMON_YEAR_DAYS[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr uint32_t LEAP_YEAR_DAYS[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int32_t in_year)
{
    return in_year % 4 == 0 && (in_year % 100 != 0 || in_year % 400 == 0);
}

std::time_t SystemClock()
{
    return std::time(nullptr);
}

std::atomic<TDWDateValue::Clock> s_clock{&SystemClock};

} // namespace

bool TDWDateValue::IsValid(int32_t in_year, uint32_t in_month, uint32_t in_day)
{
    return in_year != 0 && in_year >= MIN_YEAR && in_year <= MAX_YEAR && in_day >= 1
        && in_day <= DaysInMonth(in_year, in_month);
}

uint32_t TDWDateValue::DaysInMonth(int32_t in_year, uint32_t in_month)
{
    if (in_month < 1 || in_month > 12)
    {
        return 0;
    }
    return IsLeapYear(in_year) ? LEAP_YEAR_DAYS[in_month] : COMMON_YEAR_DAYS[in_month];
}

TDWDateValue TDWDateValue::Today()
{
    std::time_t now = s_clock.load()();
    std::tm local = {};
    localtime_r(&now, &local);
    TDWDateValue today;
    today.m_year = static_cast<int16_t>(local.tm_year + 1900);
    today.m_month = static_cast<uint16_t>(local.tm_mon + 1);
    today.m_day = static_cast<uint16_t>(local.tm_mday);
    return today;
}

void TDWDateValue::SetClock(Clock in_clock)
{
    s_clock.store((in_clock != nullptr) ? in_clock : &SystemClock);
}

} // namespace Support
} // namespace Orvik
