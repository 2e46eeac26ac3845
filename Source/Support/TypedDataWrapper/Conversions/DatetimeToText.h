#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of dates, times and timestamps into character values, in the plain forms
/// YYYY-MM-DD, HH:MM:SS and both joined by a blank (never the escape forms), from application
/// structures and SQL-side values alike. A value that fails its check posts
/// DatetimeFieldOverflow and writes nothing; a SQL-side field with more digits than its place
/// throws NumberConversionInvalidDataException ("NumToStrConvFailed").
class DatetimeToText
{
public:
    DatetimeToText() = delete;

    /// A date; every date is checked. A holder that cannot take the text posts
    /// NumericValOutOfRange 2 and is not written.
    static void DateToText(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);

    /// A time, its fraction in as many digits as the source's fractional precision p: an
    /// application's time has none to show (its structure has no fraction) and is checked, and
    /// its precision must be 0 to 9. The fraction part is shown when p is not 0 and the fraction
    /// is not zero or ConversionSettings::ShowZeroTimeFraction is on; digits that are not zero
    /// and are not written post StrRightTrunc. A holder that stays short of the text loses
    /// fraction digits by the same rule, or, short of the text through the seconds, is not
    /// written (NumericValOutOfRange 2).
    static void TimeToText(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);

    /// A timestamp. An application's value is checked and, when its fraction part is shown
    /// (the fraction is not zero or ConversionSettings::ShowZeroTimestampFraction is on), has
    /// all nine digits whatever its precision; a SQL-side one has the fraction part of a time,
    /// digits not written posting FractionalTrunc 2. A short holder as for a time, its lost
    /// digits posting FractionalTrunc 2.
    static void TimestampToText(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState& io_state,
                                WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
