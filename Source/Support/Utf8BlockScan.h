#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// What a scan of UTF-8 in blocks can tell of a whole text.
enum class Utf8Verdict
{
    WELL_FORMED,
    MALFORMED,
    /// The processor cannot scan in blocks, or the text is shorter than one block.
    UNDECIDED
};

/// The bytes of a block. A shorter text costs more padded into a block than read a byte at a time.
constexpr uint64_t UTF8_SCAN_BLOCK = 32;

/// ScanUtf8Blocks for a text of UTF8_SCAN_BLOCK bytes or more.
Utf8Verdict ScanLongUtf8(const void* in_bytes, uint64_t in_length);

/// Whether the in_length bytes at in_bytes are well-formed UTF-8 as a whole text: no overlong
/// form, surrogate, code point beyond U+10FFFF, stray continuation byte or cut character. Reads
/// 32 bytes at a time with AVX2, at about the speed of memory, but cannot say where a fault lies:
/// TextValidator's byte automaton does that. A short text is turned back here, without a call,
/// as most cells' texts are short.
inline Utf8Verdict ScanUtf8Blocks(const void* in_bytes, uint64_t in_length)
{
    return in_length < UTF8_SCAN_BLOCK ? Utf8Verdict::UNDECIDED : ScanLongUtf8(in_bytes, in_length);
}

} // namespace Support
} // namespace Orvik
