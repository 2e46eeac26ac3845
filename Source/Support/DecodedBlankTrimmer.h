#pragma once

#include "Support/EncodingType.h"
#include "Support/SizedBuffer.h"
#include "Support/TrailingBlankTrimmer.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

class IPlatformStringConverter;

/// Trims the encodings whose blanks show only after decoding: multi-byte sets, whose second bytes
/// may look like anything, and EBCDIC pages, whose blank is 0x40. The text is decoded, trimmed
/// and encoded again into the trimmer's own buffer.
class DecodedBlankTrimmer : public TrailingBlankTrimmer
{
public:
    DecodedBlankTrimmer(EncodingType in_encoding, IPlatformStringConverter& in_converter);

    /// The result lies in the trimmer's own buffer, valid until the next Trim or the trimmer's
    /// end; no bytes give the input back. Decoding and encoding errors are the converter's.
    const uint8_t* Trim(const uint8_t* in_bytes, uint64_t& io_length) override;

private:
    EncodingType m_encoding;
    IPlatformStringConverter& m_converter;
    orvik_wstring m_text;
    SizedBuffer m_buffer;
};

} // namespace Support
} // namespace Orvik
