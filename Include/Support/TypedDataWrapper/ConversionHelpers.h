#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class WarningListener;

/// Conversion steps that the SQL-to-C kernels and the to-SQL converters share.
class ConversionHelpers
{
public:
    ConversionHelpers() = delete;

    /// Stores in_value truncated toward zero at out_target (which need not be aligned; null: not
    /// written). A truncated value beyond the signed 32-bit range posts NumericValOutOfRange (0
    /// above, 1 below) and stores nothing; a NaN posts it with no direction (2). A value that
    /// lost a fraction posts FractionalTrunc (1 for zero or more, 0 when negative).
    static void ConvertFloatToSLong(float in_value, void* out_target, WarningListener& io_listener);

    /// The same for a double.
    static void ConvertDoubleToSLong(double in_value, void* out_target, WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
