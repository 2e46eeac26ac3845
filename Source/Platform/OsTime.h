#pragma once

#include <cstdint>

namespace Orvik {
namespace OS {

/// A moment in the local time zone, to the millisecond.
struct LocalTime
{
    int32_t m_year;        ///< e.g. 2024
    int32_t m_month;       ///< 1 to 12
    int32_t m_day;         ///< 1 to 31
    int32_t m_hour;        ///< 0 to 23
    int32_t m_minute;      ///< 0 to 59
    int32_t m_second;      ///< 0 to 60
    int32_t m_millisecond; ///< 0 to 999
};

/// The current local time (the wall clock, localtime_r). Reads no locale: the host's setlocale
/// cannot change it.
LocalTime GetLocalTime();

} // namespace OS
} // namespace Orvik
