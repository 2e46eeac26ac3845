// Kernels of interval sources into text, and of the single-field and SECOND intervals into
// integers and numeric structures. The single-field kinds YEAR, MONTH, DAY, HOUR and MINUTE
// share their kernels, named by DAY.

#include "IntervalFields.h"
#include "IntervalValueText.h"
#include "KernelOutput.h"
#include "KernelTextTarget.h"
#include "SqlToCKernelCells.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>
#include <limits>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;
/// The kinds without seconds are written whole or not at all; the kinds with seconds may lose
/// fraction digits, with FractionalTrunc. The length is the whole text's either way, as for every
/// text cut to fit, so that an application sees how large a buffer would have held it.
template <KernelOutput::IntervalCode in_code>
void ToText(const SqlToCKernelState& in_state,
            const void* in_source,
            KernelTextTarget io_target,
            WarningListener& io_listener)
{
    const IntervalKind& kind = IntervalKind::Of(in_code);
    const IntervalFields value = IntervalFields::FromSqlValue(in_source, kind);
    const IntervalValueText text(value, kind, in_state.m_sourceLeadingPrecision, in_state.m_sourceFractionalPrecision);
    if (!io_target.Report(text.Length()))
    {
        return;
    }
    const int64_t count = text.Fit(io_target.Room());
    if (io_target.Write(text.Data(), count, io_listener) && count < text.Length())
    {
        KernelOutput::PostFractionalTrunc(io_listener, value.m_isNegative);
    }
}

/// The value of a single-field or SECOND interval as a signed magnitude.
struct SignedField
{
    uint32_t m_magnitude;
    uint32_t m_fraction;
    bool m_isNegative;
};

template <KernelOutput::IntervalCode in_code>
SignedField ReadField(const void* in_source)
{
    const IntervalKind& kind = IntervalKind::Of(in_code);
    const IntervalFields value = IntervalFields::FromSqlValue(in_source, kind);
    return {static_cast<uint32_t>(value.Leading(kind)), value.m_fraction, value.m_isNegative};
}

/// The field as the integer type T. A negative interval, of value 0 as well, is below every
/// unsigned type; a value out of T's range is not written. For SECOND a fraction is cut.
template <typename T, KernelOutput::IntervalCode in_code>
void ToInteger(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    const int64_t size = io_targetLength;
    io_targetLength = sizeof(T);
    if (size < static_cast<int64_t>(sizeof(T)))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const SignedField field = ReadField<in_code>(in_source);
    const int64_t value = field.m_isNegative ? -int64_t{field.m_magnitude} : int64_t{field.m_magnitude};
    if (field.m_isNegative && (std::is_unsigned<T>::value || value < int64_t{std::numeric_limits<T>::min()}))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
        return;
    }
    if (!field.m_isNegative && uint64_t(value) > uint64_t{std::numeric_limits<T>::max()})
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
        return;
    }
    if (in_code == KernelOutput::INTERVAL_SECOND && field.m_fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, field.m_isNegative);
    }
    KernelOutput::Store(out_target, static_cast<T>(value));
}

/// The integer digits the target's precision and scale leave room for.
bool HasIntegerRoom(uint32_t in_value, const SqlToCKernelState& in_state)
{
    return NumberConverter::GetNumberOfDigits(in_value) <= in_state.m_targetPrecision - in_state.m_targetScale;
}

/// The value at scale 0, with the source's leading precision as its precision.
void SingleFieldToNumeric(const SqlToCKernelState& in_state,
                          const void* in_source,
                          void* out_target,
                          int64_t& io_targetLength,
                          WarningListener& io_listener)
{
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    // Every single-field record has the same layout, so any of their kinds reads it.
    const SignedField field = ReadField<KernelOutput::INTERVAL_DAY>(in_source);
    if (!HasIntegerRoom(field.m_magnitude, in_state))
    {
        KernelOutput::PostOutOfRange(io_listener, field.m_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    KernelOutput::NumericStruct numeric{};
    numeric.m_precision = static_cast<uint8_t>(in_state.m_sourceLeadingPrecision);
    numeric.m_sign = field.m_isNegative ? 0 : 1;
    for (size_t i = 0; i < sizeof(field.m_magnitude); ++i)
    {
        numeric.m_magnitude[i] = static_cast<uint8_t>(field.m_magnitude >> (8 * i));
    }
    KernelOutput::Store(out_target, numeric);
}

/// The seconds and their fraction as an exact number, brought from the source's fractional
/// precision to the target's scale: a shorter scale drops digits with FractionalTrunc, a longer
/// one adds zeros.
void SecondToNumeric(const SqlToCKernelState& in_state,
                     const void* in_source,
                     void* out_target,
                     int64_t& io_targetLength,
                     WarningListener& io_listener)
{
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    const SignedField field = ReadField<KernelOutput::INTERVAL_SECOND>(in_source);
    if (!HasIntegerRoom(field.m_magnitude, in_state))
    {
        KernelOutput::PostOutOfRange(io_listener, field.m_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    const int16_t precision = std::clamp<int16_t>(in_state.m_sourceFractionalPrecision, 0, MAX_FRACTIONAL_PRECISION);
    uint64_t magnitude = field.m_magnitude;
    for (int16_t i = 0; i < precision; ++i)
    {
        magnitude *= 10;
    }
    magnitude += field.m_fraction;
    uint8_t bytes[sizeof(magnitude)];
    for (size_t i = 0; i < sizeof(bytes); ++i)
    {
        bytes[i] = static_cast<uint8_t>(magnitude >> (8 * i));
    }
    const TDWNumeric value = TDWNumeric::FromMagnitudeBytes(
        bytes, sizeof(bytes), static_cast<int16_t>(-precision), field.m_isNegative);
    KernelOutput::WriteSqlNumeric(
        value, value.GetPrecision(), out_target, in_state.m_targetPrecision, in_state.m_targetScale, io_listener);
}

} // namespace

#define ORVIK_INTERVAL_TEXT_KERNELS(in_source, in_kind)                                           \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_CHAR)                                                  \
    {                                                                                             \
        ToText<KernelOutput::INTERVAL_##in_kind>(                                                 \
            io_state, in_sourceData, KernelTextTarget::Narrow(out_target, io_targetLength),       \
            io_listener);                                                                         \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_WCHAR)                                                 \
    {                                                                                             \
        ToText<KernelOutput::INTERVAL_##in_kind>(                                                 \
            io_state, in_sourceData,                                                              \
            KernelTextTarget::Wide(out_target, io_targetLength, io_state.m_targetEncoding),       \
            io_listener);                                                                         \
    }

// The single-field kinds have one layout and one text; DAY names their kernels.
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_DAY, DAY)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_SECOND, SECOND)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_YEAR_TO_MONTH, YEAR_TO_MONTH)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_DAY_TO_HOUR, DAY_TO_HOUR)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_DAY_TO_MINUTE, DAY_TO_MINUTE)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_DAY_TO_SECOND, DAY_TO_SECOND)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_HOUR_TO_MINUTE, HOUR_TO_MINUTE)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_HOUR_TO_SECOND, HOUR_TO_SECOND)
ORVIK_INTERVAL_TEXT_KERNELS(TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MINUTE_TO_SECOND)

#undef ORVIK_INTERVAL_TEXT_KERNELS

#define ORVIK_INTERVAL_INTEGER_KERNELS(in_source, in_kind)                                        \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_STINYINT)                                              \
    {                                                                                             \
        ToInteger<int8_t, KernelOutput::INTERVAL_##in_kind>(                                      \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_UTINYINT)                                              \
    {                                                                                             \
        ToInteger<uint8_t, KernelOutput::INTERVAL_##in_kind>(                                     \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_SSHORT)                                                \
    {                                                                                             \
        ToInteger<int16_t, KernelOutput::INTERVAL_##in_kind>(                                     \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_USHORT)                                                \
    {                                                                                             \
        ToInteger<uint16_t, KernelOutput::INTERVAL_##in_kind>(                                    \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_SLONG)                                                 \
    {                                                                                             \
        ToInteger<int32_t, KernelOutput::INTERVAL_##in_kind>(                                     \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_ULONG)                                                 \
    {                                                                                             \
        ToInteger<uint32_t, KernelOutput::INTERVAL_##in_kind>(                                    \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_SBIGINT)                                               \
    {                                                                                             \
        ToInteger<int64_t, KernelOutput::INTERVAL_##in_kind>(                                     \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }                                                                                             \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_UBIGINT)                                               \
    {                                                                                             \
        ToInteger<uint64_t, KernelOutput::INTERVAL_##in_kind>(                                    \
            in_sourceData, out_target, io_targetLength, io_listener);                             \
    }

ORVIK_INTERVAL_INTEGER_KERNELS(TDW_SQL_INTERVAL_DAY, DAY)
ORVIK_INTERVAL_INTEGER_KERNELS(TDW_SQL_INTERVAL_SECOND, SECOND)

#undef ORVIK_INTERVAL_INTEGER_KERNELS

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_INTERVAL_DAY, TDW_C_NUMERIC)
{
    SingleFieldToNumeric(io_state, in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_INTERVAL_SECOND, TDW_C_NUMERIC)
{
    SecondToNumeric(io_state, in_sourceData, out_target, io_targetLength, io_listener);
}

namespace {

// Text for every kind; the single-field kinds share the kernels named by DAY.
#define ORVIK_INTERVAL_TEXT_CELLS(in_source, in_kernelSource)                                     \
    {in_source, TDW_C_CHAR, KERNEL<in_kernelSource, TDW_C_CHAR>},                                 \
    {in_source, TDW_C_WCHAR, KERNEL<in_kernelSource, TDW_C_WCHAR>}

// Integers and numeric structures for the single-field kinds and SECOND. The one-byte targets
// are served as listed by the pairs of these types.
#define ORVIK_INTERVAL_NUMBER_CELLS(in_source, in_kernelSource)                                   \
    {in_source, TDW_C_UTINYINT, KERNEL<in_kernelSource, TDW_C_UTINYINT>},                         \
    {in_source, TDW_C_SSHORT, KERNEL<in_kernelSource, TDW_C_SSHORT>},                             \
    {in_source, TDW_C_SHORT, KERNEL<in_kernelSource, TDW_C_SSHORT>},                              \
    {in_source, TDW_C_USHORT, KERNEL<in_kernelSource, TDW_C_USHORT>},                             \
    {in_source, TDW_C_SLONG, KERNEL<in_kernelSource, TDW_C_SLONG>},                               \
    {in_source, TDW_C_LONG, KERNEL<in_kernelSource, TDW_C_SLONG>},                                \
    {in_source, TDW_C_ULONG, KERNEL<in_kernelSource, TDW_C_ULONG>},                               \
    {in_source, TDW_C_SBIGINT, KERNEL<in_kernelSource, TDW_C_SBIGINT>},                           \
    {in_source, TDW_C_UBIGINT, KERNEL<in_kernelSource, TDW_C_UBIGINT>},                           \
    {in_source, TDW_C_NUMERIC, KERNEL<in_kernelSource, TDW_C_NUMERIC>},                           \
    {in_source, TDW_C_STINYINT, KERNEL<in_kernelSource, TDW_C_STINYINT>}

const SqlToCKernelCell INTERVAL_SOURCE_CELLS[] = {
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_DAY),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_DAY),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_DAY),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_DAY),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_MINUTE, TDW_SQL_INTERVAL_DAY),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_SECOND, TDW_SQL_INTERVAL_SECOND),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_INTERVAL_YEAR_TO_MONTH),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_HOUR),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_INTERVAL_DAY_TO_MINUTE),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_DAY_TO_SECOND),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_HOUR_TO_MINUTE),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_HOUR_TO_SECOND),
    ORVIK_INTERVAL_TEXT_CELLS(TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND),
    ORVIK_INTERVAL_NUMBER_CELLS(TDW_SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_DAY),
    {TDW_SQL_INTERVAL_YEAR, TDW_C_TINYINT, KERNEL<TDW_SQL_INTERVAL_DAY, TDW_C_STINYINT>},
    ORVIK_INTERVAL_NUMBER_CELLS(TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_DAY),
    {TDW_SQL_INTERVAL_MONTH, TDW_C_TINYINT, KERNEL<TDW_SQL_INTERVAL_DAY, TDW_C_STINYINT>},
    ORVIK_INTERVAL_NUMBER_CELLS(TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_DAY),
    {TDW_SQL_INTERVAL_DAY, TDW_C_TINYINT, KERNEL<TDW_SQL_INTERVAL_DAY, TDW_C_STINYINT>},
    ORVIK_INTERVAL_NUMBER_CELLS(TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_DAY),
    {TDW_SQL_INTERVAL_HOUR, TDW_C_TINYINT, KERNEL<TDW_SQL_INTERVAL_DAY, TDW_C_STINYINT>},
    ORVIK_INTERVAL_NUMBER_CELLS(TDW_SQL_INTERVAL_MINUTE, TDW_SQL_INTERVAL_DAY),
    ORVIK_INTERVAL_NUMBER_CELLS(TDW_SQL_INTERVAL_SECOND, TDW_SQL_INTERVAL_SECOND),
    {TDW_SQL_INTERVAL_SECOND, TDW_C_TINYINT, KERNEL<TDW_SQL_INTERVAL_SECOND, TDW_C_STINYINT>},
};

#undef ORVIK_INTERVAL_NUMBER_CELLS
#undef ORVIK_INTERVAL_TEXT_CELLS

} // namespace

SqlToCKernelCells GetIntervalSourceCells()
{
    return SqlToCKernelCells::Of(INTERVAL_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
