#include "Support/TypedDataWrapper/ConversionHelpers.h"

#include "Conversions/FloatingToInteger.h"
#include "Conversions/KernelOutput.h"
#include "Conversions/NarrowCharBuffer.h"

#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <sqltypes.h>

#include <algorithm>
#include <cstring>

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

bool ConversionHelpers::ReencodeSourceText(const void* in_source,
                                           uint32_t in_byteLength,
                                           EncodingType in_encoding,
                                           NarrowCharBuffer& out_text)
{
    return out_text.ConvertWCharToCharBuffer(in_source, in_byteLength, in_encoding);
}

bool ConversionHelpers::StoreAsciiText(const char* in_text, uint32_t in_count, SqlData& io_target, bool in_terminate)
{
    const EncodingType encoding = io_target.GetMetadata().GetEncoding();
    const uint64_t unitSize = EncodingInfo::GetCodeUnitSize(encoding);
    const uint64_t needed = (uint64_t{in_count} + (in_terminate ? 1 : 0)) * unitSize;
    io_target.SetConvertedLength(static_cast<int64_t>(in_count * unitSize));
    if (needed > UINT32_MAX)
    {
        return true;
    }
    io_target.SetLength(static_cast<uint32_t>(needed));
    return !PlatformStringConverter::WriteAsciiAs(
        in_text, in_count, io_target.GetBuffer(), io_target.GetLength(), encoding, in_terminate);
}

namespace {

constexpr int16_t MAX_FRACTION_DIGITS = 9;
constexpr uint64_t POWERS_OF_TEN[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

SQL_NUMERIC_STRUCT LoadNumericStruct(const void* in_structure)
{
    SQL_NUMERIC_STRUCT structure;
    std::memcpy(&structure, in_structure, sizeof(structure));
    return structure;
}

} // namespace

// Further from zero the scaling and comparing of exact numbers is undefined: a scale of -32768
// would even turn into a positive exponent of the same bits.
bool ConversionHelpers::NumericStructToExactNumeric(const void* in_structure, int32_t in_scale, TDWNumeric& out_value)
{
    if (in_scale < -TDWNumeric::MAX_SCALED_EXPONENT || in_scale > -TDWNumeric::MIN_SCALED_EXPONENT)
    {
        return false;
    }
    const SQL_NUMERIC_STRUCT structure = LoadNumericStruct(in_structure);
    out_value = TDWNumeric::FromMagnitudeBytes(
        structure.val, sizeof(structure.val), static_cast<int16_t>(-in_scale), structure.sign == 0);
    return true;
}

bool ConversionHelpers::NumericStructToExactNumeric(const void* in_structure, TDWNumeric& out_value)
{
    return NumericStructToExactNumeric(in_structure, LoadNumericStruct(in_structure).scale, out_value);
}

void ConversionHelpers::NumericToBit(const TDWNumeric& in_value, uint8_t* out_bit, WarningListener& io_listener)
{
    const TDWNumeric& zero = TDWNumeric::Zero();
    const TDWNumeric& one = TDWNumeric::One();
    if (zero > in_value)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
        return;
    }
    if (TDWNumeric::Two() <= in_value)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
        return;
    }
    const uint8_t bit = one <= in_value ? 1 : 0;
    if (!(in_value == zero) && !(in_value == one))
    {
        // Between 0 and 1 the info is 0, between 1 and 2 it is 1: the bit kept, not the sign.
        io_listener.PostWarning(ConversionResult::FractionalTrunc(bit));
    }
    KernelOutput::Store(out_bit, bit);
}

uint32_t ConversionHelpers::GetSecondsFraction(const TDWNumeric& in_value,
                                               int16_t in_precision,
                                               WarningListener& io_listener)
{
    const int32_t places = -int32_t{in_value.GetExponent()};
    if (places <= 0)
    {
        return 0;
    }
    const int32_t precision = std::clamp<int32_t>(in_precision, 0, MAX_FRACTION_DIGITS);
    TDWNumeric scaled(in_value);
    if (scaled.IsNegative())
    {
        scaled.Negate();
    }
    if (places > precision)
    {
        scaled.ScaleDown(places - precision);
        KernelOutput::PostFractionalTrunc(io_listener, in_value.IsNegative());
    }
    else
    {
        scaled.ScaleUp(precision - places);
    }
    // At exponent -precision the value's integer is the magnitude times 10^precision; below 10^9
    // seconds it takes fewer than 64 bits.
    uint8_t bytes[sizeof(uint64_t)] = {};
    scaled.GetMagnitudeBytes(bytes, sizeof(bytes));
    uint64_t units = 0;
    for (size_t i = sizeof(bytes); i-- > 0;)
    {
        units = units << 8 | bytes[i];
    }
    return static_cast<uint32_t>(units % POWERS_OF_TEN[precision]);
}

} // namespace Support
} // namespace Orvik
