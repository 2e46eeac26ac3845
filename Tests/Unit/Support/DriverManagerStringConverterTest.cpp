#include "Support/DriverManagerStringConverter.h"
#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Orvik::Support;
using namespace std::string_literals;

namespace {

// The encodings a driver manager may use for wide text.
const EncodingType DRIVER_MANAGER_ENCODINGS[] = {ENC_UTF16_LE, ENC_UTF8, ENC_UTF32_LE};

constexpr uint8_t UNTOUCHED = 0xCC;

// Encodings whose characters can take more bytes than the table's count, most of them because
// escape sequences switch between character sets.
constexpr EncodingType ENC_JIS = 17;
constexpr EncodingType ENC_EUC_JP = 19;
constexpr EncodingType ENC_ISO_2022_KR = 22;
constexpr EncodingType ENC_ISO_2022_JP = 24;
constexpr EncodingType ENC_ISO_2022_JP_2 = 25;
constexpr EncodingType ENC_ISO_2022_CN = 27;
constexpr EncodingType ENC_HZ = 67;

class DriverManagerStringConverterTest : public ::testing::Test
{
protected:
    int32_t UnitSize(EncodingType in_encoding) const { return EncodingInfo::GetCodeUnitSize(in_encoding); }

    std::string Encoded(const std::u16string& in_text, EncodingType in_encoding)
    {
        return orvik_wstring(in_text).GetAsString(in_encoding);
    }

    PlatformStringConverter m_strings;
};

TEST_F(DriverManagerStringConverterTest, WritesWhatFitsAndAlwaysATerminator)
{
    DriverManagerStringConverter converter(ENC_UTF16_LE, m_strings);
    std::string target(12, 'x');
    bool truncated = false;
    EXPECT_EQ(4, converter.ToBuffer(u"abcde", &target[0], 6, true, truncated));
    EXPECT_TRUE(truncated);
    EXPECT_EQ("a\0b\0\0\0xxxxxx"s, target);
    EXPECT_EQ(2, converter.ToBuffer(u"abcde", &target[0], 3, false, truncated));
    EXPECT_TRUE(truncated);

    EXPECT_EQ(10, converter.ToBuffer(u"abcde", &target[0], 12, true, truncated));
    EXPECT_FALSE(truncated);
    EXPECT_EQ("a\0b\0c\0d\0e\0\0\0"s, target);
    EXPECT_EQ(5, converter.ToBuffer(u"abcde", &target[0], 6, false, truncated));
    EXPECT_FALSE(truncated);
}

// Every buffer size from nothing to more than enough, in bytes and in code units: the buffer holds
// the longest prefix of whole characters that fits, as a complete text, with the terminator, never
// part of one. A complete text ends in the initial shift state of a stateful encoding, and a lone
// surrogate in it is a whole character whose substitute stays when the next one does not fit.
TEST_F(DriverManagerStringConverterTest, OnlyWholeCharactersAreWritten)
{
    const std::u16string mixed = u"a\u00E9\U0001F600\u20AC\U0001F600b";
    const struct
    {
        EncodingType encoding;
        std::u16string text;
    } cases[] = {
        {ENC_UTF16_LE, mixed},
        {ENC_UTF8, mixed},
        {ENC_UTF32_LE, mixed},
        {ENC_UTF8, u"\xDC6B\u2B73"},
        {ENC_UTF8, u"a\xD83D\u20AC\xDE00"},
        {ENC_UTF32_LE, u"\xD83D" u"a\xDE00"},
        {ENC_EUC_JP, u"a\u4E02\u4E02b"},
        {ENC_ISO_2022_JP, u"a\u3042b\u4E00\u3044c"},
        {ENC_JIS, u"\u3042b\u4E00"},
        {ENC_ISO_2022_JP_2, u"a\u00E9\u3042b"},
        {ENC_ISO_2022_KR, u"a\uAC00b\uAC01"},
        {ENC_ISO_2022_KR, u""},
        {ENC_ISO_2022_CN, u"a\u4E00b\u4E01"},
        {ENC_HZ, u"a\u4E00b\u4E01"},
    };
    for (const auto& c : cases)
    {
        const std::u16string& text = c.text;
        DriverManagerStringConverter converter(c.encoding, m_strings);
        const int32_t unitSize = UnitSize(c.encoding);
        const int32_t fullLength = converter.GetRequiredLength(text, true);
        for (bool inBytes : {true, false})
        {
            // Well beyond the text's length, so that roomy buffers take the path of the bulk.
            for (int32_t length = 0; length <= fullLength / (inBytes ? 1 : unitSize) + 20; ++length)
            {
                SCOPED_TRACE(std::string(EncodingInfo::GetEncodingName(c.encoding)) + " " + Show(text) +
                             (inBytes ? " bytes " : " units ") + std::to_string(length));
                const int32_t size = inBytes ? length : length * unitSize;
                std::vector<uint8_t> target(size, UNTOUCHED);
                bool truncated = false;
                const int32_t returned = converter.ToBuffer(text, target.data(), length, inBytes, truncated);
                if (size < unitSize)
                {
                    EXPECT_EQ(0, returned);
                    EXPECT_TRUE(truncated);
                    EXPECT_EQ(std::vector<uint8_t>(size, UNTOUCHED), target);
                    continue;
                }
                const int32_t written = inBytes ? returned : returned * unitSize;

                // The longest prefix of whole characters whose bytes fit before the terminator.
                std::u16string expected;
                for (size_t end = 1; end <= text.size(); ++end)
                {
                    const bool splitsAPair = end < text.size() && (text[end - 1] & 0xFC00) == 0xD800 &&
                                             (text[end] & 0xFC00) == 0xDC00;
                    if (!splitsAPair && Encoded(text.substr(0, end), c.encoding).size() + unitSize <= size_t(size))
                    {
                        expected = text.substr(0, end);
                    }
                }
                EXPECT_EQ(Encoded(expected, c.encoding), BytesOf(target.data(), written));
                EXPECT_EQ(expected.size() < text.size(), truncated);
                EXPECT_EQ(std::vector<uint8_t>(unitSize, 0),
                          std::vector<uint8_t>(target.begin() + written, target.begin() + written + unitSize));
                for (int32_t i = written + unitSize; i < size; ++i)
                {
                    EXPECT_TRUE(target[i] == 0 || target[i] == UNTOUCHED) << "byte " << i;
                }
            }
        }
    }
}

TEST_F(DriverManagerStringConverterTest, NoRoomNullTextAndNoTarget)
{
    for (EncodingType encoding : DRIVER_MANAGER_ENCODINGS)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(encoding));
        DriverManagerStringConverter converter(encoding, m_strings);
        std::string target(8, 'x');
        bool truncated = false;
        EXPECT_EQ(0, converter.ToBuffer(u"abc", &target[0], 0, true, truncated));
        EXPECT_TRUE(truncated);
        EXPECT_EQ(std::string(8, 'x'), target);

        EXPECT_EQ(0, converter.ToBuffer(orvik_wstring(), &target[0], 8, true, truncated));
        EXPECT_FALSE(truncated);
        EXPECT_EQ(std::string(UnitSize(encoding), '\0') + std::string(8 - UnitSize(encoding), 'x'), target);

        EXPECT_EQ(0, converter.ToBuffer(u"abc", nullptr, 8, true, truncated));
        EXPECT_TRUE(truncated);
    }
}

// An output length is never found by reading the application's buffer.
TEST_F(DriverManagerStringConverterTest, NegativeTargetLengthsAreRefused)
{
    DriverManagerStringConverter converter(ENC_UTF16_LE, m_strings);
    std::string target(8, 'x');
    bool truncated = false;
    for (int32_t length : {NUL_TERMINATED, -1})
    {
        ExpectTextError("ICUConvErrNotRecog",
                        [&] { converter.ToBuffer(u"abc", &target[0], length, false, truncated); });
        EXPECT_EQ(std::string(8, 'x'), target);
    }
}

TEST_F(DriverManagerStringConverterTest, NothingOfAnEarlierTextReachesTheNext)
{
    for (EncodingType encoding : DRIVER_MANAGER_ENCODINGS)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(encoding));
        DriverManagerStringConverter converter(encoding, m_strings);
        std::vector<char> target(64);
        bool truncated = false;

        // A character cut at the end of a buffer.
        converter.ToBuffer(u"\u20AC\u20AC\u20AC\u20AC\u20AC", target.data(), 9, true, truncated);
        EXPECT_TRUE(truncated);
        int32_t written = converter.ToBuffer(u"a", target.data(), 64, true, truncated);
        EXPECT_EQ(Encoded(u"a", encoding), BytesOf(target.data(), written));

        // A lead surrogate that ends a text does not pair with a trail surrogate that starts the next.
        converter.ToBuffer(u"x\xD83D", target.data(), 64, true, truncated);
        written = converter.ToBuffer(u"\xDE00y", target.data(), 64, true, truncated);
        EXPECT_EQ(Encoded(u"\uFFFDy", encoding), BytesOf(target.data(), written));
    }
}

TEST_F(DriverManagerStringConverterTest, RequiredLengthInBytesOrUnits)
{
    const struct
    {
        EncodingType encoding;
        int32_t bytes;
        int32_t units;
    } cases[] = {{ENC_UTF16_LE, 4, 2}, {ENC_UTF8, 4, 4}, {ENC_UTF32_LE, 4, 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(c.encoding));
        DriverManagerStringConverter converter(c.encoding, m_strings);
        EXPECT_EQ(c.bytes, converter.GetRequiredLength(u"\U0001F600", true));
        EXPECT_EQ(c.units, converter.GetRequiredLength(u"\U0001F600", false));
        EXPECT_EQ(0, converter.GetRequiredLength(orvik_wstring(), true));
        EXPECT_EQ(0, converter.GetRequiredLength(u"", false));
    }
}

// The length a caller is told is what a later call with room enough writes, also for texts with
// unpaired surrogates, which both count and write as substitutes; one byte less cuts the text.
TEST_F(DriverManagerStringConverterTest, RequiredLengthIsWhatRoomEnoughReceives)
{
    const struct
    {
        std::u16string text;
        std::u16string written;
    } cases[] = {
        {u"ab\xD83D", u"ab\uFFFD"},
        {u"\xD83D", u"\uFFFD"},
        {u"a\xD83D" u"b", u"a\uFFFD" u"b"},
        {u"\xDE00" u"a", u"\uFFFD" u"a"},
        {u"a\U0001F600", u"a\U0001F600"},
    };
    for (EncodingType encoding : DRIVER_MANAGER_ENCODINGS)
    {
        DriverManagerStringConverter converter(encoding, m_strings);
        const int32_t unitSize = UnitSize(encoding);
        for (const auto& c : cases)
        {
            SCOPED_TRACE(std::string(EncodingInfo::GetEncodingName(encoding)) + " " + Show(c.written));
            const int32_t required = converter.GetRequiredLength(c.text, true);
            EXPECT_EQ(required / unitSize, converter.GetRequiredLength(c.text, false));
            std::vector<char> target(required + unitSize);
            bool truncated = true;
            EXPECT_EQ(required, converter.ToBuffer(c.text, target.data(), required + unitSize, true, truncated));
            EXPECT_FALSE(truncated);
            EXPECT_EQ(Encoded(c.written, encoding), BytesOf(target.data(), required));
            EXPECT_EQ(required / unitSize,
                      converter.ToBuffer(c.text, target.data(), required / unitSize + 1, false, truncated));
            EXPECT_FALSE(truncated);
            std::vector<char> roomy(64);
            EXPECT_EQ(required, converter.ToBuffer(c.text, roomy.data(), 64, true, truncated));

            EXPECT_GT(required, converter.ToBuffer(c.text, target.data(), required + unitSize - 1, true, truncated));
            EXPECT_TRUE(truncated);
        }
    }
}

// A character that the encoding cannot hold and that is ignorable (U+2060, word joiner) is left out
// without a substitute: it takes no room, so a text ending in it fits where the rest fits.
TEST_F(DriverManagerStringConverterTest, CharactersThatTakeNoRoomAreNoTruncation)
{
    constexpr EncodingType ENC_IBM01149 = 80;
    DriverManagerStringConverter converter(ENC_IBM01149, m_strings);
    for (const std::u16string& text : {std::u16string(u"l\u2060"), std::u16string(u"l\0\u2060", 3), std::u16string(u"\u2060")})
    {
        SCOPED_TRACE(Show(text));
        const int32_t required = converter.GetRequiredLength(text, true);
        std::vector<char> target(required + 1);
        bool truncated = true;
        EXPECT_EQ(required, converter.ToBuffer(text, target.data(), required + 1, true, truncated));
        EXPECT_FALSE(truncated);
    }
}

// A lone surrogate at the end of the text gets its substitute in a stateful encoding too.
TEST_F(DriverManagerStringConverterTest, ALoneSurrogateAtTheEndKeepsItsSubstitute)
{
    DriverManagerStringConverter converter(ENC_HZ, m_strings);
    for (const std::u16string& text : {std::u16string(u"\xD961"), std::u16string(u"a\xD961"), std::u16string(u"\xD961" u"a")})
    {
        SCOPED_TRACE(Show(text));
        const int32_t required = converter.GetRequiredLength(text, true);
        for (int32_t room = required + 1; room <= required + 12; ++room)
        {
            std::vector<char> target(room);
            bool truncated = true;
            EXPECT_EQ(required, converter.ToBuffer(text, target.data(), room, true, truncated));
            EXPECT_FALSE(truncated);
            EXPECT_EQ(Encoded(text, ENC_HZ), BytesOf(target.data(), required));
        }
    }
}

// An unpaired surrogate is written as U+FFFD, wherever a conversion call ends. GB2312 gave a lead
// surrogate left pending at the end of one call the one-byte substitute and, inside one call, the
// two-byte one, so a text measured at 31 bytes was written in 30.
TEST_F(DriverManagerStringConverterTest, UnpairedSurrogatesAreWrittenAsReplacementCharacters)
{
    constexpr EncodingType ENC_GB2312 = 38;
    const std::u16string text =
        u"\t\u00E9\xD83D\u5400\u5454\u5454\u5454\u5454\u54D4\u5454\u5454\u5454\u5454\uABAC\u2125\xD99A\u00AD";
    std::u16string replaced = text;
    replaced[2] = u'\uFFFD';
    replaced[15] = u'\uFFFD';
    for (EncodingType encoding : {ENC_GB2312, ENC_HZ, ENC_UTF8})
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(encoding));
        DriverManagerStringConverter converter(encoding, m_strings);
        const std::string whole = Encoded(replaced, encoding);
        const int32_t required = converter.GetRequiredLength(text, true);
        EXPECT_EQ(static_cast<int32_t>(whole.size()), required);
        for (int32_t room = 1; room <= required + 9; ++room)
        {
            SCOPED_TRACE(room);
            std::vector<char> target(room);
            bool truncated = false;
            const int32_t written = converter.ToBuffer(text, target.data(), room, true, truncated);
            EXPECT_EQ(room <= required, truncated);
            if (!truncated)
            {
                EXPECT_EQ(whole, BytesOf(target.data(), written));
            }
            // Cut at a character: what was written reads back as the start of the whole.
            EXPECT_TRUE(orvik_wstring(whole.data(), static_cast<int32_t>(whole.size()), encoding)
                            .StartsWith(orvik_wstring(target.data(), written, encoding)));
        }
    }
}

TEST_F(DriverManagerStringConverterTest, NtsLengthIsTheLargestSizeOfThatManyCharacters)
{
    DriverManagerStringConverter utf16(ENC_UTF16_LE, m_strings);
    EXPECT_EQ(44, utf16.GetNtsLength("0123456789", 10, true, true));
    EXPECT_EQ(22, utf16.GetNtsLength("0123456789", 10, false, true));
    EXPECT_EQ(40, utf16.GetNtsLength("0123456789", NUL_TERMINATED, true, false));
    DriverManagerStringConverter utf8(ENC_UTF8, m_strings);
    EXPECT_EQ(16, utf8.GetNtsLength("abc", NUL_TERMINATED, false, true));
    ExpectTextError("InvalidNullParam", [&] { utf16.GetNtsLength(nullptr, 3, true, true); });
}

// The room promised for an application's text holds it whole, escape sequences included.
TEST_F(DriverManagerStringConverterTest, NtsLengthMakesRoomForTheWholeText)
{
    const struct
    {
        EncodingType encoding;
        const char* text;
    } cases[] = {
        {ENC_UTF8, "a\xC3\xA9\xF0\x9F\x98\x80"},
        {ENC_UTF16_LE, "a\xF0\x9F\x98\x80"},
        {ENC_EUC_JP, "\xE4\xB8\x82"},
        {ENC_ISO_2022_JP, "\xE3\x81\x82"},
        {ENC_ISO_2022_JP, "a\xE3\x81\x82" "b"},
        {ENC_ISO_2022_JP_2, "\xC3\xA9"},
        {ENC_ISO_2022_KR, "\xEA\xB0\x80"},
        {ENC_ISO_2022_CN, "\xE4\xB8\x80"},
        {ENC_HZ, "\xE4\xB8\x80"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(EncodingInfo::GetEncodingName(c.encoding)) + " " + c.text);
        DriverManagerStringConverter converter(c.encoding, m_strings);
        orvik_wstring text;
        converter.FromBytes(c.text, NUL_TERMINATED, text);
        for (bool inBytes : {true, false})
        {
            const int64_t room = converter.GetNtsLength(c.text, NUL_TERMINATED, inBytes, true);
            std::vector<char> target(room * (inBytes ? 1 : UnitSize(c.encoding)));
            bool truncated = true;
            converter.ToBuffer(text, target.data(), static_cast<int32_t>(room), inBytes, truncated);
            EXPECT_FALSE(truncated);
        }
    }
}

TEST_F(DriverManagerStringConverterTest, ArgumentsAreDecoded)
{
    DriverManagerStringConverter converter(ENC_UTF32_LE, m_strings);
    const std::string wide = "a\0\0\0\x00\xF6\x01\0\0\0\0\0"s;
    orvik_wstring text(u"old");
    converter.FromUChars(wide.data(), 2, false, text);
    EXPECT_EQ(orvik_wstring(u"a\U0001F600"), text);
    converter.FromUChars(wide.data(), 4, true, text);
    EXPECT_EQ(orvik_wstring(u"a"), text);
    converter.FromUChars(wide.data(), NUL_TERMINATED, false, text);
    EXPECT_EQ(orvik_wstring(u"a\U0001F600"), text);
    converter.FromUChars(wide.data(), 0, false, text);
    EXPECT_EQ(orvik_wstring(u""), text);
    converter.FromUChars(nullptr, 4, false, text);
    EXPECT_TRUE(text.IsNull());

    converter.FromBytes("caf\xC3\xA9", NUL_TERMINATED, text);
    EXPECT_EQ(orvik_wstring(u"caf\u00E9"), text);
    converter.FromBytes("abc", 0, text);
    EXPECT_EQ(orvik_wstring(u""), text);
    converter.FromBytes(nullptr, 3, text);
    EXPECT_TRUE(text.IsNull());
}

} // namespace
