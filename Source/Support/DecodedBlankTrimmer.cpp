#include "DecodedBlankTrimmer.h"

#include "Support/IPlatformStringConverter.h"
#include "Support/InvalidArgumentException.h"

#include <algorithm>
#include <limits>

namespace Orvik {
namespace Support {

DecodedBlankTrimmer::DecodedBlankTrimmer(EncodingType in_encoding, IPlatformStringConverter& in_converter)
    : m_encoding(in_encoding), m_converter(in_converter)
{
}

const uint8_t* DecodedBlankTrimmer::Trim(const uint8_t* in_bytes, uint64_t& io_length)
{
    if (in_bytes == nullptr)
    {
        io_length = 0;
        return nullptr;
    }
    if (io_length == 0)
    {
        return in_bytes;
    }
    if (io_length > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    const int32_t length = static_cast<int32_t>(io_length);
    m_converter.BytesToWString(in_bytes, length, m_encoding, m_text);
    m_text.TrimTrailingBlanks();
    if (m_buffer.GetSize() < io_length)
    {
        m_buffer.Resize(io_length);
    }
    bool truncated = false;
    const int32_t trimmedLength = m_converter.FromWString(m_text, m_buffer.GetBuffer(), length, m_encoding, truncated);
    // Re-encoded text can only come out longer when the input held bytes that decoded to a
    // substitute; what fits is all there is room for.
    io_length = static_cast<uint64_t>(std::min(trimmedLength, length));
    return m_buffer.GetBuffer();
}

} // namespace Support
} // namespace Orvik
