#include "Support/TypedDataWrapper/PaddedNumberWriter.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionSettings.h"

#include <algorithm>

namespace Orvik {
namespace Support {

char* PaddedNumberWriter::ConvertToPaddedChars(
    uint32_t in_value,
    bool in_isNegative,
    uint16_t in_width,
    char* out_buffer,
    uint16_t in_bufferLength)
{
    int digits = NumberConverter::GetNumberOfDigits(in_value);
    if (ConversionSettings::PadIntervalLeadingField)
    {
        digits = std::max<int>(digits, in_width);
    }
    // The sign and the padding are checked here, the digits and the NUL by the integer writer,
    // so that nothing lands before the buffer.
    if (digits + (in_isNegative ? 1 : 0) + 1 > in_bufferLength)
    {
        throw NumberConversionInvalidDataException("NumToStrConvFailed");
    }
    char* first = NumberConverter::ConvertUInt32ToChars(in_value, in_bufferLength, out_buffer);
    char* paddedFirst = out_buffer + in_bufferLength - 1 - digits;
    std::fill(paddedFirst, first, '0');
    if (in_isNegative)
    {
        *--paddedFirst = '-';
    }
    return paddedFirst;
}

} // namespace Support
} // namespace Orvik
