#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

/// Removes trailing blanks (U+0020) and tabs from text in one encoding, for pattern matching.
class TrailingBlankTrimmer
{
public:
    /// A trimmer for in_encoding. Throws InvalidArgumentException outside the encoding table, and
    /// InvalidOperationException for the encodings whose blanks show only after decoding (such as
    /// the multi-byte and EBCDIC sets): their trimmer needs the platform's pooled converters.
    static std::unique_ptr<TrailingBlankTrimmer> Create(EncodingType in_encoding);

    virtual ~TrailingBlankTrimmer() = default;

    /// The text of in_bytes without its trailing blanks: returns where it starts and sets
    /// io_length to its length in bytes. Null bytes give null and 0.
    virtual const uint8_t* Trim(const uint8_t* in_bytes, uint64_t& io_length) = 0;

protected:
    TrailingBlankTrimmer() = default;
};

} // namespace Support
} // namespace Orvik
