#pragma once

#include "Support/TypedDataWrapper/TDWIntervalLimits.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side value of INTERVAL DAY TO HOUR. Every field is a magnitude; the sign is held apart.
/// The padding after the sign is part of the binary image and stays zero.
struct TDWDayHourInterval
{
    uint32_t m_day = 0;
    uint32_t m_hour = 0;
    bool m_isNegative = false;
    uint8_t m_padding[3] = {};

    /// The fields are in range.
    bool IsValid() const { return IsValid(m_day, m_hour); }

    /// The fields given one by one are in range.
    static bool IsValid(uint32_t in_day, uint32_t in_hour)
    {
        return in_day <= TDWIntervalLimits::MAX_LEADING_FIELD
            && in_hour <= TDWIntervalLimits::MAX_HOUR;
    }
};

static_assert(sizeof(TDWDayHourInterval) == 12, "interval value layout");

} // namespace Support
} // namespace Orvik
