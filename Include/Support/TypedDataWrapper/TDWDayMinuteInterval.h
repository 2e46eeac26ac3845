#pragma once

#include "Support/TypedDataWrapper/TDWIntervalLimits.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side value of INTERVAL DAY TO MINUTE. Every field is a magnitude; the sign is held
/// apart. The padding after the sign is part of the binary image and stays zero.
struct TDWDayMinuteInterval
{
    uint32_t m_day = 0;
    uint32_t m_hour = 0;
    uint32_t m_minute = 0;
    bool m_isNegative = false;
    uint8_t m_padding[3] = {};

    /// The fields are in range.
    bool IsValid() const { return IsValid(m_day, m_hour, m_minute); }

    /// The fields given one by one are in range.
    static bool IsValid(uint32_t in_day, uint32_t in_hour, uint32_t in_minute)
    {
        return in_day <= TDWIntervalLimits::MAX_LEADING_FIELD
            && in_hour <= TDWIntervalLimits::MAX_HOUR
            && in_minute <= TDWIntervalLimits::MAX_MINUTE;
    }
};

static_assert(sizeof(TDWDayMinuteInterval) == 16, "interval value layout");

} // namespace Support
} // namespace Orvik
