#pragma once

#include "Support/TypedDataWrapper/TDWIntervalLimits.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side value of INTERVAL HOUR TO MINUTE. Every field is a magnitude; the sign is held
/// apart. The padding after the sign is part of the binary image and stays zero.
struct TDWHourMinuteInterval
{
    uint32_t m_hour = 0;
    uint32_t m_minute = 0;
    bool m_isNegative = false;
    uint8_t m_padding[3] = {};

    /// The fields are in range.
    bool IsValid() const { return IsValid(m_hour, m_minute); }

    /// The fields given one by one are in range.
    static bool IsValid(uint32_t in_hour, uint32_t in_minute)
    {
        return in_hour <= TDWIntervalLimits::MAX_LEADING_FIELD
            && in_minute <= TDWIntervalLimits::MAX_MINUTE;
    }
};

static_assert(sizeof(TDWHourMinuteInterval) == 12, "interval value layout");

} // namespace Support
} // namespace Orvik
