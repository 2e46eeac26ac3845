// Kernels of NUMERIC and DECIMAL sources (both held as a TDWNumeric; one kernel, named by
// NUMERIC, serves both) into text, integers, FLOAT, DOUBLE, BIT, numeric structures and
// single-field intervals.

#include "IntervalFields.h"
#include "KernelOutput.h"
#include "KernelTextTarget.h"
#include "NumericText.h"
#include "SqlToCKernelCells.h"

#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <cstring>

namespace Orvik {
namespace Support {

namespace {

/// The source value. One that overflowed when it was made holds no number: it is refused as out
/// of range rather than read.
bool LoadNumeric(const void* in_source, TDWNumeric& out_value, WarningListener& io_listener)
{
    std::memcpy(static_cast<void*>(&out_value), in_source, sizeof(TDWNumeric));
    if (!out_value.IsValid())
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return false;
    }
    return true;
}

int32_t Direction(const TDWNumeric& in_value)
{
    return in_value.IsNegative() ? KernelOutput::BELOW : KernelOutput::ABOVE;
}

/// The text and, when it must be cut, as many fraction digits as fit; the length reported is
/// always the whole text's, so that a caller can size its next buffer.
void ToText(const void* in_source, KernelTextTarget io_target, WarningListener& io_listener)
{
    TDWNumeric value;
    if (!LoadNumeric(in_source, value, io_listener))
    {
        return;
    }
    const NumericText text(value, ConversionSettings::NumericZeroAsDigit);
    if (!io_target.Report(text.Length()))
    {
        return;
    }
    const int64_t count = text.Fit(io_target.Room());
    if (io_target.Write(text.Data(), count, io_listener) && count < text.Length())
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

/// The source value in out_value and, read by in_get, as T in out_result; false, with the
/// result posted, when the source holds no number or the value lies beyond T's range.
template <typename T>
bool ReadAs(T (TDWNumeric::*in_get)(bool&) const,
            const void* in_source,
            TDWNumeric& out_value,
            T& out_result,
            WarningListener& io_listener)
{
    if (!LoadNumeric(in_source, out_value, io_listener))
    {
        return false;
    }
    bool overflow = false;
    out_result = (out_value.*in_get)(overflow);
    if (overflow)
    {
        KernelOutput::PostOutOfRange(io_listener, Direction(out_value));
        return false;
    }
    return true;
}

/// The value truncated toward zero, read by in_get; out of range is not written.
template <typename T>
void ToInteger(T (TDWNumeric::*in_get)(bool&) const,
               const void* in_source,
               void* out_target,
               int64_t& io_targetLength,
               WarningListener& io_listener)
{
    io_targetLength = sizeof(T);
    TDWNumeric value;
    T result{};
    if (!ReadAs(in_get, in_source, value, result, io_listener))
    {
        return;
    }
    if (value.HasFraction())
    {
        KernelOutput::PostFractionalTrunc(io_listener, value.IsNegative());
    }
    KernelOutput::Store(out_target, result);
}

/// The nearest float or double; lost precision is no result, an infinity is out of range.
template <typename T>
void ToFloating(T (TDWNumeric::*in_get)(bool&) const,
                const void* in_source,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    io_targetLength = sizeof(T);
    TDWNumeric value;
    T result{};
    if (ReadAs(in_get, in_source, value, result, io_listener))
    {
        KernelOutput::Store(out_target, result);
    }
}

void ToBit(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    io_targetLength = 1;
    TDWNumeric value;
    if (LoadNumeric(in_source, value, io_listener))
    {
        ConversionHelpers::NumericToBit(value, static_cast<uint8_t*>(out_target), io_listener);
    }
}

/// The integer part of the value as an interval's leading field, which must fit nine digits
/// and the target's leading precision; out_value receives the field's magnitude.
bool ToLeadingField(const TDWNumeric& in_value,
                    const SqlToCKernelState& in_state,
                    const IntervalKind& in_kind,
                    IntervalFields& out_value,
                    WarningListener& io_listener)
{
    bool overflow = false;
    const int32_t whole = in_value.GetInt32(overflow);
    const uint64_t magnitude = whole < 0 ? uint64_t{0} - static_cast<uint64_t>(whole) : static_cast<uint64_t>(whole);
    out_value.m_isNegative = in_value.IsNegative();
    out_value.m_fields[in_kind.m_first] = magnitude;
    if (overflow || !out_value.LeadingFits(in_kind, in_state.m_targetLeadingPrecision))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, Direction(in_value));
        return false;
    }
    return true;
}

/// YEAR, MONTH, DAY, HOUR and MINUTE take the integer part; a fraction is cut.
template <KernelOutput::IntervalCode in_code>
void ToInterval(const SqlToCKernelState& in_state,
                const void* in_source,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const IntervalKind& kind = IntervalKind::Of(in_code);
    TDWNumeric value;
    IntervalFields interval;
    if (!LoadNumeric(in_source, value, io_listener)
        || !ToLeadingField(value, in_state, kind, interval, io_listener))
    {
        return;
    }
    if (value.HasFraction())
    {
        KernelOutput::PostFractionalTrunc(io_listener, interval.m_isNegative);
    }
    interval.Write(out_target, kind);
}

void ToSecondInterval(const SqlToCKernelState& in_state,
                      const void* in_source,
                      void* out_target,
                      int64_t& io_targetLength,
                      WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const IntervalKind& kind = IntervalKind::Of(KernelOutput::INTERVAL_SECOND);
    TDWNumeric value;
    IntervalFields interval;
    if (!LoadNumeric(in_source, value, io_listener) || !ToLeadingField(value, in_state, kind, interval, io_listener))
    {
        return;
    }
    interval.m_fraction =
        ConversionHelpers::GetSecondsFraction(value, in_state.m_targetFractionalPrecision, io_listener);
    interval.Write(out_target, kind);
}

} // namespace

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, TDW_C_CHAR)
{
    ToText(in_sourceData, KernelTextTarget::Narrow(out_target, io_targetLength), io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, TDW_C_WCHAR)
{
    ToText(in_sourceData, KernelTextTarget::Wide(out_target, io_targetLength, io_state.m_targetEncoding), io_listener);
}

#define ORVIK_NUMERIC_KERNEL(in_target, in_function, in_get)                                      \
    ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, in_target)                                             \
    {                                                                                             \
        in_function(&TDWNumeric::in_get, in_sourceData, out_target, io_targetLength, io_listener); \
    }

ORVIK_NUMERIC_KERNEL(TDW_C_STINYINT, ToInteger, GetInt8)
ORVIK_NUMERIC_KERNEL(TDW_C_UTINYINT, ToInteger, GetUInt8)
ORVIK_NUMERIC_KERNEL(TDW_C_SSHORT, ToInteger, GetInt16)
ORVIK_NUMERIC_KERNEL(TDW_C_USHORT, ToInteger, GetUInt16)
ORVIK_NUMERIC_KERNEL(TDW_C_SLONG, ToInteger, GetInt32)
ORVIK_NUMERIC_KERNEL(TDW_C_ULONG, ToInteger, GetUInt32)
ORVIK_NUMERIC_KERNEL(TDW_C_SBIGINT, ToInteger, GetInt64)
ORVIK_NUMERIC_KERNEL(TDW_C_UBIGINT, ToInteger, GetUInt64)
ORVIK_NUMERIC_KERNEL(TDW_C_FLOAT, ToFloating, GetSingle)
ORVIK_NUMERIC_KERNEL(TDW_C_DOUBLE, ToFloating, GetDouble)

#undef ORVIK_NUMERIC_KERNEL

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, TDW_C_BIT)
{
    ToBit(in_sourceData, out_target, io_targetLength, io_listener);
}

/// The target precision is held against the digits the value has.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, TDW_C_NUMERIC)
{
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    TDWNumeric value;
    if (LoadNumeric(in_sourceData, value, io_listener))
    {
        KernelOutput::WriteSqlNumeric(
            value, value.GetPrecision(), out_target, io_state.m_targetPrecision, io_state.m_targetScale, io_listener);
    }
}

#define ORVIK_NUMERIC_INTERVAL_KERNEL(in_kind)                                                    \
    ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, TDW_C_INTERVAL_##in_kind)                              \
    {                                                                                             \
        ToInterval<KernelOutput::INTERVAL_##in_kind>(                                             \
            io_state, in_sourceData, out_target, io_targetLength, io_listener);                   \
    }

ORVIK_NUMERIC_INTERVAL_KERNEL(YEAR)
ORVIK_NUMERIC_INTERVAL_KERNEL(MONTH)
ORVIK_NUMERIC_INTERVAL_KERNEL(DAY)
ORVIK_NUMERIC_INTERVAL_KERNEL(HOUR)
ORVIK_NUMERIC_INTERVAL_KERNEL(MINUTE)

#undef ORVIK_NUMERIC_INTERVAL_KERNEL

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_NUMERIC, TDW_C_INTERVAL_SECOND)
{
    ToSecondInterval(io_state, in_sourceData, out_target, io_targetLength, io_listener);
}

namespace {

template <TDWType in_target>
constexpr SqlToCKernel NUMERIC_KERNEL = KERNEL<TDW_SQL_NUMERIC, in_target>;

#define ORVIK_EXACT_NUMERIC_CELLS(in_source)                                                      \
    {in_source, TDW_C_CHAR, NUMERIC_KERNEL<TDW_C_CHAR>},                                          \
    {in_source, TDW_C_WCHAR, NUMERIC_KERNEL<TDW_C_WCHAR>},                                        \
    {in_source, TDW_C_STINYINT, NUMERIC_KERNEL<TDW_C_STINYINT>},                                  \
    {in_source, TDW_C_TINYINT, NUMERIC_KERNEL<TDW_C_STINYINT>},                                   \
    {in_source, TDW_C_UTINYINT, NUMERIC_KERNEL<TDW_C_UTINYINT>},                                  \
    {in_source, TDW_C_SSHORT, NUMERIC_KERNEL<TDW_C_SSHORT>},                                      \
    {in_source, TDW_C_SHORT, NUMERIC_KERNEL<TDW_C_SSHORT>},                                       \
    {in_source, TDW_C_USHORT, NUMERIC_KERNEL<TDW_C_USHORT>},                                      \
    {in_source, TDW_C_SLONG, NUMERIC_KERNEL<TDW_C_SLONG>},                                        \
    {in_source, TDW_C_LONG, NUMERIC_KERNEL<TDW_C_SLONG>},                                         \
    {in_source, TDW_C_ULONG, NUMERIC_KERNEL<TDW_C_ULONG>},                                        \
    {in_source, TDW_C_SBIGINT, NUMERIC_KERNEL<TDW_C_SBIGINT>},                                    \
    {in_source, TDW_C_UBIGINT, NUMERIC_KERNEL<TDW_C_UBIGINT>},                                    \
    {in_source, TDW_C_FLOAT, NUMERIC_KERNEL<TDW_C_FLOAT>},                                        \
    {in_source, TDW_C_DOUBLE, NUMERIC_KERNEL<TDW_C_DOUBLE>},                                      \
    {in_source, TDW_C_BIT, NUMERIC_KERNEL<TDW_C_BIT>},                                            \
    {in_source, TDW_C_NUMERIC, NUMERIC_KERNEL<TDW_C_NUMERIC>},                                    \
    {in_source, TDW_C_INTERVAL_YEAR, NUMERIC_KERNEL<TDW_C_INTERVAL_YEAR>},                        \
    {in_source, TDW_C_INTERVAL_MONTH, NUMERIC_KERNEL<TDW_C_INTERVAL_MONTH>},                      \
    {in_source, TDW_C_INTERVAL_DAY, NUMERIC_KERNEL<TDW_C_INTERVAL_DAY>},                          \
    {in_source, TDW_C_INTERVAL_HOUR, NUMERIC_KERNEL<TDW_C_INTERVAL_HOUR>},                        \
    {in_source, TDW_C_INTERVAL_MINUTE, NUMERIC_KERNEL<TDW_C_INTERVAL_MINUTE>},                    \
    {in_source, TDW_C_INTERVAL_SECOND, NUMERIC_KERNEL<TDW_C_INTERVAL_SECOND>}

const SqlToCKernelCell EXACT_NUMERIC_CELLS[] = {
    ORVIK_EXACT_NUMERIC_CELLS(TDW_SQL_NUMERIC),
    ORVIK_EXACT_NUMERIC_CELLS(TDW_SQL_DECIMAL),
};

#undef ORVIK_EXACT_NUMERIC_CELLS

} // namespace

SqlToCKernelCells GetExactNumericSourceCells()
{
    return SqlToCKernelCells::Of(EXACT_NUMERIC_CELLS);
}

} // namespace Support
} // namespace Orvik
