// Kernels of the eight integer sources into integers, BIT, FLOAT, DOUBLE and single-field
// intervals; the plain copies of equal layouts; the refusal of numbers for multi-field intervals.

#include "KernelOutput.h"
#include "SqlToCKernelCells.h"

#include "Support/NumberConverter.h"

#include <cstring>
#include <limits>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

constexpr uint64_t MAX_INTERVAL_FIELD = 999999999;

template <typename S>
constexpr bool IsNegative(S in_value)
{
    if constexpr (std::is_signed<S>::value)
    {
        return in_value < 0;
    }
    else
    {
        (void)in_value;
        return false;
    }
}

/// The magnitude of a value of any integer type, the most negative one included.
template <typename S>
uint64_t MagnitudeOf(S in_value)
{
    const uint64_t bits = static_cast<uint64_t>(in_value);
    return IsNegative(in_value) ? uint64_t{0} - bits : bits;
}

template <typename S, typename T>
void IntegerToInteger(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    io_targetLength = sizeof(T);
    const S value = KernelOutput::Load<S>(in_source);
    if (IsNegative(value))
    {
        if (static_cast<int64_t>(value) < static_cast<int64_t>(std::numeric_limits<T>::min()))
        {
            KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
            return;
        }
    }
    else if (static_cast<uint64_t>(value) > static_cast<uint64_t>(std::numeric_limits<T>::max()))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
        return;
    }
    KernelOutput::Store(out_target, static_cast<T>(value));
}

template <typename S>
void IntegerToBit(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    io_targetLength = 1;
    const S value = KernelOutput::Load<S>(in_source);
    if (IsNegative(value))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
        return;
    }
    if (value > 1)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
        return;
    }
    KernelOutput::Store(out_target, static_cast<uint8_t>(value));
}

/// The nearest float or double; rounding is no loss worth a result here.
template <typename S, typename T>
void IntegerToFloating(const void* in_source, void* out_target, int64_t& io_targetLength)
{
    io_targetLength = sizeof(T);
    KernelOutput::Store(out_target, static_cast<T>(KernelOutput::Load<S>(in_source)));
}

template <typename S>
void IntegerToInterval(KernelOutput::IntervalCode in_code,
                       const SqlToCKernelState& in_state,
                       const void* in_source,
                       void* out_target,
                       int64_t& io_targetLength,
                       WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const S value = KernelOutput::Load<S>(in_source);
    const uint64_t magnitude = MagnitudeOf(value);
    if (in_state.m_targetLeadingPrecision < static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(magnitude)))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, magnitude == 0 ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    if (magnitude > MAX_INTERVAL_FIELD)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, IsNegative(value) ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    KernelOutput::WriteSingleFieldInterval(out_target, in_code, IsNegative(value), static_cast<uint32_t>(magnitude), 0);
}

template <size_t in_size>
void CopyFixed(const void* in_source, void* out_target, int64_t& io_targetLength)
{
    io_targetLength = in_size;
    if (out_target != nullptr)
    {
        std::memcpy(out_target, in_source, in_size);
    }
}

} // namespace

} // namespace Support
} // namespace Orvik

using namespace Orvik::Support;

// The kernels of one integer source: the eight integer widths, BIT, FLOAT, DOUBLE and the six
// single-field intervals. Pairs of the same width and signedness need no check and are copies.
#define ORVIK_INTEGER_TO_INTEGER(in_source, S, in_target, T)                                       \
    ORVIK_SQL_TO_C_KERNEL(in_source, in_target)                                                    \
    {                                                                                              \
        IntegerToInteger<S, T>(in_sourceData, out_target, io_targetLength, io_listener);           \
    }

#define ORVIK_INTEGER_TO_INTERVAL(in_source, S, in_target, in_code)                                \
    ORVIK_SQL_TO_C_KERNEL(in_source, in_target)                                                    \
    {                                                                                              \
        IntegerToInterval<S>(KernelOutput::in_code, io_state, in_sourceData, out_target, io_targetLength, io_listener); \
    }

#define ORVIK_INTEGER_SOURCE_KERNELS(in_source, S)                                                 \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_STINYINT, int8_t)                                 \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_UTINYINT, uint8_t)                                \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_SSHORT, int16_t)                                  \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_USHORT, uint16_t)                                 \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_SLONG, int32_t)                                   \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_ULONG, uint32_t)                                  \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_SBIGINT, int64_t)                                 \
    ORVIK_INTEGER_TO_INTEGER(in_source, S, TDW_C_UBIGINT, uint64_t)                                \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_BIT)                                                    \
    {                                                                                              \
        IntegerToBit<S>(in_sourceData, out_target, io_targetLength, io_listener);                  \
    }                                                                                              \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_FLOAT)                                                  \
    {                                                                                              \
        IntegerToFloating<S, float>(in_sourceData, out_target, io_targetLength);                   \
    }                                                                                              \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_DOUBLE)                                                 \
    {                                                                                              \
        IntegerToFloating<S, double>(in_sourceData, out_target, io_targetLength);                  \
    }                                                                                              \
    ORVIK_INTEGER_TO_INTERVAL(in_source, S, TDW_C_INTERVAL_YEAR, INTERVAL_YEAR)                    \
    ORVIK_INTEGER_TO_INTERVAL(in_source, S, TDW_C_INTERVAL_MONTH, INTERVAL_MONTH)                  \
    ORVIK_INTEGER_TO_INTERVAL(in_source, S, TDW_C_INTERVAL_DAY, INTERVAL_DAY)                      \
    ORVIK_INTEGER_TO_INTERVAL(in_source, S, TDW_C_INTERVAL_HOUR, INTERVAL_HOUR)                    \
    ORVIK_INTEGER_TO_INTERVAL(in_source, S, TDW_C_INTERVAL_MINUTE, INTERVAL_MINUTE)                \
    ORVIK_INTEGER_TO_INTERVAL(in_source, S, TDW_C_INTERVAL_SECOND, INTERVAL_SECOND)

ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_STINYINT, int8_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_UTINYINT, uint8_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_SSMALLINT, int16_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_USMALLINT, uint16_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_SINTEGER, int32_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_UINTEGER, uint32_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_SBIGINT, int64_t)
ORVIK_INTEGER_SOURCE_KERNELS(TDW_SQL_UBIGINT, uint64_t)

#undef ORVIK_INTEGER_SOURCE_KERNELS
#undef ORVIK_INTEGER_TO_INTERVAL
#undef ORVIK_INTEGER_TO_INTEGER

// The plain copies of the equal layouts that no integer kernel serves.

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_BIT)
{
    CopyFixed<1>(in_sourceData, out_target, io_targetLength);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_REAL, TDW_C_FLOAT)
{
    CopyFixed<4>(in_sourceData, out_target, io_targetLength);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_FLOAT, TDW_C_DOUBLE)
{
    CopyFixed<8>(in_sourceData, out_target, io_targetLength);
}

// Every number into a multi-field interval: no number says which fields it fills.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_INTERVAL_DAY_TO_HOUR)
{
    KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
}

namespace Orvik {
namespace Support {

namespace {

constexpr SqlToCKernel REFUSAL = KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_DAY_TO_HOUR>;

// SQL_C_TINYINT, SQL_C_SHORT and SQL_C_LONG are served as their signed forms, so UTINYINT into
// SQL_C_TINYINT is range-checked rather than copied into a negative byte.
#define ORVIK_INTEGER_CELLS(in_source)                                                             \
    {in_source, TDW_C_STINYINT, KERNEL<in_source, TDW_C_STINYINT>},                               \
    {in_source, TDW_C_TINYINT, KERNEL<in_source, TDW_C_STINYINT>},                                \
    {in_source, TDW_C_UTINYINT, KERNEL<in_source, TDW_C_UTINYINT>},                               \
    {in_source, TDW_C_SSHORT, KERNEL<in_source, TDW_C_SSHORT>},                                   \
    {in_source, TDW_C_SHORT, KERNEL<in_source, TDW_C_SSHORT>},                                    \
    {in_source, TDW_C_USHORT, KERNEL<in_source, TDW_C_USHORT>},                                   \
    {in_source, TDW_C_SLONG, KERNEL<in_source, TDW_C_SLONG>},                                     \
    {in_source, TDW_C_LONG, KERNEL<in_source, TDW_C_SLONG>},                                      \
    {in_source, TDW_C_ULONG, KERNEL<in_source, TDW_C_ULONG>},                                     \
    {in_source, TDW_C_SBIGINT, KERNEL<in_source, TDW_C_SBIGINT>},                                 \
    {in_source, TDW_C_UBIGINT, KERNEL<in_source, TDW_C_UBIGINT>},                                 \
    {in_source, TDW_C_BIT, KERNEL<in_source, TDW_C_BIT>},                                         \
    {in_source, TDW_C_FLOAT, KERNEL<in_source, TDW_C_FLOAT>},                                     \
    {in_source, TDW_C_DOUBLE, KERNEL<in_source, TDW_C_DOUBLE>},                                   \
    {in_source, TDW_C_INTERVAL_YEAR, KERNEL<in_source, TDW_C_INTERVAL_YEAR>},                     \
    {in_source, TDW_C_INTERVAL_MONTH, KERNEL<in_source, TDW_C_INTERVAL_MONTH>},                   \
    {in_source, TDW_C_INTERVAL_DAY, KERNEL<in_source, TDW_C_INTERVAL_DAY>},                       \
    {in_source, TDW_C_INTERVAL_HOUR, KERNEL<in_source, TDW_C_INTERVAL_HOUR>},                     \
    {in_source, TDW_C_INTERVAL_MINUTE, KERNEL<in_source, TDW_C_INTERVAL_MINUTE>},                 \
    {in_source, TDW_C_INTERVAL_SECOND, KERNEL<in_source, TDW_C_INTERVAL_SECOND>}

#define ORVIK_REFUSED_CELLS(in_source)                                                             \
    {in_source, TDW_C_INTERVAL_DAY_TO_HOUR, REFUSAL},                                             \
    {in_source, TDW_C_INTERVAL_DAY_TO_MINUTE, REFUSAL},                                           \
    {in_source, TDW_C_INTERVAL_DAY_TO_SECOND, REFUSAL},                                           \
    {in_source, TDW_C_INTERVAL_HOUR_TO_MINUTE, REFUSAL},                                          \
    {in_source, TDW_C_INTERVAL_HOUR_TO_SECOND, REFUSAL},                                          \
    {in_source, TDW_C_INTERVAL_YEAR_TO_MONTH, REFUSAL}

const SqlToCKernelCell INTEGER_CELLS[] = {
    ORVIK_INTEGER_CELLS(TDW_SQL_STINYINT),
    ORVIK_INTEGER_CELLS(TDW_SQL_UTINYINT),
    ORVIK_INTEGER_CELLS(TDW_SQL_SSMALLINT),
    ORVIK_INTEGER_CELLS(TDW_SQL_USMALLINT),
    ORVIK_INTEGER_CELLS(TDW_SQL_SINTEGER),
    ORVIK_INTEGER_CELLS(TDW_SQL_UINTEGER),
    ORVIK_INTEGER_CELLS(TDW_SQL_SBIGINT),
    ORVIK_INTEGER_CELLS(TDW_SQL_UBIGINT),

    {TDW_SQL_BIT, TDW_C_BIT, KERNEL<TDW_SQL_BIT, TDW_C_BIT>},
    {TDW_SQL_REAL, TDW_C_FLOAT, KERNEL<TDW_SQL_REAL, TDW_C_FLOAT>},
    {TDW_SQL_FLOAT, TDW_C_DOUBLE, KERNEL<TDW_SQL_FLOAT, TDW_C_DOUBLE>},
    {TDW_SQL_DOUBLE, TDW_C_DOUBLE, KERNEL<TDW_SQL_FLOAT, TDW_C_DOUBLE>},

    // The numeric sources into multi-field intervals; SINTEGER has no MINUTE TO SECOND cell.
    ORVIK_REFUSED_CELLS(TDW_SQL_BIT),
    ORVIK_REFUSED_CELLS(TDW_SQL_NUMERIC),
    ORVIK_REFUSED_CELLS(TDW_SQL_DECIMAL),
    ORVIK_REFUSED_CELLS(TDW_SQL_STINYINT),
    ORVIK_REFUSED_CELLS(TDW_SQL_UTINYINT),
    ORVIK_REFUSED_CELLS(TDW_SQL_SSMALLINT),
    ORVIK_REFUSED_CELLS(TDW_SQL_USMALLINT),
    ORVIK_REFUSED_CELLS(TDW_SQL_SINTEGER),
    ORVIK_REFUSED_CELLS(TDW_SQL_UINTEGER),
    ORVIK_REFUSED_CELLS(TDW_SQL_SBIGINT),
    ORVIK_REFUSED_CELLS(TDW_SQL_UBIGINT),
    ORVIK_REFUSED_CELLS(TDW_SQL_REAL),
    ORVIK_REFUSED_CELLS(TDW_SQL_FLOAT),
    ORVIK_REFUSED_CELLS(TDW_SQL_DOUBLE),
    {TDW_SQL_BIT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_NUMERIC, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_DECIMAL, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_STINYINT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_UTINYINT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_SSMALLINT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_USMALLINT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_UINTEGER, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_SBIGINT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_UBIGINT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_REAL, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_FLOAT, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
    {TDW_SQL_DOUBLE, TDW_C_INTERVAL_MINUTE_TO_SECOND, REFUSAL},
};

#undef ORVIK_REFUSED_CELLS
#undef ORVIK_INTEGER_CELLS

} // namespace

SqlToCKernelCells GetIntegerSourceCells()
{
    return SqlToCKernelCells::Of(INTEGER_CELLS);
}

} // namespace Support
} // namespace Orvik
