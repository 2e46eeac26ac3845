#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side TIMESTAMP value; laid out as the ODBC TIMESTAMP_STRUCT, fraction in nanoseconds.
struct TDWTimestampValue
{
    int16_t m_year = 1900;
    uint16_t m_month = 1;
    uint16_t m_day = 1;
    uint16_t m_hour = 0;
    uint16_t m_minute = 0;
    uint16_t m_second = 0;
    uint32_t m_fraction = 0;
};

static_assert(sizeof(TDWTimestampValue) == 16, "TIMESTAMP_STRUCT layout");

} // namespace Support
} // namespace Orvik
