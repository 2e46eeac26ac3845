#include "Support/EncodingConverterFactory.h"

#include "IcuEncodingConverter.h"
#include "IdentityEncodingConverter.h"

#include <algorithm>
#include <iterator>

namespace Orvik {
namespace Support {

namespace {

// The encodings in which every ASCII character is the one byte of its ASCII value: UTF-8,
// ISO-8859 and DOS and Windows sets. Not the EBCDIC pages, whose letters have other values, nor
// the sets with escapes or shifts.
constexpr EncodingType ASCII_COMPATIBLE_ENCODINGS[] = {
    0,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 20, 29, 30, 31, 33, 34, 35, 36,
    40, 54, 55, 56, 57, 58, 59, 60, 61, 68, 69, 70, 82, 83, 85, 86, 87, 88, 89,
};

bool IsAsciiCompatibleEncoding(EncodingType in_encoding)
{
    return std::find(std::begin(ASCII_COMPATIBLE_ENCODINGS), std::end(ASCII_COMPATIBLE_ENCODINGS), in_encoding) !=
           std::end(ASCII_COMPATIBLE_ENCODINGS);
}

} // namespace

std::unique_ptr<EncodingConverter>
EncodingConverterFactory::CreateConverter(EncodingType in_source, EncodingType in_target, bool in_terminate) const
{
    if (in_source == in_target || (in_source == ENC_US_ASCII && IsAsciiCompatibleEncoding(in_target)))
    {
        return std::make_unique<IdentityEncodingConverter>(in_source, in_target, in_terminate);
    }
    return std::make_unique<IcuEncodingConverter>(in_source, in_target, in_terminate);
}

} // namespace Support
} // namespace Orvik
