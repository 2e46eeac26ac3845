#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class orvik_wstring;

/// Converts between UTF-16 text and bytes in any encoding of the table. Lengths are in bytes of
/// the encoded text unless they count code units; NUL_TERMINATED asks for a text to be measured.
/// Errors are ErrorExceptions of the general error from the support component.
class IPlatformStringConverter
{
public:
    virtual ~IPlatformStringConverter() = default;

    /// Makes io_target hold in_byteLength bytes (or NUL_TERMINATED) decoded from in_encoding. Null
    /// bytes make it null and no bytes empty. An odd last byte of UTF-16LE is dropped; in the other
    /// encodings a trailing part of a character decodes to ICU's substitute. Raises "ICUConvErr"
    /// when decoding fails, leaving the target as it was.
    virtual void BytesToWString(const void* in_bytes,
                                int32_t in_byteLength,
                                EncodingType in_encoding,
                                orvik_wstring& io_target) = 0;

    /// The bytes that in_count code units take in in_encoding, without a terminator; 0 for null.
    virtual int32_t GetRequiredBytes(const char16_t* in_units, int32_t in_count, EncodingType in_encoding) = 0;

    /// The bytes that the string's text takes in in_encoding, without a terminator.
    virtual int32_t GetRequiredBytes(const orvik_wstring& in_text, EncodingType in_encoding) = 0;

    /// Encodes in_count code units into out_target, which holds in_targetLength bytes. Returns the
    /// full length of the encoded text, which exceeds in_targetLength when the text did not fit;
    /// out_truncated tells whether it did not. A terminator follows the text only when room
    /// remains and the encoding is not UTF-16LE. Raises "ICUConvErrNotRecog" when encoding fails.
    virtual int32_t FromUChars(const char16_t* in_units,
                               int32_t in_count,
                               void* out_target,
                               int32_t in_targetLength,
                               EncodingType in_encoding,
                               bool& out_truncated) = 0;

    /// FromUChars with the string's code units.
    virtual int32_t FromWString(const orvik_wstring& in_text,
                                void* out_target,
                                int32_t in_targetLength,
                                EncodingType in_encoding,
                                bool& out_truncated) = 0;

    /// The bytes of in_text before its first code unit whose bytes are all zero; 0 for null.
    virtual int32_t GetNtsByteLength(const void* in_text, EncodingType in_encoding) = 0;

    /// Writes the in_length ASCII characters of in_text as code units of in_encoding, with a zero
    /// unit after them when in_addTerminator. Returns false and writes nothing when they do not fit
    /// in in_targetLength bytes; a negative in_length writes nothing and returns true.
    virtual bool WidenAscii(const char* in_text,
                            int32_t in_length,
                            void* out_target,
                            int32_t in_targetLength,
                            EncodingType in_encoding,
                            bool in_addTerminator) = 0;

    /// Writes one byte for each whole code unit of in_bytes, and a zero byte after them. Returns
    /// false when a unit held more than its ASCII byte (the copying goes on), or, writing nothing,
    /// when in_targetLength has no room for all and the zero byte. A negative in_byteLength writes
    /// nothing and returns true.
    virtual bool NarrowToAscii(const void* in_bytes,
                               int32_t in_byteLength,
                               EncodingType in_encoding,
                               char* out_target,
                               int32_t in_targetLength) = 0;

protected:
    IPlatformStringConverter() = default;
};

} // namespace Support
} // namespace Orvik
