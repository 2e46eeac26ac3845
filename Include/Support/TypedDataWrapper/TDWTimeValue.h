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

    bool IsValid() const { return IsValid(m_hour, m_minute, m_second, m_fraction); }

    /// Hour to 23, minute to 59, second to 61 (leap seconds) and fraction to 999999999.
    static bool IsValid(
        uint32_t in_hour,
        uint32_t in_minute,
        uint32_t in_second,
        uint32_t in_fraction);
};

static_assert(sizeof(TDWTimeValue) == 12, "time value layout");

} // namespace Support
} // namespace Orvik
