#pragma once

#include "IntervalFields.h"
#include "IntervalKind.h"
#include "KernelOutput.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class WarningListener;
struct DayTimeIntervalParse;
struct YearMonthIntervalParse;

/// The numbers an interval text gave, brought to the fields of one interval kind, and the checks
/// the result passes before it is stored: what both directions of conversion make of interval
/// text. The arithmetic is 64-bit, so a large day count cannot wrap into a small, wrong number of
/// hours.
class IntervalTextReduction
{
public:
    IntervalTextReduction() = delete;

    /// The parsed fields brought to a kind, and whether a part that is not zero, finer than the
    /// kind's last field, had no place in it.
    struct Reduced
    {
        IntervalFields m_value;
        bool m_isLost = false;
    };

    /// The day-time text's fields as the kind of in_code holds them: larger units are carried
    /// into the leading field, smaller ones must be whole multiples of the last field. A text of
    /// one number gives the kind's leading field; a text of two numbers joined by ":" is minutes
    /// and seconds for SECOND and MINUTE TO SECOND and hours and minutes for the others.
    static Reduced ReduceDayTime(const DayTimeIntervalParse& in_parse, KernelOutput::IntervalCode in_code);

    /// The year-month text's fields as the kind of in_code holds them: months are carried into a
    /// MONTH, and a month part has no place in a YEAR.
    static Reduced ReduceYearMonth(const YearMonthIntervalParse& in_parse, KernelOutput::IntervalCode in_code);

    /// The checks of a reduced value: a leading field beyond nine digits or beyond
    /// in_leadingPrecision posts IntervalFieldOverflow (1 for a negative value, else 0); a lower
    /// field out of its unit is no interval of the kind and posts InvalidCharValForCast. False
    /// when one was posted.
    static bool Check(const IntervalFields& in_value,
                      const IntervalKind& in_kind,
                      uint64_t in_leadingPrecision,
                      WarningListener& io_listener);

private:
    /// The fields after the leading one are within their units.
    static bool LowerFieldsValid(const IntervalFields& in_value, const IntervalKind& in_kind);
};

} // namespace Support
} // namespace Orvik
