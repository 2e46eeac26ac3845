#pragma once

#include "Support/TypedDataWrapper/TDWIntervalLimits.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side value of INTERVAL DAY TO SECOND; the fraction counts units of 10^-p seconds, p
/// being the fractional precision. Every field is a magnitude; the sign is held apart. The padding
/// after the sign is part of the binary image and stays zero.
struct TDWDaySecondInterval
{
    uint32_t m_day = 0;
    uint32_t m_hour = 0;
    uint32_t m_minute = 0;
    uint32_t m_second = 0;
    uint32_t m_fraction = 0;
    bool m_isNegative = false;
    uint8_t m_padding[3] = {};

    /// The fields are in range; the fraction is not looked at.
    bool IsValid() const { return IsValid(m_day, m_hour, m_minute, m_second, 0); }

    /// The fields given one by one are in range, the fraction included.
    static bool IsValid(
        uint32_t in_day,
        uint32_t in_hour,
        uint32_t in_minute,
        uint32_t in_second,
        uint32_t in_fraction)
    {
        return in_day <= TDWIntervalLimits::MAX_LEADING_FIELD
            && in_hour <= TDWIntervalLimits::MAX_HOUR
            && in_minute <= TDWIntervalLimits::MAX_MINUTE
            && in_second <= TDWIntervalLimits::MAX_SECOND
            && in_fraction <= TDWIntervalLimits::MAX_FRACTION;
    }
};

static_assert(sizeof(TDWDaySecondInterval) == 24, "interval value layout");

} // namespace Support
} // namespace Orvik
