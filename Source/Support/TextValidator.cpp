#include "Support/TextValidator.h"

#include "Support/EncodingInfo.h"
#include "Support/IcuConverter.h"
#include "Support/Utf8BlockScan.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

// UTF-8 is read by a small automaton: each byte falls into a class, and the class moves the state
// of the character being read. The classes part the continuation bytes where the second byte of a
// three- or four-byte character has a narrower range (no overlong forms, no surrogates, nothing
// beyond U+10FFFF).
enum ByteClass : uint8_t
{
    ASCII,
    TAIL_80_8F,
    TAIL_90_9F,
    TAIL_A0_BF,
    NEVER,
    LEAD_2,
    LEAD_E0,
    LEAD_3,
    LEAD_ED,
    LEAD_F0,
    LEAD_4,
    LEAD_F4,
    CLASS_COUNT
};

enum State : uint8_t
{
    BETWEEN,
    NEED_1,
    NEED_2,
    NEED_3,
    AFTER_E0,
    AFTER_ED,
    AFTER_F0,
    AFTER_F4,
    REJECTED
};

struct ByteRange
{
    uint8_t first;
    uint8_t last;
    ByteClass kind;
};

constexpr ByteRange BYTE_RANGES[] = {
    {0x00, 0x7F, ASCII},
    {0x80, 0x8F, TAIL_80_8F},
    {0x90, 0x9F, TAIL_90_9F},
    {0xA0, 0xBF, TAIL_A0_BF},
    {0xC0, 0xC1, NEVER},
    {0xC2, 0xDF, LEAD_2},
    {0xE0, 0xE0, LEAD_E0},
    {0xE1, 0xEC, LEAD_3},
    {0xED, 0xED, LEAD_ED},
    {0xEE, 0xEF, LEAD_3},
    {0xF0, 0xF0, LEAD_F0},
    {0xF1, 0xF3, LEAD_4},
    {0xF4, 0xF4, LEAD_F4},
    {0xF5, 0xFF, NEVER},
};

constexpr std::array<uint8_t, 256> MakeByteClasses()
{
    std::array<uint8_t, 256> classes{};
    for (const ByteRange& range : BYTE_RANGES)
    {
        for (int byte = range.first; byte <= range.last; ++byte)
        {
            classes[byte] = range.kind;
        }
    }
    return classes;
}

constexpr std::array<uint8_t, 256> BYTE_CLASSES = MakeByteClasses();

constexpr State R = REJECTED;

// The next state by the current one (rows) and the byte's class (columns, in ByteClass order):
//                          ASCII    80-8F    90-9F    A0-BF    C0-C1,F5-FF  C2-DF   E0        E1-EC,EE-EF  ED        F0        F1-F3   F4
constexpr State TRANSITIONS[][CLASS_COUNT] = {
    /* BETWEEN */          {BETWEEN, R,       R,       R,       R,           NEED_1, AFTER_E0, NEED_2,      AFTER_ED, AFTER_F0, NEED_3, AFTER_F4},
    /* NEED_1 */           {R,       BETWEEN, BETWEEN, BETWEEN, R,           R,      R,        R,           R,        R,        R,      R},
    /* NEED_2 */           {R,       NEED_1,  NEED_1,  NEED_1,  R,           R,      R,        R,           R,        R,        R,      R},
    /* NEED_3 */           {R,       NEED_2,  NEED_2,  NEED_2,  R,           R,      R,        R,           R,        R,        R,      R},
    /* AFTER_E0 */         {R,       R,       R,       NEED_1,  R,           R,      R,        R,           R,        R,        R,      R},
    /* AFTER_ED */         {R,       NEED_1,  NEED_1,  R,       R,           R,      R,        R,           R,        R,        R,      R},
    /* AFTER_F0 */         {R,       R,       NEED_2,  NEED_2,  R,           R,      R,        R,           R,        R,        R,      R},
    /* AFTER_F4 */         {R,       NEED_2,  R,       R,       R,           R,      R,        R,           R,        R,        R,      R},
};

// TRANSITIONS as read a byte at a time: by byte, every state's next state in one word, each state
// taking STATE_BITS bits at STATE_BITS times its number. A state is kept as its place in the word,
// so that the next is a shift of a word that the byte alone selects, and a run of bytes is not a
// chain of table look-ups that wait on each other.
constexpr unsigned STATE_BITS = 6;
constexpr uint64_t STATE_MASK = (uint64_t{1} << STATE_BITS) - 1;
constexpr uint8_t BETWEEN_PLACE = BETWEEN * STATE_BITS;
constexpr uint8_t REJECTED_PLACE = REJECTED * STATE_BITS;
// Finish and CountPendingBytes, shared with UTF-16, take zero for between characters.
static_assert(BETWEEN_PLACE == BETWEEN, "between characters is zero as a state and as a place");

constexpr std::array<uint64_t, 256> MakeNextStates()
{
    std::array<uint64_t, 256> next{};
    for (int byte = 0; byte < 256; ++byte)
    {
        // Nothing follows REJECTED: the reading stops there.
        for (int state = BETWEEN; state < REJECTED; ++state)
        {
            next[byte] |= uint64_t{TRANSITIONS[state][BYTE_CLASSES[byte]] * STATE_BITS} << (state * STATE_BITS);
        }
    }
    return next;
}

constexpr std::array<uint64_t, 256> NEXT_STATES = MakeNextStates();

constexpr uint64_t HIGH_BITS = 0x8080808080808080ULL;

/// The ASCII bytes from in_index on stepped over a word at a time: returns the index of the first
/// other byte, or of the last bytes too few for a word.
uint64_t SkipAsciiWords(const uint8_t* in_bytes, uint64_t in_index, uint64_t in_length)
{
    uint64_t word = 0;
    while (in_length - in_index >= sizeof(word))
    {
        std::memcpy(&word, in_bytes + in_index, sizeof(word));
        const uint64_t highBits = word & HIGH_BITS;
        if (highBits != 0)
        {
            // The ASCII bytes before the first other byte of the word are skipped too.
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            return in_index + static_cast<uint64_t>(__builtin_ctzll(highBits)) / 8;
#else
            return in_index + static_cast<uint64_t>(__builtin_clzll(highBits)) / 8;
#endif
        }
        in_index += sizeof(word);
    }
    return in_index;
}

/// Reads in_length bytes of UTF-8, the first at in_offset in the text, from the state (its place)
/// io_state and the start io_characterStart of the character being read. Returns VALID, or the
/// offset of the character that a byte made bad (io_state is then between characters). Works on
/// locals, which the compiler need not reload after each byte read through a pointer to bytes.
uint64_t ReadUtf8(const uint8_t* in_bytes,
                  uint64_t in_length,
                  uint64_t in_offset,
                  uint8_t& io_state,
                  uint64_t& io_characterStart)
{
    uint8_t state = io_state;
    uint64_t characterStart = io_characterStart;
    uint64_t i = 0;
    while (i < in_length)
    {
        if (state == BETWEEN_PLACE)
        {
            // Text of many characters of several bytes is not held up looking for ASCII words.
            if (in_bytes[i] < 0x80)
            {
                i = SkipAsciiWords(in_bytes, i, in_length);
                if (i == in_length)
                {
                    break;
                }
                if (in_bytes[i] < 0x80)
                {
                    ++i;
                    continue;
                }
            }
            characterStart = in_offset + i;
        }
        state = static_cast<uint8_t>((NEXT_STATES[in_bytes[i]] >> state) & STATE_MASK);
        if (state == REJECTED_PLACE)
        {
            // A bad byte after the first of a character makes the whole character bad.
            io_state = BETWEEN_PLACE;
            return characterStart;
        }
        ++i;
    }
    io_state = state;
    io_characterStart = characterStart;
    return TextValidator::VALID;
}

/// The offset of the first bad character of a whole UTF-8 text, or VALID, by the automaton alone.
uint64_t FindMalformedUtf8(const void* in_bytes, uint64_t in_length)
{
    uint8_t state = BETWEEN_PLACE;
    uint64_t characterStart = 0;
    const uint64_t malformed = ReadUtf8(static_cast<const uint8_t*>(in_bytes), in_length, 0, state, characterStart);
    // A character that the text's end cuts is bad from its first byte.
    return malformed == TextValidator::VALID && state != BETWEEN_PLACE ? characterStart : malformed;
}

/// Decoded text goes here only to be dropped.
constexpr int32_t SCRATCH_UNITS = 1024;

constexpr uint32_t LAST_CODE_POINT = 0x10FFFF;

bool IsLeadSurrogate(uint32_t in_unit)
{
    return in_unit >= 0xD800 && in_unit <= 0xDBFF;
}

bool IsTrailSurrogate(uint32_t in_unit)
{
    return in_unit >= 0xDC00 && in_unit <= 0xDFFF;
}

bool IsUnicodeForm(EncodingType in_encoding)
{
    return in_encoding == ENC_UTF16_LE || in_encoding == ENC_UTF16_BE || in_encoding == ENC_UTF32_LE
        || in_encoding == ENC_UTF32_BE;
}

// The stateful encodings (ISO-2022 and the like) report a bad or unknown escape sequence with
// statuses of their own; such text is as malformed as a bad byte, not a failure of the decoder.
bool IsMalformed(UErrorCode in_status)
{
    return in_status == U_ILLEGAL_CHAR_FOUND || in_status == U_INVALID_CHAR_FOUND || in_status == U_TRUNCATED_CHAR_FOUND
        || in_status == U_ILLEGAL_ESCAPE_SEQUENCE || in_status == U_UNSUPPORTED_ESCAPE_SEQUENCE;
}

} // namespace

TextValidator::TextValidator(EncodingType in_encoding) : m_encoding(in_encoding)
{
    if (IsUnicodeForm(in_encoding))
    {
        m_unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
        m_isBigEndian = in_encoding == ENC_UTF16_BE || in_encoding == ENC_UTF32_BE;
        return;
    }
    if (in_encoding == ENC_UTF8 || in_encoding == ENC_US_ASCII)
    {
        return;
    }
    m_decoder = std::make_unique<IcuConverter>(in_encoding);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(m_decoder->Get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUCreateUConverterErr");
    }
}

TextValidator::~TextValidator() = default;

uint64_t TextValidator::Check(const void* in_bytes, uint64_t in_length)
{
    uint64_t malformed = VALID;
    switch (m_encoding)
    {
    case ENC_UTF8:
        malformed = ReadUtf8(static_cast<const uint8_t*>(in_bytes), in_length, m_checked, m_state, m_characterStart);
        break;
    case ENC_US_ASCII:
        malformed = CheckAscii(static_cast<const uint8_t*>(in_bytes), in_length);
        break;
    case ENC_UTF16_LE:
    case ENC_UTF16_BE:
    case ENC_UTF32_LE:
    case ENC_UTF32_BE:
        malformed = CheckUnits(static_cast<const uint8_t*>(in_bytes), in_length);
        break;
    default:
        malformed = CheckWithIcu(static_cast<const char*>(in_bytes), in_length, false);
        break;
    }
    m_checked += in_length;
    return malformed;
}

uint64_t TextValidator::Finish()
{
    if (m_decoder != nullptr)
    {
        return CheckWithIcu(nullptr, 0, true);
    }
    if (m_state != BETWEEN)
    {
        return m_characterStart;
    }
    return m_carryCount == 0 ? VALID : m_checked - m_carryCount;
}

bool TextValidator::IsInsideCharacter() const
{
    return CountPendingBytes() > 0;
}

uint64_t TextValidator::CountPendingBytes() const
{
    if (m_decoder != nullptr)
    {
        UErrorCode status = U_ZERO_ERROR;
        return static_cast<uint64_t>(std::max(ucnv_toUCountPending(m_decoder->Get(), &status), 0));
    }
    if (m_state != BETWEEN)
    {
        return m_checked - m_characterStart;
    }
    return m_carryCount;
}

void TextValidator::Reset()
{
    m_checked = 0;
    m_state = BETWEEN;
    m_characterStart = 0;
    m_carryCount = 0;
    if (m_decoder != nullptr)
    {
        m_decoder->Reset();
    }
}

uint64_t TextValidator::FindMalformed(const void* in_bytes, uint64_t in_length, EncodingType in_encoding)
{
    if (in_encoding == ENC_UTF8)
    {
        return ScanUtf8Blocks(in_bytes, in_length) == Utf8Verdict::WELL_FORMED ? VALID
                                                                               : FindMalformedUtf8(in_bytes, in_length);
    }
    TextValidator validator(in_encoding);
    const uint64_t malformed = validator.Check(in_bytes, in_length);
    return malformed != VALID ? malformed : validator.Finish();
}

bool TextValidator::IsWellFormedUtf8(std::string_view in_text)
{
    const Utf8Verdict verdict = ScanUtf8Blocks(in_text.data(), in_text.size());
    if (verdict != Utf8Verdict::UNDECIDED)
    {
        return verdict == Utf8Verdict::WELL_FORMED;
    }
    return FindMalformedUtf8(in_text.data(), in_text.size()) == VALID;
}

uint64_t TextValidator::CheckAscii(const uint8_t* in_bytes, uint64_t in_length)
{
    for (uint64_t i = SkipAsciiWords(in_bytes, 0, in_length); i < in_length; ++i)
    {
        if (in_bytes[i] >= 0x80)
        {
            return m_checked + i;
        }
    }
    return VALID;
}

uint64_t TextValidator::CheckUnits(const uint8_t* in_bytes, uint64_t in_length)
{
    uint64_t i = 0;
    if (m_carryCount > 0)
    {
        const uint64_t unitStart = m_checked - m_carryCount;
        while (m_carryCount < m_unitSize && i < in_length)
        {
            m_carry[m_carryCount++] = in_bytes[i++];
        }
        if (m_carryCount < m_unitSize)
        {
            return VALID;
        }
        m_carryCount = 0;
        const uint64_t malformed = TakeUnit(ReadUnit(m_carry), unitStart);
        if (malformed != VALID)
        {
            return malformed;
        }
    }
    for (; in_length - i >= m_unitSize; i += m_unitSize)
    {
        const uint64_t malformed = TakeUnit(ReadUnit(in_bytes + i), m_checked + i);
        if (malformed != VALID)
        {
            return malformed;
        }
    }
    while (i < in_length)
    {
        m_carry[m_carryCount++] = in_bytes[i++];
    }
    return VALID;
}

uint64_t TextValidator::TakeUnit(uint32_t in_unit, uint64_t in_offset)
{
    if (m_unitSize == 4)
    {
        return in_unit > LAST_CODE_POINT || IsLeadSurrogate(in_unit) || IsTrailSurrogate(in_unit) ? in_offset : VALID;
    }
    // UTF-16 reads a character as UTF-8 reads one of two bytes: a lead surrogate needs one more.
    if (m_state != BETWEEN)
    {
        m_state = BETWEEN;
        return IsTrailSurrogate(in_unit) ? VALID : m_characterStart;
    }
    if (IsLeadSurrogate(in_unit))
    {
        m_state = NEED_1;
        m_characterStart = in_offset;
        return VALID;
    }
    return IsTrailSurrogate(in_unit) ? in_offset : VALID;
}

uint32_t TextValidator::ReadUnit(const uint8_t* in_bytes) const
{
    uint32_t unit = 0;
    for (uint8_t i = 0; i < m_unitSize; ++i)
    {
        const uint8_t byte = in_bytes[m_isBigEndian ? i : m_unitSize - 1 - i];
        unit = (unit << 8) | byte;
    }
    return unit;
}

uint64_t TextValidator::CheckWithIcu(const char* in_bytes, uint64_t in_length, bool in_isEnd)
{
    UChar scratch[SCRATCH_UNITS];
    const char* source = in_bytes;
    const char* const end = in_bytes + in_length;
    for (;;)
    {
        UChar* target = scratch;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(m_decoder->Get(), &target, scratch + SCRATCH_UNITS, &source, end, nullptr, in_isEnd, &status);
        if (status == U_BUFFER_OVERFLOW_ERROR)
        {
            continue;
        }
        if (IsMalformed(status))
        {
            // ICU has consumed the bad bytes, some of which may have come in an earlier piece.
            const uint64_t consumed = m_checked + static_cast<uint64_t>(source - in_bytes);
            return consumed - std::min<uint64_t>(consumed, static_cast<uint64_t>(m_decoder->CountInvalidBytes()));
        }
        if (U_FAILURE(status))
        {
            RaiseTextError(u"ICUConvErrNotRecog");
        }
        return VALID;
    }
}

} // namespace Support
} // namespace Orvik
