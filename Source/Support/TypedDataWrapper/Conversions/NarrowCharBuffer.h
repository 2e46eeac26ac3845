#pragma once

#include "Support/EncodingType.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

/// The one-byte copy of a wide text that the wide-character parse kernels read: each code unit
/// keeps its ASCII byte. Short texts, which every number, date and interval is, stay on the
/// stack.
class NarrowCharBuffer
{
public:
    NarrowCharBuffer() = default;
    NarrowCharBuffer(const NarrowCharBuffer&) = delete;
    NarrowCharBuffer& operator=(const NarrowCharBuffer&) = delete;

    /// Narrows in_byteLength bytes of text in in_encoding (whole code units; a negative length
    /// counts as none). False, leaving the buffer empty, when a code unit held more than its
    /// ASCII byte: such a character cannot belong to any literal.
    bool ConvertWCharToCharBuffer(const void* in_source, int64_t in_byteLength, EncodingType in_encoding);

    /// The narrowed text, without its terminating NUL.
    const char* Data() const { return m_large ? m_large.get() : m_small; }
    size_t Length() const { return m_length; }

private:
    char m_small[128] = {};
    std::unique_ptr<char[]> m_large;
    size_t m_length = 0;
};

} // namespace Support
} // namespace Orvik
