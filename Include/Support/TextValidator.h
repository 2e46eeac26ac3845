#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace Orvik {
namespace Support {

class IcuConverter;

/// Finds where text stops being valid in its encoding: bytes that begin no character, a
/// character that its bytes do not finish, an unpaired surrogate, a code point beyond Unicode or a
/// byte that the encoding leaves unassigned. The text may come in pieces that cut a character.
/// The Unicode forms and US-ASCII are checked here in one pass (UTF-8 and ASCII step over plain
/// ASCII a word at a time); every other encoding by ICU's decoder, told to stop at the first bad
/// character rather than replace it. A whole UTF-8 text is first scanned in blocks where the
/// processor allows (Utf8BlockScan), as valid text is the rule: the byte automaton reads it only
/// when that scan finds a fault, to say where, or cannot run. The offset ICU gives for a
/// character begun in an earlier piece can lie past its start by the bytes that ICU read ahead.
/// One text at a time; the validator holds what a cut character left.
class TextValidator
{
public:
    /// What the checks answer for text that is valid so far.
    static constexpr uint64_t VALID = UINT64_MAX;

    /// Raises "ICUCreateUConverterErr" when ICU has no decoder for in_encoding.
    explicit TextValidator(EncodingType in_encoding);
    ~TextValidator();

    TextValidator(const TextValidator&) = delete;
    TextValidator& operator=(const TextValidator&) = delete;

    /// Checks the next in_length bytes of the text. Returns VALID, or the offset from the text's
    /// start of the first byte of the first bad character; then Reset before another text.
    uint64_t Check(const void* in_bytes, uint64_t in_length);

    /// The text ends: the offset of a character that its bytes left unfinished, else VALID.
    uint64_t Finish();

    /// True while the bytes checked so far end inside a character.
    bool IsInsideCharacter() const;

    /// Forgets the text, for the next one.
    void Reset();

    /// The offset of the first bad character of the whole text at in_bytes, or VALID.
    static uint64_t FindMalformed(const void* in_bytes, uint64_t in_length, EncodingType in_encoding);

    /// Whether in_text is well-formed UTF-8: FindMalformed's verdict, without the search for the
    /// offset once the block scan has found a fault.
    static bool IsWellFormedUtf8(std::string_view in_text);

private:
    uint64_t CheckAscii(const uint8_t* in_bytes, uint64_t in_length);
    uint64_t CheckWithIcu(const char* in_bytes, uint64_t in_length, bool in_isEnd);

    /// UTF-16 and UTF-32, a code unit at a time; a unit cut between pieces waits in m_carry.
    uint64_t CheckUnits(const uint8_t* in_bytes, uint64_t in_length);

    /// Takes one code unit that begins at in_offset.
    uint64_t TakeUnit(uint32_t in_unit, uint64_t in_offset);

    /// The code unit whose bytes begin at in_bytes, in the encoding's byte order.
    uint32_t ReadUnit(const uint8_t* in_bytes) const;

    /// The bytes checked that began the character still unfinished.
    uint64_t CountPendingBytes() const;

    const EncodingType m_encoding;
    /// Only for the encodings that are not checked here.
    std::unique_ptr<IcuConverter> m_decoder;
    /// Bytes of the text checked before the current piece.
    uint64_t m_checked = 0;
    /// UTF-8: the state of the character being read, as its place in the automaton's word; UTF-16:
    /// whether a lead surrogate was read. Zero between characters.
    uint8_t m_state = 0;
    /// Where the character being read began.
    uint64_t m_characterStart = 0;
    /// UTF-16 and UTF-32: the size of a code unit and whether its first byte is its highest.
    uint8_t m_unitSize = 1;
    bool m_isBigEndian = false;
    /// The bytes of a code unit that a piece cut.
    uint8_t m_carry[4] = {};
    uint8_t m_carryCount = 0;
};

} // namespace Support
} // namespace Orvik
