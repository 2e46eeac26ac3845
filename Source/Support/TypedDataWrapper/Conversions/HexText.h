#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The hexadecimal text of bytes: two upper-case digits per byte, the high nibble first.
class HexText
{
public:
    HexText() = delete;

    /// Writes the 2 * in_count characters of the text of in_count bytes into out_text.
    static void Write(const uint8_t* in_bytes, int64_t in_count, char* out_text);

    /// Writes the same text as code units of in_encoding into out_target a pass at a time, so that
    /// a long value needs no buffer of its own size, and a zero code unit after it with
    /// in_terminate. The caller has made sure that it fits.
    static void WriteAs(
        const uint8_t* in_bytes, int64_t in_count, uint8_t* out_target, EncodingType in_encoding, bool in_terminate);
};

} // namespace Support
} // namespace Orvik
