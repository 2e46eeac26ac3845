#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

class orvik_wstring;

/// The one place where strings reach the platform service for decoding, encoding and start-up
/// trace lines. Until that service exists, text is converted here through ICU directly, opening
/// a converter per call; the platform's pooled converters and its trace will take over here.
class PlatformBridge
{
public:
    /// Replaces io_target's text with in_byteLength bytes (or NUL_TERMINATED: up to the first code
    /// unit that is zero) decoded from in_encoding. Null bytes make the target null, a length of 0
    /// empty. Malformed input is replaced as ICU does. Raises "ICUCreateUConverterErr" or
    /// "ICUConvErr" and leaves the target unchanged when decoding fails.
    static void DecodeBytes(const void* in_bytes,
                            int32_t in_byteLength,
                            EncodingType in_encoding,
                            orvik_wstring& io_target);

    /// Exactly the bytes of in_text in in_encoding; empty for the null and the empty string.
    /// Raises "ICUCreateUConverterErr" or "ICUConvErrNotRecog" when encoding fails.
    static std::string EncodeString(const orvik_wstring& in_text, EncodingType in_encoding);

    /// A start-up trace line for standard error. Dropped until the platform service, which owns
    /// the trace switch, exists.
    static void Trace(const char* in_line);
};

} // namespace Support
} // namespace Orvik
