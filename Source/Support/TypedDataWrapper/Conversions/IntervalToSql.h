#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of interval sources into SQL values: intervals of the same family, and the
/// single-field intervals into integers and exact numerics. A source is a SQL-side interval
/// value or the application's interval structure, whose members the bound C type alone decides
/// (its interval type is never read, and only a sign of 1 is negative). The kinds of both sides
/// come from their type ids, so each kernel serves every cell of its rule.
class IntervalToSql
{
public:
    IntervalToSql() = delete;

    /// An interval into an interval of the same family. The target's leading field takes every
    /// larger unit of the source counted in its own unit, or the leading one of its fields that
    /// the source's leading value spreads over; its other fields take the source's fields of the
    /// same name, unchanged. Quantities the target cannot hold post IntervalFieldOverflow 2. The
    /// fraction is brought to the target's seconds precision: cut digits of a SQL-side value post
    /// FractionalTrunc, an application's structure is cut silently; a fraction with more digits
    /// than the target keeps posts FractionalTrunc. A leading field beyond the target's leading
    /// precision (or nine digits), or a fraction that no 32 bits hold, posts IntervalFieldOverflow
    /// (0, 1 by sign; 2 for the fraction) and writes nothing. All arithmetic is 64-bit.
    static void ConvertToInterval(const ToSqlSource& in_source,
                                  SqlData& io_target,
                                  ToSqlKernelState& io_state,
                                  WarningListener& io_listener);

    /// A single-field interval into the integer type T: its field, negated for a negative
    /// interval, cut to T's width and stored before the range test, which posts
    /// NumericValOutOfRange (1 for a negative value, else 0; a negative value never fits an
    /// unsigned type, zero included). A SQL-side SECOND with a fraction then posts
    /// FractionalTrunc; the fraction of an application's structure is not read.
    template <typename T>
    static void ConvertToInteger(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState& io_state,
                                 WarningListener& io_listener);

    /// A single-field interval into NUMERIC or DECIMAL. A field with more digits than the
    /// target's precision less its scale posts NumericValOutOfRange (1 for a negative value, else
    /// 0) and leaves the target as it was; otherwise the value is stored with exponent 0. A SECOND
    /// is stored at the target's scale, its fraction read in the source's seconds precision:
    /// digits below the scale are cut, which a SQL-side value reports with FractionalTrunc and an
    /// application's structure refuses with NumericValOutOfRange 2 (the target as it was). A
    /// seconds field or fraction beyond nine digits, or an application's seconds precision
    /// outside 0 to 9, posts IntervalFieldOverflow 2.
    static void ConvertToExactNumeric(const ToSqlSource& in_source,
                                      SqlData& io_target,
                                      ToSqlKernelState& io_state,
                                      WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
