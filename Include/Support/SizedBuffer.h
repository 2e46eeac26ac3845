#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// An owned byte array with its size; used as a reusable output buffer.
class SizedBuffer
{
public:
    SizedBuffer() = default;
    ~SizedBuffer();

    SizedBuffer(const SizedBuffer&) = delete;
    SizedBuffer& operator=(const SizedBuffer&) = delete;

    /// Takes the other buffer's bytes and leaves it empty.
    SizedBuffer(SizedBuffer&& other) noexcept;
    SizedBuffer& operator=(SizedBuffer&& other) noexcept;

    /// Makes the buffer hold exactly in_size bytes. The old contents are not kept; nothing
    /// happens when the size is unchanged and bytes are held. Throws std::bad_alloc and then
    /// leaves the buffer as it was.
    void Resize(uint64_t in_size);

    uint64_t GetSize() const { return m_size; }
    uint8_t* GetBuffer() { return m_buffer; }
    const uint8_t* GetBuffer() const { return m_buffer; }

private:
    uint64_t m_size = 0;
    uint8_t* m_buffer = nullptr;
};

} // namespace Support
} // namespace Orvik
