#pragma once

#include "Support/TypedDataWrapper/TDWIntervalLimits.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side value of INTERVAL YEAR TO MONTH. Every field is a magnitude; the sign is held
/// apart. The padding after the sign is part of the binary image and stays zero.
struct TDWYearMonthInterval
{
    uint32_t m_year = 0;
    uint32_t m_month = 0;
    bool m_isNegative = false;
    uint8_t m_padding[3] = {};

    /// The fields are in range.
    bool IsValid() const { return IsValid(m_year, m_month); }

    /// The fields given one by one are in range.
    static bool IsValid(uint32_t in_year, uint32_t in_month)
    {
        return in_year <= TDWIntervalLimits::MAX_LEADING_FIELD
            && in_month <= TDWIntervalLimits::MAX_MONTH;
    }
};

static_assert(sizeof(TDWYearMonthInterval) == 12, "interval value layout");

} // namespace Support
} // namespace Orvik
