#pragma once

#include "KernelOutput.h"
#include "NumberToSql.h"
#include "ToSqlKernel.h"
#include "ToSqlSource.h"

#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The kernels of numbers into NUMERIC and DECIMAL values, and of exact numbers into integers,
/// floating-point values and bits. An exact-number source is a SQL-side NUMERIC or DECIMAL
/// value, or the application's numeric structure (see ReadSource); the source's side decides
/// which, so one kernel serves both. A NUMERIC or DECIMAL target holds the value whole or not at
/// all: its integral digits must fit the type's precision less its scale, whatever the source.
class ExactNumericToSql
{
public:
    ExactNumericToSql() = delete;

    /// The scale at which an application's numeric structure is read.
    enum StructureScale
    {
        /// The scale the bound parameter's metadata gives.
        PARAMETER_SCALE,
        /// The structure's own scale byte.
        OWN_SCALE
    };

    /// The value of an exact-number source: a SQL-side value's record, or the application's
    /// numeric structure read at in_scale. False, having posted NumericValOutOfRange 2, when the
    /// record holds no number (an overflow marked it invalid) or the structure's scale lies
    /// beyond an exact number's exponents.
    static bool ReadSource(const ToSqlSource& in_source,
                           StructureScale in_scale,
                           TDWNumeric& out_value,
                           WarningListener& io_listener);

    /// Stores in_value in io_target's exact-number record at the scale of io_target's type:
    /// surplus fraction digits are dropped toward zero, with FractionalTrunc (1 for a value of
    /// zero or more, 0 for a negative one) when one was not zero; missing ones are added as
    /// zeros. A value whose integral digits exceed the type's precision less its scale, or that
    /// cannot be scaled, posts NumericValOutOfRange (0 above, 1 below) and is not stored.
    static void AdjustNumericScale(const TDWNumeric& in_value, SqlData& io_target, WarningListener& io_listener);

    // Into NUMERIC and DECIMAL.

    /// An integer of type S, stored at scale 0 whatever the target's scale.
    template <typename S>
    static void FromInteger(const ToSqlSource& in_source,
                            SqlData& io_target,
                            ToSqlKernelState&,
                            WarningListener& io_listener)
    {
        StoreWhole(TDWNumeric(KernelOutput::Load<S>(in_source.m_value)), io_target, io_listener);
    }

    /// A bit byte: 1 for any byte but 0.
    static void FromBit(const ToSqlSource& in_source,
                        SqlData& io_target,
                        ToSqlKernelState& io_state,
                        WarningListener& io_listener);

    /// A single-precision value's shortest decimal text that reads back as the same value (2.5f
    /// is 2.5, scale 1): fraction digits beyond the target's scale are dropped toward zero with
    /// FractionalTrunc; a value with fewer keeps its own scale. A NaN or an infinity raises
    /// SupportException ("TDWNumericValueError").
    static void FromReal(const ToSqlSource& in_source,
                         SqlData& io_target,
                         ToSqlKernelState& io_state,
                         WarningListener& io_listener);

    /// The same for a double-precision value.
    static void FromDouble(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);

    /// An exact number, rescaled by AdjustNumericScale. The application's numeric structure,
    /// read at the parameter's scale, must not lose a digit: a fraction cut posts
    /// NumericValOutOfRange 2, the cut value standing.
    static void FromExactNumeric(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState& io_state,
                                 WarningListener& io_listener);

    // From exact numbers; the application's structure is read at the parameter's scale.

    /// The value truncated toward zero as the integer T, read by in_get; out of range posts
    /// NumericValOutOfRange (0 above, 1 below) and leaves the target. A SQL-side value that lost
    /// a fraction posts FractionalTrunc; the application's value loses it without a word.
    template <typename T, T (TDWNumeric::*in_get)(bool&) const>
    static void ToInteger(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState&,
                          WarningListener& io_listener)
    {
        void* target = NumberToSql::FixedTarget(io_target, sizeof(T));
        TDWNumeric value;
        if (!ReadSource(in_source, PARAMETER_SCALE, value, io_listener))
        {
            return;
        }
        bool isOutOfRange = false;
        const T result = (value.*in_get)(isOutOfRange);
        if (isOutOfRange)
        {
            KernelOutput::PostOutOfRange(io_listener, Direction(value));
            return;
        }
        KernelOutput::Store(target, result);
        if (!in_source.IsCSource() && value.HasFraction())
        {
            KernelOutput::PostFractionalTrunc(io_listener, value.IsNegative());
        }
    }

    /// The nearest single-precision value; digits it cannot carry are lost without a word, a
    /// magnitude beyond its range posts NumericValOutOfRange (0 above, 1 below) and leaves the
    /// target.
    static void ToReal(const ToSqlSource& in_source,
                       SqlData& io_target,
                       ToSqlKernelState& io_state,
                       WarningListener& io_listener);

    /// The same in double precision.
    static void ToDouble(const ToSqlSource& in_source,
                         SqlData& io_target,
                         ToSqlKernelState& io_state,
                         WarningListener& io_listener);

    /// 0 and 1 as they are, a value between 0 and 2 cut to its bit with FractionalTrunc (the bit
    /// kept as its info); below 0 or from 2 on out of range. The application's structure is read
    /// at its own scale byte here, not at the parameter's.
    static void ToBit(const ToSqlSource& in_source,
                      SqlData& io_target,
                      ToSqlKernelState& io_state,
                      WarningListener& io_listener);

private:
    static int32_t Direction(const TDWNumeric& in_value)
    {
        return in_value.IsNegative() ? KernelOutput::BELOW : KernelOutput::ABOVE;
    }

    /// Stores in_value unchanged when its integral digits fit the target's type.
    static void StoreWhole(const TDWNumeric& in_value, SqlData& io_target, WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
