// Kernels of REAL (single precision) and FLOAT and DOUBLE (both double precision) sources. One
// kernel, named by FLOAT, serves FLOAT and DOUBLE alike.

#include "FloatingText.h"
#include "FloatingToInteger.h"
#include "KernelOutput.h"
#include "SqlToCKernelCells.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

/// Significant digits of the text of each source precision.
constexpr uint16_t REAL_DIGITS = 7;
constexpr uint16_t DOUBLE_DIGITS = 15;

/// The largest magnitude whose integer part an interval field takes. A float cannot hold
/// 999999999, so a REAL is measured against the next value it can hold.
constexpr float REAL_INTERVAL_LIMIT = 1000000000.0f;
constexpr double DOUBLE_INTERVAL_LIMIT = 999999999.0;

constexpr uint32_t POWERS_OF_TEN[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

template <typename F>
F ReadFloating(const void* in_source)
{
    return KernelOutput::Load<F>(in_source);
}

template <typename T, typename F>
void ToInteger(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    io_targetLength = sizeof(T);
    ConvertFloatingToInteger<T>(ReadFloating<F>(in_source), out_target, io_listener);
}

void ToSLong(float in_value, void* out_target, WarningListener& io_listener)
{
    ConversionHelpers::ConvertFloatToSLong(in_value, out_target, io_listener);
}

void ToSLong(double in_value, void* out_target, WarningListener& io_listener)
{
    ConversionHelpers::ConvertDoubleToSLong(in_value, out_target, io_listener);
}

template <typename F>
void ToBit(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    io_targetLength = 1;
    const F value = ReadFloating<F>(in_source);
    if (std::isnan(value))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    if (value >= 2)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
        return;
    }
    if (value < 0)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
        return;
    }
    const uint8_t bit = value >= 1 ? 1 : 0;
    if (value != bit)
    {
        KernelOutput::PostFractionalTrunc(io_listener, false);
    }
    KernelOutput::Store(out_target, bit);
}

template <typename F>
void ToNumeric(const SqlToCKernelState& in_state,
               const void* in_source,
               void* out_target,
               int64_t& io_targetLength,
               WarningListener& io_listener)
{
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    const F value = ReadFloating<F>(in_source);
    if (!std::isfinite(value))
    {
        // A NaN or an infinity has no exact value to write.
        const int32_t direction = std::isnan(value) ? KernelOutput::NO_ROOM
            : value > 0                             ? KernelOutput::ABOVE
                                                    : KernelOutput::BELOW;
        KernelOutput::PostOutOfRange(io_listener, direction);
        return;
    }
    TDWNumeric numeric;
    if constexpr (std::is_same<F, float>::value)
    {
        numeric.SetSingle(value);
    }
    else
    {
        numeric.SetDouble(value);
    }
    KernelOutput::WriteSqlNumeric(numeric,
                                  numeric.GetPrecision(),
                                  out_target,
                                  in_state.m_targetPrecision,
                                  in_state.m_targetScale,
                                  io_listener);
}

template <typename F>
void ToInterval(KernelOutput::IntervalCode in_code,
                const SqlToCKernelState& in_state,
                const void* in_source,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const F value = ReadFloating<F>(in_source);
    if (std::isnan(value))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const F limit = sizeof(F) == sizeof(float) ? F(REAL_INTERVAL_LIMIT) : F(DOUBLE_INTERVAL_LIMIT);
    const F magnitude = std::fabs(value);
    if (magnitude > limit)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::ABOVE);
        return;
    }
    const F whole = std::trunc(magnitude);
    const uint32_t field = static_cast<uint32_t>(whole);
    if (static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(field)) > in_state.m_targetLeadingPrecision)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::ABOVE);
        return;
    }
    uint32_t fraction = 0;
    bool isCut = false;
    if (in_code == KernelOutput::INTERVAL_SECOND)
    {
        const int16_t precision = std::clamp<int16_t>(in_state.m_targetFractionalPrecision, 0, 9);
        const F scaled = (magnitude - whole) * static_cast<F>(POWERS_OF_TEN[precision]);
        const F scaledWhole = std::trunc(scaled);
        fraction = static_cast<uint32_t>(scaledWhole);
        isCut = scaled != scaledWhole;
    }
    else
    {
        isCut = magnitude != whole;
    }
    if (isCut)
    {
        KernelOutput::PostFractionalTrunc(io_listener, false);
    }
    KernelOutput::WriteSingleFieldInterval(out_target, in_code, value < 0, field, fraction);
}

template <typename F>
void ToNarrowText(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    const F value = ReadFloating<F>(in_source);
    const FloatingText text(value, sizeof(F) == sizeof(float) ? REAL_DIGITS : DOUBLE_DIGITS);
    text.WriteNarrow(out_target, io_targetLength, io_listener);
}

template <typename F>
void ToWideText(const SqlToCKernelState& in_state,
                const void* in_source,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    const F value = ReadFloating<F>(in_source);
    const FloatingText text(value, sizeof(F) == sizeof(float) ? REAL_DIGITS : DOUBLE_DIGITS);
    text.WriteWide(out_target, io_targetLength, in_state.m_targetEncoding, io_listener);
}

} // namespace

} // namespace Support
} // namespace Orvik

using namespace Orvik::Support;

// The kernels of one floating source, F its value's type: integers, BIT, NUMERIC, text and the
// single-field intervals.
#define ORVIK_FLOATING_TO_INTEGER(in_source, F, in_target, T)                                       \
    ORVIK_SQL_TO_C_KERNEL(in_source, in_target)                                                     \
    {                                                                                               \
        ToInteger<T, F>(in_sourceData, out_target, io_targetLength, io_listener);                   \
    }

#define ORVIK_FLOATING_TO_INTERVAL(in_source, F, in_kind)                                           \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_INTERVAL_##in_kind)                                      \
    {                                                                                               \
        ToInterval<F>(KernelOutput::INTERVAL_##in_kind, io_state, in_sourceData, out_target,        \
                      io_targetLength, io_listener);                                                \
    }

#define ORVIK_FLOATING_SOURCE_KERNELS(in_source, F)                                                 \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_STINYINT, int8_t)                                 \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_UTINYINT, uint8_t)                                \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_SSHORT, int16_t)                                  \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_USHORT, uint16_t)                                 \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_SLONG)                                                   \
    {                                                                                               \
        io_targetLength = sizeof(int32_t);                                                          \
        ToSLong(ReadFloating<F>(in_sourceData), out_target, io_listener);                           \
    }                                                                                               \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_ULONG, uint32_t)                                  \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_SBIGINT, int64_t)                                 \
    ORVIK_FLOATING_TO_INTEGER(in_source, F, TDW_C_UBIGINT, uint64_t)                                \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_BIT)                                                     \
    {                                                                                               \
        ToBit<F>(in_sourceData, out_target, io_targetLength, io_listener);                          \
    }                                                                                               \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_NUMERIC)                                                 \
    {                                                                                               \
        ToNumeric<F>(io_state, in_sourceData, out_target, io_targetLength, io_listener);            \
    }                                                                                               \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_CHAR)                                                    \
    {                                                                                               \
        ToNarrowText<F>(in_sourceData, out_target, io_targetLength, io_listener);                   \
    }                                                                                               \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_WCHAR)                                                   \
    {                                                                                               \
        ToWideText<F>(io_state, in_sourceData, out_target, io_targetLength, io_listener);           \
    }                                                                                               \
    ORVIK_FLOATING_TO_INTERVAL(in_source, F, YEAR)                                                  \
    ORVIK_FLOATING_TO_INTERVAL(in_source, F, MONTH)                                                 \
    ORVIK_FLOATING_TO_INTERVAL(in_source, F, DAY)                                                   \
    ORVIK_FLOATING_TO_INTERVAL(in_source, F, HOUR)                                                  \
    ORVIK_FLOATING_TO_INTERVAL(in_source, F, MINUTE)                                                \
    ORVIK_FLOATING_TO_INTERVAL(in_source, F, SECOND)

ORVIK_FLOATING_SOURCE_KERNELS(TDW_SQL_REAL, float)
ORVIK_FLOATING_SOURCE_KERNELS(TDW_SQL_FLOAT, double)

#undef ORVIK_FLOATING_SOURCE_KERNELS
#undef ORVIK_FLOATING_TO_INTERVAL
#undef ORVIK_FLOATING_TO_INTEGER

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_REAL, TDW_C_DOUBLE)
{
    io_targetLength = sizeof(double);
    KernelOutput::Store(out_target, static_cast<double>(ReadFloating<float>(in_sourceData)));
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_FLOAT, TDW_C_FLOAT)
{
    // The narrowed value is stored first, so that an overflow leaves the infinity it became.
    io_targetLength = sizeof(float);
    const double value = ReadFloating<double>(in_sourceData);
    const float narrowed = static_cast<float>(value);
    KernelOutput::Store(out_target, narrowed);
    if (std::isinf(narrowed))
    {
        KernelOutput::PostOutOfRange(io_listener, narrowed > 0 ? KernelOutput::ABOVE : KernelOutput::BELOW);
    }
}

namespace Orvik {
namespace Support {

namespace {

// FLOAT and DOUBLE share every kernel. The plain copies (REAL to SQL_C_FLOAT, FLOAT and DOUBLE
// to SQL_C_DOUBLE), the binary images and the refusal of multi-field intervals are listed with
// their own families.
#define ORVIK_FLOATING_CELLS(in_source, in_kernelSource)                                       \
    {in_source, TDW_C_STINYINT, KERNEL<in_kernelSource, TDW_C_STINYINT>},                     \
    {in_source, TDW_C_TINYINT, KERNEL<in_kernelSource, TDW_C_STINYINT>},                      \
    {in_source, TDW_C_UTINYINT, KERNEL<in_kernelSource, TDW_C_UTINYINT>},                     \
    {in_source, TDW_C_SSHORT, KERNEL<in_kernelSource, TDW_C_SSHORT>},                         \
    {in_source, TDW_C_SHORT, KERNEL<in_kernelSource, TDW_C_SSHORT>},                          \
    {in_source, TDW_C_USHORT, KERNEL<in_kernelSource, TDW_C_USHORT>},                         \
    {in_source, TDW_C_SLONG, KERNEL<in_kernelSource, TDW_C_SLONG>},                           \
    {in_source, TDW_C_LONG, KERNEL<in_kernelSource, TDW_C_SLONG>},                            \
    {in_source, TDW_C_ULONG, KERNEL<in_kernelSource, TDW_C_ULONG>},                           \
    {in_source, TDW_C_SBIGINT, KERNEL<in_kernelSource, TDW_C_SBIGINT>},                       \
    {in_source, TDW_C_UBIGINT, KERNEL<in_kernelSource, TDW_C_UBIGINT>},                       \
    {in_source, TDW_C_BIT, KERNEL<in_kernelSource, TDW_C_BIT>},                               \
    {in_source, TDW_C_NUMERIC, KERNEL<in_kernelSource, TDW_C_NUMERIC>},                       \
    {in_source, TDW_C_CHAR, KERNEL<in_kernelSource, TDW_C_CHAR>},                             \
    {in_source, TDW_C_WCHAR, KERNEL<in_kernelSource, TDW_C_WCHAR>},                           \
    {in_source, TDW_C_INTERVAL_YEAR, KERNEL<in_kernelSource, TDW_C_INTERVAL_YEAR>},           \
    {in_source, TDW_C_INTERVAL_MONTH, KERNEL<in_kernelSource, TDW_C_INTERVAL_MONTH>},         \
    {in_source, TDW_C_INTERVAL_DAY, KERNEL<in_kernelSource, TDW_C_INTERVAL_DAY>},             \
    {in_source, TDW_C_INTERVAL_HOUR, KERNEL<in_kernelSource, TDW_C_INTERVAL_HOUR>},           \
    {in_source, TDW_C_INTERVAL_MINUTE, KERNEL<in_kernelSource, TDW_C_INTERVAL_MINUTE>},       \
    {in_source, TDW_C_INTERVAL_SECOND, KERNEL<in_kernelSource, TDW_C_INTERVAL_SECOND>}

const SqlToCKernelCell FLOATING_CELLS[] = {
    ORVIK_FLOATING_CELLS(TDW_SQL_REAL, TDW_SQL_REAL),
    {TDW_SQL_REAL, TDW_C_DOUBLE, KERNEL<TDW_SQL_REAL, TDW_C_DOUBLE>},
    ORVIK_FLOATING_CELLS(TDW_SQL_FLOAT, TDW_SQL_FLOAT),
    {TDW_SQL_FLOAT, TDW_C_FLOAT, KERNEL<TDW_SQL_FLOAT, TDW_C_FLOAT>},
    ORVIK_FLOATING_CELLS(TDW_SQL_DOUBLE, TDW_SQL_FLOAT),
    {TDW_SQL_DOUBLE, TDW_C_FLOAT, KERNEL<TDW_SQL_FLOAT, TDW_C_FLOAT>},
};

#undef ORVIK_FLOATING_CELLS

} // namespace

SqlToCKernelCells GetFloatingSourceCells()
{
    return SqlToCKernelCells::Of(FLOATING_CELLS);
}

} // namespace Support
} // namespace Orvik
