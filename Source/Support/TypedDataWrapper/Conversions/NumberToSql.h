#pragma once

#include "FloatingToInteger.h"
#include "KernelOutput.h"
#include "ToSqlKernel.h"
#include "ToSqlSource.h"

#include "Support/TypedDataWrapper/SqlData.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace Orvik {
namespace Support {

/// The representation of a BIT value as a target: one byte that holds 0 or 1.
struct SqlBit
{
};

/// The range of an integer target, both bounds included, and how its value is stored.
template <typename T>
struct IntegerRange
{
    using Storage = T;
    static constexpr T MIN = std::numeric_limits<T>::min();
    static constexpr T MAX = std::numeric_limits<T>::max();
};

template <>
struct IntegerRange<SqlBit>
{
    using Storage = uint8_t;
    static constexpr uint8_t MIN = 0;
    static constexpr uint8_t MAX = 1;
};

/// The kernels of integer, bit and floating-point values into integer, bit and floating-point
/// targets. The source's type decides how its bytes are read: a bit as an unsigned byte, the
/// integers by their width and signedness, REAL as single and FLOAT and DOUBLE as double
/// precision. Every kernel sets the target's converted length to the target's size; a value out
/// of the target's range posts NumericValOutOfRange (0 above, 1 below) and leaves the target's
/// bytes as they were.
class NumberToSql
{
public:
    NumberToSql() = delete;

    /// The bytes of a fixed-size target, its converted length set to in_size.
    static void* FixedTarget(SqlData& io_target, size_t in_size)
    {
        io_target.SetConvertedLength(static_cast<int64_t>(in_size));
        return io_target.GetBuffer();
    }

    /// Copies in_size bytes unchanged, without a test: the pairs of one representation, floating
    /// values (infinities and NaN too) and bit bytes other than 0 and 1 alike.
    template <size_t in_size>
    static void Copy(const ToSqlSource& in_source, SqlData& io_target, ToSqlKernelState&, WarningListener&)
    {
        std::memcpy(FixedTarget(io_target, in_size), in_source.m_value, in_size);
    }

    /// A bit byte widened to the integer or floating type T without a test: the byte 2 stays 2,
    /// and the bytes 128 to 255 reach a one-byte target unchanged.
    template <typename T>
    static void WidenBit(const ToSqlSource& in_source, SqlData& io_target, ToSqlKernelState&, WarningListener&)
    {
        const uint8_t bit = KernelOutput::Load<uint8_t>(in_source.m_value);
        KernelOutput::Store(FixedTarget(io_target, sizeof(T)), static_cast<T>(bit));
    }

    /// An integer of type S into the integer type T (or SqlBit), tested against T's range; into a
    /// floating type, the nearest value without a test.
    template <typename S, typename T>
    static void ConvertInteger(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState&,
                               WarningListener& io_listener)
    {
        const S value = KernelOutput::Load<S>(in_source.m_value);
        if constexpr (std::is_floating_point<T>::value)
        {
            KernelOutput::Store(FixedTarget(io_target, sizeof(T)), static_cast<T>(value));
        }
        else
        {
            using Storage = typename IntegerRange<T>::Storage;
            void* target = FixedTarget(io_target, sizeof(Storage));
            if (IsLess(IntegerRange<T>::MAX, value))
            {
                KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
            }
            else if (IsLess(value, IntegerRange<T>::MIN))
            {
                KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
            }
            else
            {
                KernelOutput::Store(target, static_cast<Storage>(value));
            }
        }
    }

    /// A floating value of type F into the integer type T, by the one rule of every side: the
    /// value truncated toward zero must fit T, and a lost fraction posts FractionalTrunc (see
    /// ConvertFloatingToInteger). A NaN is refused (NumericValOutOfRange 2).
    template <typename F, typename T>
    static void ConvertFloating(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState&,
                                WarningListener& io_listener)
    {
        const F value = KernelOutput::Load<F>(in_source.m_value);
        ConvertFloatingToInteger<T>(value, FixedTarget(io_target, sizeof(T)), io_listener);
    }

    /// A single-precision value into BIT: 0 and 1 stored as they are, a fraction between 0 and 2
    /// stored cut with FractionalTrunc 1, 2 or more out of range above, below 0 below, a NaN
    /// refused (NumericValOutOfRange 2).
    static void ConvertRealToBit(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState& io_state,
                                 WarningListener& io_listener);

    /// The same for a double-precision value.
    static void ConvertDoubleToBit(const ToSqlSource& in_source,
                                   SqlData& io_target,
                                   ToSqlKernelState& io_state,
                                   WarningListener& io_listener);

    /// A double-precision value stored as the nearest single-precision one (an infinity beyond
    /// its range); a value beyond the largest finite single-precision value then posts
    /// NumericValOutOfRange (0 above, 1 below), the stored value standing. A NaN stays a NaN.
    static void ConvertDoubleToReal(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState& io_state,
                                    WarningListener& io_listener);

    /// A single-precision value widened exactly to double precision.
    static void ConvertRealToDouble(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState& io_state,
                                    WarningListener& io_listener);

private:
    /// in_left < in_right for integers of any width and signedness.
    template <typename L, typename R>
    static constexpr bool IsLess(L in_left, R in_right)
    {
        constexpr bool isLeftSigned = std::is_signed<L>::value;
        constexpr bool isRightSigned = std::is_signed<R>::value;
        if constexpr (isLeftSigned && isRightSigned)
        {
            return static_cast<int64_t>(in_left) < static_cast<int64_t>(in_right);
        }
        else if constexpr (isLeftSigned)
        {
            return in_left < 0 || static_cast<uint64_t>(in_left) < static_cast<uint64_t>(in_right);
        }
        else if constexpr (isRightSigned)
        {
            return in_right > 0 && static_cast<uint64_t>(in_left) < static_cast<uint64_t>(in_right);
        }
        else
        {
            return static_cast<uint64_t>(in_left) < static_cast<uint64_t>(in_right);
        }
    }
};

} // namespace Support
} // namespace Orvik
