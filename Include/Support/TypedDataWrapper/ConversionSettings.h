#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The process-wide switches that shape the text of converted values. The ODBC layer sets them
/// once while the driver initialises, before any conversion runs; the conversion kernels only
/// read them, without a lock.
class ConversionSettings
{
public:
    /// An exact numeric without integral digits is written with a "0" before its point
    /// ("0.5" rather than ".5"). Driver property 17; off by default.
    static bool NumericLeadingZero;

    /// An exact numeric of value zero is written "0" whatever its scale. Driver property 27;
    /// on by default.
    static bool NumericZeroAsDigit;

    /// The leading field of interval text is zero-padded to the leading precision. Driver
    /// property 21; off by default.
    static bool PadIntervalLeadingField;

    /// A timestamp with a zero fraction is still written with its fraction digits. Driver
    /// property 25; off by default.
    static bool ShowZeroTimestampFraction;

    /// A time with a zero fraction is still written with its fraction digits. Driver property
    /// 26; off by default.
    static bool ShowZeroTimeFraction;

    /// Sets the switch that driver property in_key feeds: on when the value is exactly 1.
    /// Keys that feed no switch are ignored.
    static void SetFromDriverProperty(int32_t in_key, uint32_t in_value);
};

} // namespace Support
} // namespace Orvik
