#include "FixedWidthBlankTrimmer.h"

namespace Orvik {
namespace Support {

FixedWidthBlankTrimmer::FixedWidthBlankTrimmer(uint8_t in_unitSize, bool in_isBigEndian)
    : m_unitSize(in_unitSize),
      m_isBigEndian(in_isBigEndian)
{
}

const uint8_t* FixedWidthBlankTrimmer::Trim(const uint8_t* in_bytes, uint64_t& io_length)
{
    if (in_bytes == nullptr)
    {
        io_length = 0;
        return nullptr;
    }
    uint64_t length = io_length - io_length % m_unitSize;
    while (length > 0 && IsBlank(in_bytes + length - m_unitSize))
    {
        length -= m_unitSize;
    }
    io_length = length;
    return in_bytes;
}

bool FixedWidthBlankTrimmer::IsBlank(const uint8_t* in_unit) const
{
    uint32_t value = 0;
    for (uint8_t i = 0; i < m_unitSize; ++i)
    {
        const uint8_t byte = in_unit[m_isBigEndian ? i : m_unitSize - 1 - i];
        value = (value << 8) | byte;
    }
    return value == 0x20 || value == 0x09;
}

} // namespace Support
} // namespace Orvik
