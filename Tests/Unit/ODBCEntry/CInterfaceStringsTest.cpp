#include "ODBC/Dispatch/CInterface.h"
#include "Support/EncodingType.h"
#include "Support/ErrorException.h"
#include "Support/InvalidArgumentException.h"
#include "Support/SizedBuffer.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::Narrow;

namespace {

constexpr char16_t GUARD_UNIT = 0xAAAA;
constexpr char GUARD_BYTE = '#';

class CInterfaceStringsTest : public Orvik::Testing::EntryTest
{
};

/// UTF-16 units as UTF-8, the units past the text's terminator checked for being untouched.
std::string ShowUnits(const std::vector<char16_t>& in_units, size_t in_written)
{
    std::string shown = orvik_wstring(in_units.data(), static_cast<int32_t>(in_written)).GetAsUTF8();
    if (in_written < in_units.size() && in_units[in_written] != 0)
    {
        shown += "<no terminator>";
    }
    const size_t end = std::min(in_units.size(), in_written + 1);
    if (!std::all_of(in_units.begin() + end, in_units.end(), [](char16_t in_unit) { return in_unit == GUARD_UNIT; }))
    {
        shown += "<written past the text>";
    }
    return shown;
}

TEST_F(CInterfaceStringsTest, InputTextReachesTheWideBufferAsTheSameCharacters)
{
    const struct
    {
        EncodingType m_ansi;
        const char* m_text;
        SQLINTEGER m_length;
        int64_t m_bufferLength;
        bool m_inBytes;
        std::string m_expected;
    } cases[] = {
        { ENC_CP1252, "caf\xE9", SQL_NTS, 20, false, "café 4" },
        { ENC_UTF8, "caf\xC3\xA9", SQL_NTS, 20, false, "café 4" },
        { ENC_UTF8, "caf\xC3\xA9 au lait", 5, 20, false, "café 4" },
        { ENC_CP1252, "abcdef", SQL_NTS, 4, false, "abc 3 cut" },
        { ENC_CP1252, "abcdef", SQL_NTS, 8, true, "abc 6 cut" },
        // A character of two code units is taken whole or not at all.
        { ENC_UTF8, "a\xF0\x9F\x98\x80", SQL_NTS, 3, false, "a 1 cut" },
        { ENC_UTF8, "a\xF0\x9F\x98\x80", SQL_NTS, 4, false, "a\xF0\x9F\x98\x80 3" },
        // Text that is not valid in the application's encoding is refused, not given replacement
        // characters: the message names the first bad byte, from 1, and the encoding.
        { ENC_UTF8, "select '\xE9'", SQL_NTS, 20, false, "HY000 InputStringMalformed 9 UTF-8" },
        { ENC_UTF8, "ab\xE2\x82", SQL_NTS, 20, false, "HY000 InputStringMalformed 3 UTF-8" },
        { ENC_UTF8, "ab\xE2\x82\xAC", 4, 20, false, "HY000 InputStringMalformed 3 UTF-8" },
        { ENC_US_ASCII, "caf\xE9", SQL_NTS, 20, false, "HY000 InputStringMalformed 4 US-ASCII" },
    };
    for (const auto& c : cases)
    {
        orvik_wstring::InitializeAnsiEncoding(c.m_ansi);
        std::vector<char16_t> buffer(8, GUARD_UNIT);
        bool truncated = false;
        try
        {
            const int32_t count = CInterface::ConvertInputString(Narrow(c.m_text), c.m_length, buffer.data(),
                                                                 c.m_bufferLength, c.m_inBytes, truncated);
            const size_t units = c.m_inBytes ? count / 2 : count;
            EXPECT_EQ(c.m_expected, ShowUnits(buffer, units) + " " + std::to_string(count) + (truncated ? " cut" : ""))
                << c.m_text;
        }
        catch (const ErrorException& e)
        {
            EXPECT_EQ(DIAG_GENERAL_ERROR, e.GetDiagState());
            EXPECT_EQ(c.m_expected, "HY000 " + e.GetMessageKey().GetAsUTF8() + " " + e.GetParameters().at(0).GetAsUTF8()
                                        + " " + e.GetParameters().at(1).GetAsUTF8());
            EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](char16_t in_unit) { return in_unit == GUARD_UNIT; }))
                << "nothing is written of a refused text";
        }
    }
}

TEST_F(CInterfaceStringsTest, ANullInputWritesNothingAndLeavesTheFlag)
{
    char16_t buffer[2] = { GUARD_UNIT, GUARD_UNIT };
    bool truncated = true;
    EXPECT_EQ(0, CInterface::ConvertInputString(nullptr, SQL_NTS, buffer, 2, false, truncated));
    EXPECT_TRUE(truncated);
    EXPECT_EQ(GUARD_UNIT, buffer[0]);
}

TEST_F(CInterfaceStringsTest, OutputTextIsCutAtWholeCharactersWithItsFullLength)
{
    const struct
    {
        EncodingType m_ansi;
        const char16_t* m_text;
        SQLINTEGER m_length;
        bool m_lengthInBytes;
        int32_t m_bufferLength;
        std::string m_expected;
    } cases[] = {
        { ENC_UTF8, u"abcdefghij", SQL_NTS, false, 11, "abcdefghij 10" },
        { ENC_UTF8, u"abcdefghij", SQL_NTS, false, 10, "abcdefghi 10 cut" },
        { ENC_UTF8, u"abcdefghij", SQL_NTS, false, 0, "<nothing> 10 cut" },
        { ENC_UTF8, u"abcdefghij", 6, true, 20, "abc 3" },
        { ENC_UTF8, u"abcdefghij", 4, false, 20, "abcd 4" },
        // é takes two bytes in UTF-8 and one in cp1252: it is never split.
        { ENC_UTF8, u"aé", SQL_NTS, false, 3, "a 3 cut" },
        { ENC_UTF8, u"aé", SQL_NTS, false, 4, "aé 3" },
        { ENC_CP1252, u"aé", SQL_NTS, false, 3, "a\xE9 2" },
    };
    for (const auto& c : cases)
    {
        orvik_wstring::InitializeAnsiEncoding(c.m_ansi);
        char buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), GUARD_BYTE);
        int32_t length = -7;
        bool truncated = false;
        CInterface::ConvertOutputString(c.m_text, c.m_length, Narrow(buffer), c.m_bufferLength, &length,
                                        c.m_lengthInBytes, truncated);
        std::string shown = buffer[0] == GUARD_BYTE ? "<nothing>" : std::string(buffer);
        const size_t end = buffer[0] == GUARD_BYTE ? 0 : std::strlen(buffer) + 1;
        if (!std::all_of(buffer + end, std::end(buffer), [](char in_byte) { return in_byte == GUARD_BYTE; }))
        {
            shown += "<written past the text>";
        }
        EXPECT_EQ(c.m_expected, shown + " " + std::to_string(length) + (truncated ? " cut" : ""))
            << Show(orvik_wstring(c.m_text)) << " into " << c.m_bufferLength;
    }
}

TEST_F(CInterfaceStringsTest, ANullOutputBufferTakesNothingAndReportsNothing)
{
    int32_t length = -7;
    bool truncated = false;
    CInterface::ConvertOutputString(u"abc", SQL_NTS, nullptr, 10, &length, false, truncated);
    EXPECT_EQ(-7, length);
    EXPECT_FALSE(truncated);
}

TEST_F(CInterfaceStringsTest, AnOwnedCopyHoldsExactlyTheTextAndReusesItsArray)
{
    SizedBuffer owned;
    EXPECT_EQ(3, CInterface::CopyToOwnedBuffer(u"abc", SQL_NTS, owned));
    ASSERT_EQ(6u, owned.GetSize());
    EXPECT_EQ(0, std::memcmp(u"abc", owned.GetBuffer(), 6));
    const uint8_t* const array = owned.GetBuffer();
    EXPECT_EQ(3, CInterface::CopyToOwnedBuffer(u"xyz and more", 3, owned));
    EXPECT_EQ(array, owned.GetBuffer());
    EXPECT_EQ(0, std::memcmp(u"xyz", owned.GetBuffer(), 6));
    // An empty text still gives an array, so the call receives a pointer as the application gave.
    EXPECT_EQ(0, CInterface::CopyToOwnedBuffer(u"", 0, owned));
    EXPECT_NE(nullptr, owned.GetBuffer());
    EXPECT_THROW(CInterface::CopyToOwnedBuffer(nullptr, 3, owned), InvalidArgumentException);
    EXPECT_THROW(CInterface::CopyToOwnedBuffer(u"abc", -5, owned), InvalidArgumentException);
}

/// A task's own buffer as its wide call left it: the text and a terminator.
SizedBuffer TaskBuffer(const std::u16string& in_text)
{
    SizedBuffer buffer;
    const size_t bytes = (in_text.size() + 1) * 2;
    buffer.Resize(bytes);
    std::memcpy(buffer.GetBuffer(), in_text.c_str(), bytes);
    return buffer;
}

TEST_F(CInterfaceStringsTest, ACollectedTextIsCutToTheCollectingBufferAtWholeCharacters)
{
    const struct
    {
        std::u16string m_source;
        int64_t m_textLength;
        int64_t m_targetLength;
        bool m_inBytes;
        std::string m_expected;
    } cases[] = {
        { u"abcdefghij", 10, 200, false, "abcdefghij" },
        { u"abcdefghij", 10, 11, false, "abcdefghij" },
        { u"abcdefghij", 10, 10, false, "abcdefghi cut" },
        { u"abcdefghij", 10, 0, false, "<nothing> cut" },
        { u"abcdefghij", 20, 7, true, "ab cut" },
        // The call reported a longer text than it could write: what it wrote is all there is.
        { u"abcdefghij", 25, 200, false, "abcdefghij" },
        { u"a\U0001F600b", 4, 3, false, "a cut" },
    };
    for (const auto& c : cases)
    {
        const SizedBuffer source = TaskBuffer(c.m_source);
        std::vector<char16_t> target(12, GUARD_UNIT);
        bool truncated = false;
        CInterface::CopyTruncated(source, c.m_textLength, target.data(), c.m_targetLength, c.m_inBytes, truncated);
        const auto end = std::find(target.begin(), target.end(), char16_t(0));
        const std::string text = end == target.end() ? "<nothing>" : ShowUnits(target, end - target.begin());
        EXPECT_EQ(c.m_expected, text + (truncated ? " cut" : "")) << c.m_targetLength;
    }
    bool truncated = false;
    CInterface::CopyTruncated(TaskBuffer(u"abc"), 3, nullptr, 10, false, truncated);
    EXPECT_TRUE(truncated);
}

} // namespace
