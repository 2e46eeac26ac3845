#pragma once

#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace Support {

/// A character or binary value in a buffer that someone else owns and attaches; no buffer until
/// then.
class SqlVarLengthAttachedType : public SqlData
{
public:
    explicit SqlVarLengthAttachedType(const SqlTypeMetadata& in_metadata) : SqlData(in_metadata) {}

    void* GetBuffer() override { return m_data; }

    /// Throws InvalidOperationException: the length comes with the attached buffer.
    void SetLength(uint32_t in_length) override;

    /// Makes in_buffer, which the caller keeps owning, the value of in_length bytes.
    void AttachBuffer(void* in_buffer, uint32_t in_length) override;

private:
    void* m_data = nullptr;
};

} // namespace Support
} // namespace Orvik
