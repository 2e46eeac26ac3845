#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of character text into dates, times, timestamps and intervals, from application
/// buffers and SQL-side character values alike (wide text narrowed first; a character no literal
/// has posts InvalidCharValForCast). An application's text is held more strictly than a SQL-side
/// one: a time part that a date cannot hold, or fraction digits beyond the target's seconds
/// precision, are the error DatetimeFieldOverflow from an application's buffer and the warning
/// FractionalTrunc 1 from a SQL-side value, after which the value is cut. A text that is no
/// value of the target's type leaves the target's value as it was.
class TextToDatetimeAndInterval
{
public:
    TextToDatetimeAndInterval() = delete;

    /// [-]YYYY-MM-DD, alone, with a time, or in "{d '...'}" or "{ts '...'}" beginning at the
    /// text's very first byte. A blank or unusable text posts InvalidCharValForCast from an
    /// application's buffer and NumericValOutOfRange 2 from a SQL-side value.
    static void ToDate(const ToSqlSource& in_source,
                       SqlData& io_target,
                       ToSqlKernelState& io_state,
                       WarningListener& io_listener);

    /// HH:MM:SS[.F], alone, after a date, or in "{t '...'}" or "{ts '...'}" (blanks allowed
    /// before the brace); a date without a time is refused.
    static void ToTime(const ToSqlSource& in_source,
                       SqlData& io_target,
                       ToSqlKernelState& io_state,
                       WarningListener& io_listener);

    /// A date, a date and a time, or a time on today's local date; an escape only as
    /// "{ts '...'}" at the text's very first byte. Blank text as for ToDate.
    static void ToTimestamp(const ToSqlSource& in_source,
                            SqlData& io_target,
                            ToSqlKernelState& io_state,
                            WarningListener& io_listener);

    /// An interval literal's body (no keyword, no quotes) into the interval of the target's
    /// type: the text's numbers brought to the target's fields, larger units carried into the
    /// leading field and smaller ones required to be whole multiples of the last field
    /// (IntervalFieldOverflow 2 otherwise, as for a month part given to a YEAR). A leading field
    /// beyond the target's leading precision posts IntervalFieldOverflow (1 for a negative value,
    /// else 0), a lower field out of its unit InvalidCharValForCast. Fraction digits beyond the
    /// target's seconds precision are cut, with FractionalTrunc (0 for a negative value, else 1)
    /// whenever a fraction that is not zero had more, zeros or not.
    static void ToInterval(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
