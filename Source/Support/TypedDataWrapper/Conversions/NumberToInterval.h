#pragma once

#include "IntervalFields.h"
#include "KernelOutput.h"
#include "ToSqlKernel.h"
#include "ToSqlSource.h"

#include "Support/TypedDataWrapper/SqlData.h"

#include <cstdint>
#include <type_traits>

namespace Orvik {
namespace Support {

/// The kernels of numbers into the single-field intervals DAY, HOUR, MINUTE, MONTH and YEAR,
/// which share one layout, and into INTERVAL SECOND. The number's integer part becomes the
/// leading field and its sign the interval's. The target's type decides which value is written,
/// so one kernel serves the six targets of its source. A leading field with more digits than the
/// target's leading precision, or above 999,999,999, posts IntervalFieldOverflow (1 for a
/// negative value, else 0) and leaves the record as it was.
class NumberToInterval
{
public:
    NumberToInterval() = delete;

    /// An integer of type S (a bit byte as an unsigned byte). SECOND gets no fraction.
    template <typename S>
    static void FromInteger(const ToSqlSource& in_source,
                            SqlData& io_target,
                            ToSqlKernelState&,
                            WarningListener& io_listener)
    {
        const IntervalKind& kind = PrepareTarget(io_target);
        const S value = KernelOutput::Load<S>(in_source.m_value);
        IntervalFields interval;
        uint64_t magnitude = value;
        if constexpr (std::is_signed<S>::value)
        {
            interval.m_isNegative = value < 0;
            magnitude = interval.m_isNegative ? uint64_t{0} - magnitude : magnitude;
        }
        interval.m_fields[kind.m_first] = magnitude;
        if (FitsLeadingField(interval, kind, io_target, io_listener))
        {
            interval.WriteSqlValue(io_target.GetBuffer(), kind);
        }
    }

    /// A single-precision value, worked on in single precision: a magnitude above 10^9 overflows.
    /// A single-field target loses the fraction with FractionalTrunc (0 for a negative value, else
    /// 1); SECOND takes it at the target's seconds precision, cut without a word. A NaN has no
    /// field to give: IntervalFieldOverflow 2.
    static void FromReal(const ToSqlSource& in_source,
                         SqlData& io_target,
                         ToSqlKernelState& io_state,
                         WarningListener& io_listener);

    /// The same for a double-precision value, whose magnitude may not pass 999,999,999.
    static void FromDouble(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);

    /// An exact number: a SQL-side NUMERIC or DECIMAL value, or the application's numeric
    /// structure at its own scale byte. A single-field target loses a non-zero fraction with
    /// FractionalTrunc (0 for a negative value, else 1); SECOND takes the first fraction digits
    /// its seconds precision keeps, with FractionalTrunc when the value carries more, even zeros.
    static void FromExactNumeric(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState& io_state,
                                 WarningListener& io_listener);

private:
    template <typename F>
    static void FromFloating(const ToSqlSource& in_source, SqlData& io_target, WarningListener& io_listener);

    /// The kind of the target's type (a single-field interval or SECOND), the target's converted
    /// length set to the size of its value.
    static const IntervalKind& PrepareTarget(SqlData& io_target);

    /// The leading field of in_interval fits the target; otherwise IntervalFieldOverflow is
    /// posted.
    static bool FitsLeadingField(const IntervalFields& in_interval,
                                 const IntervalKind& in_kind,
                                 const SqlData& in_target,
                                 WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
