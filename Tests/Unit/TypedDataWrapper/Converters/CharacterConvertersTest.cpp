// Character data into character buffers: copied when the text is already in the process-wide
// encoding of the buffer's kind, transcoded otherwise; cut with the full length reported.

#include "ConverterTestSupport.h"

#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

const ProcessEncodings UTF8_APPLICATION = {ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8};
const ProcessEncodings CP1252_APPLICATION = {ENC_CP1252, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8};
const ProcessEncodings UTF8_DRIVER_MANAGER = {ENC_UTF8, ENC_UTF8, ENC_UTF8, ENC_UTF8};
const ProcessEncodings UTF16_DATABASE = {ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF16_LE};
const ProcessEncodings UTF16BE_EVERYWHERE = {ENC_UTF8, ENC_UTF16_BE, ENC_UTF8, ENC_UTF16_BE};
const ProcessEncodings UTF32_EVERYWHERE = {ENC_UTF8, ENC_UTF32_LE, ENC_UTF8, ENC_UTF32_LE};

/// "<posted> | <length> | <buffer in hexadecimal>", the buffer "untouched" when not written.
std::string Outcome(const KernelRun& in_run)
{
    EXPECT_TRUE(in_run.clean) << "written outside the buffer";
    return in_run.posted + " | " + std::to_string(in_run.length) + " | "
        + (in_run.untouched ? std::string("untouched") : HexOf(in_run));
}

class CharacterConvertersTest : public EncodingsRestored
{
};

} // namespace

TEST_F(CharacterConvertersTest, TheEncodingsChooseBetweenCopyAndTranscoding)
{
    const struct
    {
        const char* name;
        ProcessEncodings encodings;
        TDWType source;
        std::string text;
        TDWType target;
        int64_t bufferSize;
        std::string expected;
    } cases[] = {
        // A copy moves the bytes as they are, and may cut inside a character.
        {"UTF-8 for UTF-8, fits", UTF8_APPLICATION, TDW_SQL_VARCHAR, "a\xC3\xA9", TDW_C_CHAR, 5, " | 3 | 61C3A900CD"},
        {"UTF-8 for UTF-8, cut", UTF8_APPLICATION, TDW_SQL_VARCHAR, "\xC3\xA9", TDW_C_CHAR, 2,
         "StrRightTrunc | 2 | C300"},
        {"UTF-8 for UTF-8, long", UTF8_APPLICATION, TDW_SQL_LONGVARCHAR, "abcdefgh", TDW_C_CHAR, 4,
         "StrRightTrunc | 8 | 61626300"},
        // Transcoding writes whole characters and reports the length of the whole text.
        {"UTF-8 for cp1252", CP1252_APPLICATION, TDW_SQL_VARCHAR, "a\xC3\xA9", TDW_C_CHAR, 4, " | 2 | 61E900CD"},
        {"UTF-8 for cp1252, 12 into 10", CP1252_APPLICATION, TDW_SQL_CHAR, "abcdefghijkl", TDW_C_CHAR, 10,
         "StrRightTrunc | 12 | 61626364656667686900"},
        {"UTF-8 for cp1252, cut before a character", CP1252_APPLICATION, TDW_SQL_VARCHAR, "a\xC3\xA9", TDW_C_CHAR, 2,
         "StrRightTrunc | 2 | 6100"},
        {"narrow data into UTF-16LE", UTF8_APPLICATION, TDW_SQL_VARCHAR, "a\xC3\xA9", TDW_C_WCHAR, 8,
         " | 4 | 6100E9000000CDCD"},
        {"wide data into UTF-16LE", CP1252_APPLICATION, TDW_SQL_WVARCHAR, "a\xC3\xA9", TDW_C_WCHAR, 8,
         " | 4 | 6100E9000000CDCD"},
        {"wide data into UTF-16LE, cut", UTF8_APPLICATION, TDW_SQL_WCHAR, "abcdef", TDW_C_WCHAR, 6,
         "StrRightTrunc | 12 | 610062000000"},
        {"wide data into a narrow buffer", CP1252_APPLICATION, TDW_SQL_WLONGVARCHAR, "\xC3\xA9", TDW_C_CHAR, 2,
         " | 1 | E900"},
        // The same encoding on both sides of a wide buffer is copied by its code units; bytes
        // that no transcoder would take pass unchanged.
        {"UTF-8 driver manager", UTF8_DRIVER_MANAGER, TDW_SQL_WVARCHAR, "\xC3\xA9", TDW_C_WCHAR, 2,
         "StrRightTrunc | 2 | C300"},
        {"UTF-16LE database, one unit of room", UTF16_DATABASE, TDW_SQL_WVARCHAR, std::string("a\0b\0", 4),
         TDW_C_WCHAR, 5, "StrRightTrunc | 4 | 61000000CD"},
        {"UTF-16BE on both sides", UTF16BE_EVERYWHERE, TDW_SQL_WCHAR, std::string("\xD8\x00", 2), TDW_C_WCHAR, 4,
         " | 2 | D8000000"},
        {"UTF-32LE on both sides", UTF32_EVERYWHERE, TDW_SQL_WCHAR, "\xFF\xFF\xFF\xFF", TDW_C_WCHAR, 10,
         " | 4 | FFFFFFFF00000000CDCD"},
        // A buffer without room for a terminator gets nothing; the length is still the text's.
        {"copy into 0 bytes", UTF8_APPLICATION, TDW_SQL_VARCHAR, "abc", TDW_C_CHAR, 0, "StrRightTrunc | 3 | untouched"},
        {"transcoding into 0 bytes", CP1252_APPLICATION, TDW_SQL_VARCHAR, "abc", TDW_C_CHAR, 0,
         "StrRightTrunc | 3 | untouched"},
        {"2-byte copy into 1 byte", UTF16_DATABASE, TDW_SQL_WVARCHAR, std::string("a\0", 2), TDW_C_WCHAR, 1,
         "StrRightTrunc | 2 | untouched"},
        {"UTF-16 transcoding into 1 byte", UTF8_APPLICATION, TDW_SQL_VARCHAR, "abc", TDW_C_WCHAR, 1,
         "StrRightTrunc | 6 | untouched"},
        // Without a buffer the length of the whole text comes back, and nothing is posted.
        {"copy without a buffer", UTF8_APPLICATION, TDW_SQL_VARCHAR, "abcdefghijkl", TDW_C_CHAR, -1,
         " | 12 | untouched"},
        {"transcoding without a buffer", CP1252_APPLICATION, TDW_SQL_VARCHAR, "abcdefghijk\xC3\xA9", TDW_C_CHAR, -1,
         " | 12 | untouched"},
        {"UTF-16 without a buffer", UTF8_APPLICATION, TDW_SQL_WVARCHAR, "abc", TDW_C_WCHAR, -1, " | 6 | untouched"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.encodings.Install();
        BoundColumn column(c.source, c.target, c.bufferSize < 0 ? 64 : c.bufferSize);
        EXPECT_EQ(c.expected, Outcome(column.Convert(c.text, c.bufferSize)));
    }
}

TEST_F(CharacterConvertersTest, DefaultBufferTakesTheEncodingOfTheSourcesKind)
{
    const struct
    {
        const char* name;
        ProcessEncodings encodings;
        TDWType source;
        std::string expected;
    } cases[] = {
        {"wide data, UTF-16LE driver manager", CP1252_APPLICATION, TDW_SQL_WVARCHAR, " | 4 | 6100E9000000CDCD"},
        {"wide data, UTF-8 driver manager", UTF8_DRIVER_MANAGER, TDW_SQL_WVARCHAR, " | 3 | 61C3A900CDCDCDCD"},
        {"narrow data, UTF-8 application", UTF8_APPLICATION, TDW_SQL_VARCHAR, " | 3 | 61C3A900CDCDCDCD"},
        {"narrow data, cp1252 application", CP1252_APPLICATION, TDW_SQL_VARCHAR, " | 2 | 61E900CDCDCDCDCD"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.encodings.Install();
        BoundColumn column(c.source, TDW_C_DEFAULT, 8);
        EXPECT_EQ(c.expected, Outcome(column.Convert("a\xC3\xA9", 8)));
    }
}

TEST_F(CharacterConvertersTest, ABuffersOwnEncodingCountsOnlyWhenTheTextIsTranscoded)
{
    // The buffers were described under another driver-manager encoding than the one in force
    // when their converters are made.
    UTF32_EVERYWHERE.Install();
    BoundColumn transcoded(TDW_SQL_VARCHAR, TDW_C_WCHAR, 12);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    EXPECT_EQ(" | 4 | 6100000000000000CDCDCDCD", Outcome(transcoded.Convert("a", 12)));

    UTF8_APPLICATION.Install();
    BoundColumn copied(TDW_SQL_VARCHAR, TDW_C_WCHAR, 8);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF8);
    EXPECT_EQ(" | 3 | 61C3A900CDCDCDCD", Outcome(copied.Convert("a\xC3\xA9", 8)));
}

TEST_F(CharacterConvertersTest, ATranscodingConverterServesValueAfterValue)
{
    CP1252_APPLICATION.Install();
    BoundColumn column(TDW_SQL_VARCHAR, TDW_C_CHAR, 4);
    EXPECT_EQ(" | 3 | 61626300", Outcome(column.Convert("abc", 4)));
    EXPECT_EQ("StrRightTrunc | 5 | E9E9E900", Outcome(column.Convert("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 4)));
    EXPECT_EQ(" | 0 | 00CDCDCD", Outcome(column.Convert("", 4)));
    EXPECT_EQ("", column.ConvertNull(4).posted);
    EXPECT_EQ(" | 1 | 7A00CDCD", Outcome(column.Convert("z", 4)));
}
