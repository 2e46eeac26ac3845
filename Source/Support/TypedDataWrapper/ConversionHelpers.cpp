#include "Support/TypedDataWrapper/ConversionHelpers.h"

#include "Conversions/FloatingToInteger.h"
#include "Conversions/NarrowCharBuffer.h"

#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <sqltypes.h>

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

} // namespace Support
} // namespace Orvik
