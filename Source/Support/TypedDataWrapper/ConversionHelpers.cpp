#include "Support/TypedDataWrapper/ConversionHelpers.h"

#include "Conversions/FloatingToInteger.h"
#include "Conversions/NarrowCharBuffer.h"

#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

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

} // namespace Support
} // namespace Orvik
