#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of dates, times and timestamps into DATE, TIME and TIMESTAMP values. An
/// application's value (its ODBC structure; a time structure has no fraction) is checked where it
/// is taken apart, and a loss of a time part or of fraction digits beyond the target's seconds
/// precision is the error DatetimeFieldOverflow; a SQL-side value is taken as it stands, and the
/// same loss is cut with the warning FractionalTrunc 1. A refused value leaves the target's value
/// as it was. Every stored value sets the converted length to the record's size.
class DatetimeToSql
{
public:
    DatetimeToSql() = delete;

    /// Copied unchecked.
    static void DateToDate(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);

    /// The date at midnight; an application's date must be valid (DatetimeFieldOverflow).
    static void DateToTimestamp(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState& io_state,
                                WarningListener& io_listener);

    /// An application's time must be valid (DatetimeFieldOverflow) and gets fraction 0; a
    /// SQL-side time's fraction is cut to the target's precision.
    static void TimeToTime(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);

    /// As TimeToTime, on today's local date.
    static void TimeToTimestamp(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState& io_state,
                                WarningListener& io_listener);

    /// The date part. An application's timestamp must be valid (InvalidDatetimeValue) and have
    /// no time part (DatetimeFieldOverflow).
    static void TimestampToDate(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState& io_state,
                                WarningListener& io_listener);

    /// The time part, the date dropped without a word. An application's timestamp must be valid
    /// (InvalidDatetimeValue) and its fraction fit the target's precision.
    static void TimestampToTime(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState& io_state,
                                WarningListener& io_listener);

    /// Copied; an application's timestamp is not checked, and a fraction beyond the target's
    /// precision posts DatetimeFieldOverflow with the copy standing uncut.
    static void TimestampToTimestamp(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState& io_state,
                                     WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
