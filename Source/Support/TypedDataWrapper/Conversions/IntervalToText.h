#pragma once

#include "KernelOutput.h"
#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of interval values into character values: the body of the interval's literal
/// (3 04:05:06.500000, -1-02), from the application's interval structure or a SQL-side value.
class IntervalToText
{
public:
    IntervalToText() = delete;

    /// An interval of the kind of in_code. Before anything is written:
    /// - a field beyond its limit, or an application's fractional precision outside 0 to 9,
    ///   posts IntervalFieldOverflow 2: the leading field at most 999,999,999 (not checked for
    ///   the SQL-side single fields but SECOND), month 11, hour 23, minute and second 59, an
    ///   application's fraction 999,999,999;
    /// - a leading field of more digits than the leading precision P, or a P beyond nine digits,
    ///   posts InvalidLeadingPrecision.
    /// The leading field is zero-padded to P digits when
    /// ConversionSettings::PadIntervalLeadingField is on; the fraction has exactly p digits (the
    /// source's fractional precision), an application's fraction first cut to them, a SQL-side
    /// one of more digits throwing NumberConversionInvalidDataException ("NumToStrConvFailed").
    /// A holder that cannot take the text posts NumericValOutOfRange 2 and is not written.
    template <KernelOutput::IntervalCode in_code>
    static void ToText(const ToSqlSource& in_source,
                       SqlData& io_target,
                       ToSqlKernelState& io_state,
                       WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
