#include "IntervalKind.h"

#include <initializer_list>

namespace Orvik {
namespace Support {

namespace {

/// Indexed by the type code minus one.
constexpr IntervalKind KINDS[] = {
    {KernelOutput::INTERVAL_YEAR, UNIT_YEAR, UNIT_YEAR},
    {KernelOutput::INTERVAL_MONTH, UNIT_MONTH, UNIT_MONTH},
    {KernelOutput::INTERVAL_DAY, UNIT_DAY, UNIT_DAY},
    {KernelOutput::INTERVAL_HOUR, UNIT_HOUR, UNIT_HOUR},
    {KernelOutput::INTERVAL_MINUTE, UNIT_MINUTE, UNIT_MINUTE},
    {KernelOutput::INTERVAL_SECOND, UNIT_SECOND, UNIT_SECOND},
    {KernelOutput::INTERVAL_YEAR_TO_MONTH, UNIT_YEAR, UNIT_MONTH},
    {KernelOutput::INTERVAL_DAY_TO_HOUR, UNIT_DAY, UNIT_HOUR},
    {KernelOutput::INTERVAL_DAY_TO_MINUTE, UNIT_DAY, UNIT_MINUTE},
    {KernelOutput::INTERVAL_DAY_TO_SECOND, UNIT_DAY, UNIT_SECOND},
    {KernelOutput::INTERVAL_HOUR_TO_MINUTE, UNIT_HOUR, UNIT_MINUTE},
    {KernelOutput::INTERVAL_HOUR_TO_SECOND, UNIT_HOUR, UNIT_SECOND},
    {KernelOutput::INTERVAL_MINUTE_TO_SECOND, UNIT_MINUTE, UNIT_SECOND},
};

/// The kinds in the order of their type ids, which the C and the SQL interval ids share.
constexpr KernelOutput::IntervalCode CODES_BY_TYPE_ID[] = {
    KernelOutput::INTERVAL_DAY,
    KernelOutput::INTERVAL_DAY_TO_HOUR,
    KernelOutput::INTERVAL_DAY_TO_MINUTE,
    KernelOutput::INTERVAL_DAY_TO_SECOND,
    KernelOutput::INTERVAL_HOUR,
    KernelOutput::INTERVAL_HOUR_TO_MINUTE,
    KernelOutput::INTERVAL_HOUR_TO_SECOND,
    KernelOutput::INTERVAL_MINUTE,
    KernelOutput::INTERVAL_MINUTE_TO_SECOND,
    KernelOutput::INTERVAL_MONTH,
    KernelOutput::INTERVAL_SECOND,
    KernelOutput::INTERVAL_YEAR,
    KernelOutput::INTERVAL_YEAR_TO_MONTH,
};

constexpr int32_t KIND_COUNT = static_cast<int32_t>(sizeof(CODES_BY_TYPE_ID) / sizeof(CODES_BY_TYPE_ID[0]));
static_assert(TDW_C_INTERVAL_YEAR_TO_MONTH - TDW_C_INTERVAL_DAY + 1 == KIND_COUNT, "C interval ids");
static_assert(TDW_SQL_INTERVAL_YEAR_TO_MONTH - TDW_SQL_INTERVAL_DAY + 1 == KIND_COUNT, "SQL interval ids");

/// How many of each unit make one of the unit before it (none before year and day).
constexpr uint64_t PER_LARGER_UNIT[UNIT_COUNT] = {1, 12, 1, 24, 60, 60};

} // namespace

const IntervalKind& IntervalKind::Of(KernelOutput::IntervalCode in_code)
{
    return KINDS[in_code - 1];
}

const IntervalKind* IntervalKind::OfType(TDWType in_type)
{
    for (const TDWType first : {TDW_C_INTERVAL_DAY, TDW_SQL_INTERVAL_DAY})
    {
        const int32_t index = in_type - first;
        if (index >= 0 && index < KIND_COUNT)
        {
            return &Of(CODES_BY_TYPE_ID[index]);
        }
    }
    return nullptr;
}

uint64_t IntervalKind::UnitsPer(IntervalUnit in_larger, IntervalUnit in_smaller)
{
    uint64_t units = 1;
    for (int unit = in_larger + 1; unit <= in_smaller; ++unit)
    {
        units *= PER_LARGER_UNIT[unit];
    }
    return units;
}

} // namespace Support
} // namespace Orvik
