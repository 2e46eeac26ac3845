#include "Support/TypedDataWrapper/ConversionHelpers.h"

#include "Conversions/FloatingToInteger.h"

namespace Orvik {
namespace Support {

void ConversionHelpers::ConvertFloatToSLong(float in_value, void* out_target, WarningListener& io_listener)
{
    ConvertFloatingToInteger<int32_t>(in_value, out_target, io_listener);
}

void ConversionHelpers::ConvertDoubleToSLong(double in_value, void* out_target, WarningListener& io_listener)
{
    ConvertFloatingToInteger<int32_t>(in_value, out_target, io_listener);
}

} // namespace Support
} // namespace Orvik
