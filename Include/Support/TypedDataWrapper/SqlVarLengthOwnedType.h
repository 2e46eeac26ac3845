#pragma once

#include "Support/TypedDataWrapper/SqlData.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

/// A character or binary value in a buffer the holder owns and grows: to powers of two below
/// 65,536 bytes, to the exact length from there on. The buffer never shrinks, and a growth does
/// not keep the old bytes.
class SqlVarLengthOwnedType : public SqlData
{
public:
    /// Starts with a buffer of the metadata's length, at most 256 bytes.
    explicit SqlVarLengthOwnedType(const SqlTypeMetadata& in_metadata);

    void* GetBuffer() override { return m_buffer.get(); }

    /// Makes room for in_length bytes. Throws std::bad_alloc and then keeps the old buffer.
    void SetLength(uint32_t in_length) override;

    /// Throws InvalidOperationException: the buffer is the holder's own.
    void AttachBuffer(void* in_buffer, uint32_t in_length) override;

    uint64_t GetCapacity() const { return m_capacity; }

private:
    uint64_t m_capacity;
    std::unique_ptr<uint8_t[]> m_buffer;
};

} // namespace Support
} // namespace Orvik
