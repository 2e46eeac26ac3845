// Where text stops being valid in its encoding: the byte automaton of UTF-8 and the block scan
// before it, the ASCII check and ICU's decoder for the rest, on whole texts and on texts in
// pieces.

#include "Support/TextValidator.h"
#include "Support/Utf8BlockScan.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <unicode/ustring.h>

#include <string>
#include <vector>

using namespace Orvik::Support;
using namespace std::string_literals;

namespace {

constexpr EncodingType ENC_EUC_JP = 19;
constexpr EncodingType ENC_ISO_2022_JP = 24;

/// The offset of the first bad character, or "valid".
std::string Malformed(uint64_t in_offset)
{
    return in_offset == TextValidator::VALID ? "valid" : std::to_string(in_offset);
}

TEST(TextValidator, TheFirstBadCharacterOfAWholeTextIsFound)
{
    const std::string ascii16 = "abcdefghijklmnop";
    const struct
    {
        EncodingType m_encoding;
        std::string m_text;
        std::string m_malformed;
    } cases[] = {
        {ENC_UTF8, "", "valid"},
        {ENC_UTF8, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF", "valid"},
        {ENC_UTF8, "caf\xE9", "3"},
        {ENC_UTF8, "a\x80", "1"},
        // A character is bad from its first byte on, also when a later byte spoils it.
        {ENC_UTF8, "ab\xE2\x28\xA1", "2"},
        {ENC_UTF8, "\xE2\x82\xAC\xC3", "3"},
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        {ENC_UTF8, "\xC0\xAF", "0"},
        {ENC_UTF8, "\xE0\x9F\xBF", "0"},
        {ENC_UTF8, "\xF0\x8F\xBF\xBF", "0"},
        {ENC_UTF8, "x\xED\xA0\x80", "1"},
        {ENC_UTF8, "\xF4\x90\x80\x80", "0"},
        {ENC_UTF8, "\xF5\x80\x80\x80", "0"},
        // Whole words of ASCII are stepped over, and the byte after them is still read.
        {ENC_UTF8, ascii16 + "q\xFF", "17"},
        {ENC_UTF8, "abcde\x80" "fghijklmnop", "5"},
        {ENC_UTF8, ascii16 + ascii16, "valid"},
        // Texts of several blocks: what the block scan passes, and the offset of what it does not.
        {ENC_UTF8, std::string(1000, 'x') + "\xF0\x9F\x98\x80", "valid"},
        {ENC_UTF8, std::string(1000, 'x') + "\xF0\x9F\x98", "1000"},
        {ENC_UTF8, std::string(100, 'x') + "\xED\xA0\x80" + std::string(100, 'x'), "100"},
        {ENC_US_ASCII, ascii16 + "\x7F", "valid"},
        {ENC_US_ASCII, "abcdefgh\xE9", "8"},
        {ENC_US_ASCII, "abc\xE9" "defghijkl", "3"},
        {ENC_US_ASCII, "\xC3\xA9", "0"},
        // Other encodings through ICU's decoder: unpaired surrogates, cut characters.
        {ENC_UTF16_LE, "a\0\x3D\xD8\x00\xDE"s, "valid"},
        {ENC_UTF16_LE, "a\0\x00\xDC"s, "2"},
        {ENC_UTF16_LE, "a\0\x3D\xD8" "b\0"s, "2"},
        {ENC_UTF16_LE, "a\0b"s, "2"},
        {ENC_UTF32_LE, "a\0\0\0\x00\xD8\0\0"s, "4"},
        {ENC_EUC_JP, "a\xA4\xA2", "valid"},
        {ENC_EUC_JP, "a\xA4" "a", "1"},
        // A stateful encoding's escape sequence that is none, or none of the encoding's, is bad
        // from its escape on.
        {ENC_ISO_2022_JP, "ab\x1B$Bcd\x1B(Bef", "valid"},
        {ENC_ISO_2022_JP, "ab\x1B(Zcd", "2"},
        {ENC_ISO_2022_JP, "ab\x1B$(Dcd", "2"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.m_encoding) + " " + c.m_text);
        EXPECT_EQ(c.m_malformed, Malformed(TextValidator::FindMalformed(c.m_text.data(), c.m_text.size(), c.m_encoding)));
        if (c.m_encoding == ENC_UTF8)
        {
            EXPECT_EQ(c.m_malformed == "valid", TextValidator::IsWellFormedUtf8(c.m_text));
        }
    }
}

/// Whether ICU's strict decoding takes in_text as UTF-8.
bool IsDecodedByIcu(const std::string& in_text)
{
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, in_text.data(), static_cast<int32_t>(in_text.size()), &status);
    return status != U_INVALID_CHAR_FOUND;
}

/// The byte automaton's answer alone: the text in one piece, then its end.
uint64_t FindMalformedByAutomaton(const std::string& in_text)
{
    TextValidator validator(ENC_UTF8);
    const uint64_t malformed = validator.Check(in_text.data(), in_text.size());
    return malformed != TextValidator::VALID ? malformed : validator.Finish();
}

// ICU's strict decoding is the judge of both roads of a UTF-8 check, the block scan and the byte
// automaton, and of what the whole-text checks answer through them. Every sequence of one to four
// bytes from values at the edges of the UTF-8 ranges is checked alone and inside longer texts:
// across every place of the first two block boundaries, and cut by the end in and after a block.
TEST(TextValidator, BlockScanAndAutomatonAgreeWithIcuAtEveryBlockBoundary)
{
    const unsigned char edges[] = {0x41, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC1, 0xC2, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5};
    constexpr int EDGES = sizeof edges;
    const std::string ascii(64, 'a');
    int wellFormed = 0;
    int sequences = 0;
    int scanned = 0;
    for (int length = 1, combinations = EDGES; length <= 4; ++length, combinations *= EDGES)
    {
        for (int combination = 0; combination < combinations; ++combination, ++sequences)
        {
            std::string sequence;
            for (int rest = combination, i = 0; i < length; rest /= EDGES, ++i)
            {
                sequence += static_cast<char>(edges[rest % EDGES]);
            }
            std::vector<std::string> texts = {sequence};
            for (size_t before : {28, 29, 30, 31, 32, 60, 61, 62, 63, 64})
            {
                texts.push_back(ascii.substr(0, before) + sequence + ascii);
            }
            for (size_t before : {28, 29, 30, 31, 40})
            {
                texts.push_back(ascii.substr(0, before) + sequence);
            }
            for (const std::string& text : texts)
            {
                const auto where = [&] {
                    return std::to_string(text.size()) + " bytes around " + std::to_string(length) + " of sequence "
                         + std::to_string(combination);
                };
                const bool isDecoded = IsDecodedByIcu(text);
                const uint64_t byAutomaton = FindMalformedByAutomaton(text);
                ASSERT_EQ(isDecoded, byAutomaton == TextValidator::VALID) << where();
                ASSERT_EQ(byAutomaton, TextValidator::FindMalformed(text.data(), text.size(), ENC_UTF8)) << where();
                ASSERT_EQ(isDecoded, TextValidator::IsWellFormedUtf8(text)) << where();
                const Utf8Verdict byScan = ScanUtf8Blocks(text.data(), text.size());
                if (byScan != Utf8Verdict::UNDECIDED)
                {
                    ++scanned;
                    ASSERT_EQ(isDecoded, byScan == Utf8Verdict::WELL_FORMED) << where();
                }
            }
            wellFormed += IsDecodedByIcu(sequence) ? 1 : 0;
        }
    }
    // Both answers were met, and where the processor scans in blocks the scan gave its own.
    EXPECT_GT(wellFormed, 0);
    EXPECT_LT(wellFormed, sequences);
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx2"))
    {
        EXPECT_GT(scanned, 0);
    }
#endif
}

TEST(TextValidator, PiecesMayCutACharacterAndOffsetsCountFromTheTextsStart)
{
    const struct
    {
        EncodingType m_encoding;
        std::vector<std::string> m_pieces;
        std::string m_outcomes;
    } cases[] = {
        {ENC_UTF8, {"a\xE2", "\x82", "\xAC" "b"}, "valid valid valid | valid"},
        {ENC_UTF8, {"abc", "d\xE2\x82"}, "valid valid | 4"},
        {ENC_UTF8, {"abc\xE2", "b"}, "valid 3"},
        {ENC_UTF16_LE, {"a\0\x3D"s, "\xD8\x00\xDE"s}, "valid valid | valid"},
        {ENC_UTF16_LE, {"a\0\x3D\xD8"s, "b\0"s}, "valid 2"},
        {ENC_UTF16_LE, {"a\0"s, "b\0\x3D\xD8"s}, "valid valid | 4"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_outcomes);
        TextValidator validator(c.m_encoding);
        std::string outcomes;
        for (const std::string& piece : c.m_pieces)
        {
            const uint64_t malformed = validator.Check(piece.data(), piece.size());
            outcomes += (outcomes.empty() ? "" : " ") + Malformed(malformed);
            if (malformed != TextValidator::VALID)
            {
                break;
            }
        }
        if (outcomes.find_first_of("0123456789") == std::string::npos)
        {
            outcomes += " | " + Malformed(validator.Finish());
        }
        EXPECT_EQ(c.m_outcomes, outcomes);

        // Reset forgets a character that the last piece left unfinished.
        validator.Reset();
        EXPECT_FALSE(validator.IsInsideCharacter());
        EXPECT_EQ("valid", Malformed(validator.Check("a\0"s.data(), 2)));
    }
}

} // namespace
