#pragma once

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
};

static_assert(sizeof(TDWDaySecondInterval) == 24, "interval value layout");

} // namespace Support
} // namespace Orvik
