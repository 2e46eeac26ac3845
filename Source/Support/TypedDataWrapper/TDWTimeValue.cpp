#include "Support/TypedDataWrapper/TDWTimeValue.h"

namespace Orvik {
namespace Support {

namespace {

constexpr uint32_t MAX_HOUR = 23;
constexpr uint32_t MAX_MINUTE = 59;
constexpr uint32_t MAX_SECOND = 61;
constexpr uint32_t MAX_FRACTION = 999999999;

} // namespace

bool TDWTimeValue::IsValid(
    uint32_t in_hour,
    uint32_t in_minute,
    uint32_t in_second,
    uint32_t in_fraction)
{
    return in_hour <= MAX_HOUR && in_minute <= MAX_MINUTE && in_second <= MAX_SECOND
        && in_fraction <= MAX_FRACTION;
}

} // namespace Support
} // namespace Orvik
