#pragma once

#include "Support/TypedDataWrapper/TDWIntervalLimits.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side value of the single-field intervals YEAR, MONTH, DAY, HOUR and MINUTE. Every field
/// is a magnitude; the sign is held apart. The padding after the sign is part of the binary image
/// and stays zero.
struct TDWSingleFieldInterval
{
    uint32_t m_value = 0;
    bool m_isNegative = false;
    uint8_t m_padding[3] = {};

    /// The fields are in range.
    bool IsValid() const { return IsValid(m_value); }

    /// The fields given one by one are in range.
    static bool IsValid(uint32_t in_value)
    {
        return in_value <= TDWIntervalLimits::MAX_LEADING_FIELD;
    }
};

static_assert(sizeof(TDWSingleFieldInterval) == 8, "interval value layout");

} // namespace Support
} // namespace Orvik
