#pragma once

#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"

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

    /// The date fields pass the date check and the time fields the time check.
    bool IsValid() const
    {
        return TDWDateValue::IsValid(m_year, m_month, m_day)
            && TDWTimeValue::IsValid(m_hour, m_minute, m_second, m_fraction);
    }
};

static_assert(sizeof(TDWTimestampValue) == 16, "TIMESTAMP_STRUCT layout");

} // namespace Support
} // namespace Orvik
