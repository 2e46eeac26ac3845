#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class SqlTypeMetadata;

/// Holds one SQL-side value: a result-set cell, a converted parameter, a value being read. The
/// subclasses differ in where the bytes live. A producer sets the length (variable-length
/// values) and writes the bytes at GetBuffer, or sets the null flag; a consumer reads the null
/// flag first, then GetBuffer and GetLength.
class SqlData
{
public:
    /// in_metadata describes the value and must outlive it.
    explicit SqlData(const SqlTypeMetadata& in_metadata) : m_metadata(in_metadata) {}

    virtual ~SqlData() = default;

    SqlData(const SqlData&) = delete;
    SqlData& operator=(const SqlData&) = delete;

    /// The value's bytes.
    virtual void* GetBuffer() = 0;
    const void* GetBuffer() const { return const_cast<SqlData*>(this)->GetBuffer(); }

    /// Makes room for a value of in_length bytes; nothing to do for values of a fixed size.
    virtual void SetLength(uint32_t in_length);

    /// Makes in_buffer the value's bytes; only holders of attached buffers take one, the others
    /// throw InvalidOperationException.
    virtual void AttachBuffer(void* in_buffer, uint32_t in_length);

    const SqlTypeMetadata& GetMetadata() const { return m_metadata; }

    /// The number of bytes of the value.
    uint32_t GetLength() const { return m_length; }

    /// The number of bytes of the value that a conversion into this holder produced, without any
    /// terminator; 0 until a conversion sets it. Consumers of parameter values read it.
    int64_t GetConvertedLength() const { return m_convertedLength; }
    void SetConvertedLength(int64_t in_length) { m_convertedLength = in_length; }

    /// True for SQL NULL, whose bytes are not read.
    bool IsNull() const { return m_isNull; }
    void SetNull(bool in_isNull) { m_isNull = in_isNull; }

protected:
    uint32_t m_length = 0;

private:
    const SqlTypeMetadata& m_metadata;
    int64_t m_convertedLength = 0;
    bool m_isNull = false;
};

} // namespace Support
} // namespace Orvik
