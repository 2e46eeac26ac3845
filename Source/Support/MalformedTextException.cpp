#include "Support/MalformedTextException.h"

#include "Support/EncodingInfo.h"
#include "Support/NumberConverter.h"

#include <cstring>

namespace Orvik {
namespace Support {

MalformedTextException::MalformedTextException(uint64_t in_offset, EncodingType in_encoding)
    : ErrorException(DIAG_INVALID_CHARACTER_VALUE_FOR_CAST, SUPPORT_COMPONENT_ID, u"MalformedText",
                     {PositionText(in_offset), EncodingText(in_encoding)}, -1, -1),
      m_offset(in_offset)
{
}

orvik_wstring MalformedTextException::PositionText(uint64_t in_offset)
{
    return NumberConverter::ConvertUInt64ToWString(in_offset + 1);
}

orvik_wstring MalformedTextException::EncodingText(EncodingType in_encoding)
{
    const char* name = EncodingInfo::GetEncodingName(in_encoding);
    return orvik_wstring(name, static_cast<int32_t>(std::strlen(name)), ENC_US_ASCII);
}

} // namespace Support
} // namespace Orvik
