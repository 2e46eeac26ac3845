#pragma once

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
};

static_assert(sizeof(TDWDayHourInterval) == 12, "interval value layout");

} // namespace Support
} // namespace Orvik
