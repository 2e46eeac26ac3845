#include "Support/SizedBuffer.h"

#include <utility>

namespace Orvik {
namespace Support {

SizedBuffer::~SizedBuffer()
{
    delete[] m_buffer;
}

SizedBuffer::SizedBuffer(SizedBuffer&& other) noexcept
    : m_size(std::exchange(other.m_size, 0)), m_buffer(std::exchange(other.m_buffer, nullptr))
{
}

SizedBuffer& SizedBuffer::operator=(SizedBuffer&& other) noexcept
{
    if (this != &other)
    {
        delete[] m_buffer;
        m_size = std::exchange(other.m_size, 0);
        m_buffer = std::exchange(other.m_buffer, nullptr);
    }
    return *this;
}

void SizedBuffer::Resize(uint64_t in_size)
{
    if (m_buffer != nullptr && in_size == m_size)
    {
        return;
    }
    uint8_t* fresh = new uint8_t[in_size];
    delete[] m_buffer;
    m_buffer = fresh;
    m_size = in_size;
}

} // namespace Support
} // namespace Orvik
