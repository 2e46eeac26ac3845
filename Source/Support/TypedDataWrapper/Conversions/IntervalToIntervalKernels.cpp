// Kernels of interval sources into interval structures of any kind of the same family. One
// algorithm serves all 109 pairs: the value is counted in the target's last unit, then split
// into the target's fields from the last one up.

#include "IntervalFields.h"
#include "KernelOutput.h"
#include "SqlToCKernelCells.h"

namespace Orvik {
namespace Support {

namespace {

/// Brings the source value to the target kind. A target whose last field is a smaller unit
/// takes the value exactly; a larger one drops what its last unit cannot hold, with
/// FractionalTrunc. The leading field takes what the others leave, without limit, and must then
/// fit nine digits and the target's leading precision, or nothing is written.
void ConvertIntervalToInterval(KernelOutput::IntervalCode in_sourceCode,
                               KernelOutput::IntervalCode in_targetCode,
                               const SqlToCKernelState& in_state,
                               const void* in_source,
                               void* out_target,
                               int64_t& io_targetLength,
                               WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const IntervalKind& sourceKind = IntervalKind::Of(in_sourceCode);
    const IntervalKind& targetKind = IntervalKind::Of(in_targetCode);
    const IntervalFields source = IntervalFields::FromSqlValue(in_source, sourceKind);
    uint64_t total = source.Total(sourceKind);
    bool isLost = false;
    if (targetKind.m_last >= sourceKind.m_last)
    {
        total *= IntervalKind::UnitsPer(sourceKind.m_last, targetKind.m_last);
    }
    else
    {
        const uint64_t units = IntervalKind::UnitsPer(targetKind.m_last, sourceKind.m_last);
        isLost = total % units != 0 || source.m_fraction != 0;
        total /= units;
    }
    IntervalFields target;
    target.m_isNegative = source.m_isNegative;
    target.Split(total, targetKind);
    target.m_fraction = sourceKind.HasSeconds() && targetKind.HasSeconds() ? source.m_fraction : 0;
    if (!target.LeadingFits(targetKind, in_state.m_targetLeadingPrecision))
    {
        KernelOutput::PostIntervalFieldOverflow(
            io_listener, target.m_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    if (isLost)
    {
        KernelOutput::PostFractionalTrunc(io_listener, target.m_isNegative);
    }
    target.Write(out_target, targetKind);
}

} // namespace

// The kinds of each family; every source kind converts to every kind of its family. The list
// of kinds is written twice so that one list can be expanded inside the other.
#define ORVIK_YEAR_MONTH_KINDS(X, in_source) X(in_source, YEAR) X(in_source, MONTH) X(in_source, YEAR_TO_MONTH)
#define ORVIK_YEAR_MONTH_SOURCES(X) X(_, YEAR) X(_, MONTH) X(_, YEAR_TO_MONTH)
#define ORVIK_DAY_TIME_KINDS(X, in_source)                                                        \
    X(in_source, DAY) X(in_source, HOUR) X(in_source, MINUTE) X(in_source, SECOND)                \
    X(in_source, DAY_TO_HOUR) X(in_source, DAY_TO_MINUTE) X(in_source, DAY_TO_SECOND)             \
    X(in_source, HOUR_TO_MINUTE) X(in_source, HOUR_TO_SECOND) X(in_source, MINUTE_TO_SECOND)
#define ORVIK_DAY_TIME_SOURCES(X)                                                                 \
    X(_, DAY) X(_, HOUR) X(_, MINUTE) X(_, SECOND) X(_, DAY_TO_HOUR) X(_, DAY_TO_MINUTE)          \
    X(_, DAY_TO_SECOND) X(_, HOUR_TO_MINUTE) X(_, HOUR_TO_SECOND) X(_, MINUTE_TO_SECOND)

#define ORVIK_INTERVAL_PAIR_KERNEL(in_source, in_target)                                          \
    ORVIK_SQL_TO_C_KERNEL(TDW_SQL_INTERVAL_##in_source, TDW_C_INTERVAL_##in_target)               \
    {                                                                                             \
        ConvertIntervalToInterval(KernelOutput::INTERVAL_##in_source,                             \
                                  KernelOutput::INTERVAL_##in_target,                             \
                                  io_state,                                                       \
                                  in_sourceData,                                                  \
                                  out_target,                                                     \
                                  io_targetLength,                                                \
                                  io_listener);                                                   \
    }
#define ORVIK_YEAR_MONTH_KERNEL_ROW(in_unused, in_source) ORVIK_YEAR_MONTH_KINDS(ORVIK_INTERVAL_PAIR_KERNEL, in_source)
#define ORVIK_DAY_TIME_KERNEL_ROW(in_unused, in_source) ORVIK_DAY_TIME_KINDS(ORVIK_INTERVAL_PAIR_KERNEL, in_source)

ORVIK_YEAR_MONTH_SOURCES(ORVIK_YEAR_MONTH_KERNEL_ROW)
ORVIK_DAY_TIME_SOURCES(ORVIK_DAY_TIME_KERNEL_ROW)

namespace {

#define ORVIK_INTERVAL_PAIR_CELL(in_source, in_target)                                            \
    {TDW_SQL_INTERVAL_##in_source, TDW_C_INTERVAL_##in_target,                                    \
     &SqlToCCvt<TDW_SQL_INTERVAL_##in_source, TDW_C_INTERVAL_##in_target>::Convert},
#define ORVIK_YEAR_MONTH_CELL_ROW(in_unused, in_source) ORVIK_YEAR_MONTH_KINDS(ORVIK_INTERVAL_PAIR_CELL, in_source)
#define ORVIK_DAY_TIME_CELL_ROW(in_unused, in_source) ORVIK_DAY_TIME_KINDS(ORVIK_INTERVAL_PAIR_CELL, in_source)

const SqlToCKernelCell INTERVAL_PAIR_CELLS[] = {
    ORVIK_YEAR_MONTH_SOURCES(ORVIK_YEAR_MONTH_CELL_ROW)
    ORVIK_DAY_TIME_SOURCES(ORVIK_DAY_TIME_CELL_ROW)
};

static_assert(sizeof(INTERVAL_PAIR_CELLS) / sizeof(INTERVAL_PAIR_CELLS[0]) == 3 * 3 + 10 * 10,
              "every pair of kinds of one family");

} // namespace

#undef ORVIK_DAY_TIME_CELL_ROW
#undef ORVIK_YEAR_MONTH_CELL_ROW
#undef ORVIK_INTERVAL_PAIR_CELL
#undef ORVIK_DAY_TIME_KERNEL_ROW
#undef ORVIK_YEAR_MONTH_KERNEL_ROW
#undef ORVIK_INTERVAL_PAIR_KERNEL
#undef ORVIK_DAY_TIME_SOURCES
#undef ORVIK_DAY_TIME_KINDS
#undef ORVIK_YEAR_MONTH_SOURCES
#undef ORVIK_YEAR_MONTH_KINDS

SqlToCKernelCells GetIntervalPairCells()
{
    return SqlToCKernelCells::Of(INTERVAL_PAIR_CELLS);
}

} // namespace Support
} // namespace Orvik
