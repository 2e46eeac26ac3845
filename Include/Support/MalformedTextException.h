#pragma once

#include "Support/EncodingType.h"
#include "Support/ErrorException.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// Text refused because it is not valid in its encoding, where replacing its bad bytes would
/// change it unseen: the invalid character value (22018) "MalformedText" of the support
/// component, naming the position of the first bad byte (from 1) and the encoding.
class MalformedTextException : public ErrorException
{
public:
    /// in_offset: of the first bad byte from the start of the text, from 0.
    MalformedTextException(uint64_t in_offset, EncodingType in_encoding);

    uint64_t GetOffset() const { return m_offset; }

    /// The text of a byte position for a message: in_offset + 1 in decimal.
    static orvik_wstring PositionText(uint64_t in_offset);

    /// The name of in_encoding for a message.
    static orvik_wstring EncodingText(EncodingType in_encoding);

private:
    uint64_t m_offset;
};

} // namespace Support
} // namespace Orvik
