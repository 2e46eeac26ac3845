// Where text stops being valid in its encoding: the byte automaton of UTF-8, the ASCII check and
// ICU's decoder for the rest, on whole texts, on texts in pieces, and where a text can be cut.

#include "Support/TextValidator.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

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
        {ENC_UTF8, ascii16 + ascii16, "valid"},
        {ENC_US_ASCII, ascii16 + "\x7F", "valid"},
        {ENC_US_ASCII, "abcdefgh\xE9", "8"},
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
    }
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

TEST(TextValidator, ATextIsCutOnlyBetweenCharacters)
{
    const std::string text = "a\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::string outcomes[] = {"0", "1", "1", "1", "4", "4", "4", "4", "8"};
    for (uint64_t room = 0; room <= text.size(); ++room)
    {
        EXPECT_EQ(outcomes[room], std::to_string(TextValidator::FitWholeCharacters(text.data(), room, ENC_UTF8)))
            << "room " << room;
    }
    const std::string wide = "a\0\x3D\xD8\x00\xDE"s;
    EXPECT_EQ(2u, TextValidator::FitWholeCharacters(wide.data(), 4, ENC_UTF16_LE));
    EXPECT_EQ(6u, TextValidator::FitWholeCharacters(wide.data(), 6, ENC_UTF16_LE));
}

} // namespace
