#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side TIME value; the fraction counts nanoseconds. Two padding bytes precede the
/// fraction: the packed 10-byte binary image is written field by field, never copied whole.
struct TDWTimeValue
{
    uint16_t m_hour = 0;
    uint16_t m_minute = 0;
    uint16_t m_second = 0;
    uint32_t m_fraction = 0;
};

static_assert(sizeof(TDWTimeValue) == 12, "time value layout");

} // namespace Support
} // namespace Orvik
