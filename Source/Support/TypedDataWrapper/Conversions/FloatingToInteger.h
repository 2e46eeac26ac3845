#pragma once

#include "KernelOutput.h"

#include <cmath>
#include <limits>
#include <type_traits>

namespace Orvik {
namespace Support {

/// Stores a float or double as the integer type T, truncated toward zero, at out_target (null:
/// not written). Every conversion of a floating value into an integer, whichever side the value
/// comes from, goes through here. Only the truncated value is tested against T's range, so a
/// fraction beyond a bound still converts (127.9 gives 127, -128.9 gives -128, and -0.5 gives 0
/// even in an unsigned type). Out of range posts NumericValOutOfRange (0 above, 1 below) and
/// stores nothing, a NaN posts it without a direction, and a lost fraction posts FractionalTrunc.
template <typename T, typename F>
void ConvertFloatingToInteger(F in_value, void* out_target, WarningListener& io_listener)
{
    static_assert(std::is_integral<T>::value && std::is_floating_point<F>::value, "float to integer");
    // One past the maximum is a power of two and so exact in F, unlike the maximum itself for
    // the wider types; the minimum is zero or a negated power of two.
    constexpr F upperBound = static_cast<F>(std::numeric_limits<T>::max() / 2 + 1) * 2;
    constexpr F lowerBound = static_cast<F>(std::numeric_limits<T>::min());
    if (std::isnan(in_value))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const F whole = std::trunc(in_value);
    if (whole >= upperBound)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
        return;
    }
    if (whole < lowerBound)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
        return;
    }
    if (whole != in_value)
    {
        KernelOutput::PostFractionalTrunc(io_listener, in_value < 0);
    }
    KernelOutput::Store(out_target, static_cast<T>(whole));
}

} // namespace Support
} // namespace Orvik
