#include "NarrowCharBuffer.h"

#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"

#include <algorithm>

namespace Orvik {
namespace Support {

bool NarrowCharBuffer::ConvertWCharToCharBuffer(const void* in_source,
                                                int64_t in_byteLength,
                                                EncodingType in_encoding)
{
    const int64_t units = std::max<int64_t>(in_byteLength, 0) / EncodingInfo::GetCodeUnitSize(in_encoding);
    const int64_t size = units + 1;
    m_large.reset(size > static_cast<int64_t>(sizeof(m_small)) ? new char[static_cast<size_t>(size)] : nullptr);
    char* target = m_large ? m_large.get() : m_small;
    const bool isExact = units == 0
        || PlatformStringConverter::ReadAsciiFrom(in_source, in_byteLength, in_encoding, target, size);
    m_length = isExact ? static_cast<size_t>(units) : 0;
    return isExact;
}

} // namespace Support
} // namespace Orvik
