#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {
class TrailingBlankTrimmer;
}

namespace DSI {

/// Orders text of one encoding byte by byte, with trailing blanks and tabs ignored. Made by a
/// Collation; one thread at a time.
class StringComparator
{
public:
    /// A comparator for in_encoding. Throws InvalidArgumentException outside the encoding table.
    explicit StringComparator(Support::EncodingType in_encoding);

    virtual ~StringComparator();

    StringComparator(const StringComparator&) = delete;
    StringComparator& operator=(const StringComparator&) = delete;

    /// Negative, zero or positive as the first text sorts before, with or after the second. Both
    /// lose their trailing blanks and tabs; a text that is a prefix of the other sorts first.
    virtual int32_t Compare(const void* in_left, int64_t in_leftLength, const void* in_right, int64_t in_rightLength);

    Support::EncodingType GetEncoding() const { return m_encoding; }

private:
    Support::EncodingType m_encoding;
    // One per operand: a trimmer may return its result in a buffer of its own.
    std::unique_ptr<Support::TrailingBlankTrimmer> m_leftTrimmer;
    std::unique_ptr<Support::TrailingBlankTrimmer> m_rightTrimmer;
};

} // namespace DSI
} // namespace Orvik
