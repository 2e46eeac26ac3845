#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The ranges of interval fields. The leading field holds up to nine digits; the fields after
/// it are bounded by the next larger unit (seconds of an interval never reach 60, unlike the
/// seconds of a time).
struct TDWIntervalLimits
{
    static constexpr uint32_t MAX_LEADING_DIGITS = 9;
    static constexpr uint32_t MAX_LEADING_FIELD = 999999999;
    static constexpr uint32_t MAX_FRACTION = 999999999;
    static constexpr uint32_t MAX_MONTH = 11;
    static constexpr uint32_t MAX_HOUR = 23;
    static constexpr uint32_t MAX_MINUTE = 59;
    static constexpr uint32_t MAX_SECOND = 59;
};

} // namespace Support
} // namespace Orvik
