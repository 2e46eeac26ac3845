#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Strings/WStringHelper.h"
#include "Support/DiagState.h"
#include "Support/DriverManagerStringConverter.h"
#include "Support/ErrorException.h"
#include "Support/Platform.h"

#include "FakeMessageSource.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Platform;

namespace {

// A driver manager encoding of UTF-16 and a running platform, as the driver has them.
class WStringHelperTest : public EncodingsRestored
{
protected:
    ~WStringHelperTest() override { Platform::UninitializePlatform(); }

    IDriverManagerStringConverter& Converter(EncodingType in_encoding)
    {
        return in_encoding == ENC_UTF16_LE ? m_platform->GetEncodingConverter() : m_utf8;
    }

private:
    static Platform* StartPlatform()
    {
        orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
        return Platform::InitializePlatform(false);
    }

    Platform* m_platform = StartPlatform();
    DriverManagerStringConverter m_utf8{ENC_UTF8, m_platform->GetStringConverter()};
};

struct CopyCase
{
    EncodingType m_encoding;
    const char16_t* m_text; // null: the null string
    bool m_inChars;
    int32_t m_bufferLength;
    const char16_t* m_written; // null: nothing written
    int32_t m_length;
    bool m_truncated;
};

const CopyCase COPY_CASES[] = {
    {ENC_UTF16_LE, u"abc", true, 4, u"abc", 3, false},
    {ENC_UTF16_LE, u"abc", true, 3, u"ab", 3, true},
    {ENC_UTF16_LE, u"abc", false, 8, u"abc", 6, false},
    {ENC_UTF16_LE, u"abc", false, 7, u"ab", 6, true},
    {ENC_UTF16_LE, u"abc", false, 1, nullptr, 6, true},
    {ENC_UTF16_LE, u"abc", true, 0, nullptr, 3, true},
    {ENC_UTF16_LE, u"", true, 0, nullptr, 0, true},
    {ENC_UTF16_LE, u"", true, 1, u"", 0, false},
    {ENC_UTF16_LE, nullptr, true, 4, u"", 0, false},
    {ENC_UTF16_LE, nullptr, true, 0, nullptr, 0, true},
    // A surrogate pair is written whole or not at all.
    {ENC_UTF16_LE, u"a\U0001F600", true, 3, u"a", 3, true},
    {ENC_UTF16_LE, u"a\U0001F600", true, 4, u"a\U0001F600", 3, false},
    {ENC_UTF16_LE, u"a\U0001F600", false, 7, u"a", 6, true},
    {ENC_UTF8, u"abc", true, 4, u"abc", 3, false},
    {ENC_UTF8, u"abc", true, 3, u"ab", 3, true},
    {ENC_UTF8, u"a\u00e9", true, 3, u"a", 3, true},
    {ENC_UTF8, u"a\u00e9", false, 4, u"a\u00e9", 3, false},
    {ENC_UTF8, u"\u20acx", true, 3, u"", 4, true},
    {ENC_UTF8, nullptr, false, 1, u"", 0, false},
};

constexpr int BUFFER_SIZE = 32;
constexpr char UNTOUCHED = 0x7f;

std::string Show(const CopyCase& in_case)
{
    return std::string(in_case.m_encoding == ENC_UTF8 ? "UTF-8 " : "UTF-16 ") +
           (in_case.m_text == nullptr ? "<null>" : orvik_wstring(in_case.m_text).GetAsUTF8()) + " into " +
           std::to_string(in_case.m_bufferLength) + (in_case.m_inChars ? " characters" : " bytes");
}

TEST_F(WStringHelperTest, WholeCharactersTerminatorAndFullLength)
{
    for (const CopyCase& testCase : COPY_CASES)
    {
        char buffer[BUFFER_SIZE];
        std::fill_n(buffer, BUFFER_SIZE, UNTOUCHED);
        const orvik_wstring text = testCase.m_text == nullptr ? orvik_wstring() : orvik_wstring(testCase.m_text);
        int32_t length = -1;
        bool truncated = !testCase.m_truncated;
        const int32_t returned =
            WStringHelper::CopyToBufferLen32(text, testCase.m_inChars, buffer, testCase.m_bufferLength, &length, nullptr,
                                             &truncated, &Converter(testCase.m_encoding));
        EXPECT_EQ(testCase.m_length, length) << Show(testCase);
        EXPECT_EQ(testCase.m_length, returned) << Show(testCase);
        EXPECT_EQ(testCase.m_truncated, truncated) << Show(testCase);
        const int unit = testCase.m_encoding == ENC_UTF8 ? 1 : 2;
        const int capacity = testCase.m_bufferLength * (testCase.m_inChars ? unit : 1);
        std::string expected;
        if (testCase.m_written != nullptr)
        {
            expected = orvik_wstring(testCase.m_written).GetAsString(testCase.m_encoding) + std::string(unit, '\0');
        }
        EXPECT_EQ(expected, std::string(buffer, expected.size())) << Show(testCase);
        // Nothing beyond the buffer the application gave.
        EXPECT_EQ(std::string(BUFFER_SIZE - capacity, UNTOUCHED), std::string(buffer + capacity, BUFFER_SIZE - capacity))
            << Show(testCase);
    }
}

TEST_F(WStringHelperTest, ANullBufferTakesNothingAndStillReportsTheLength)
{
    int16_t length = -1;
    bool truncated = true;
    WStringHelper::CopyToBufferLen16(u"abcd", false, nullptr, 2, &length, nullptr, &truncated);
    EXPECT_EQ(8, length);
    EXPECT_FALSE(truncated);
    // A negative length does not matter when there is no buffer.
    WStringHelper::CopyToBufferLen16(u"abcd", true, nullptr, -5, &length, nullptr, &truncated);
    EXPECT_EQ(4, length);
}

TEST_F(WStringHelperTest, NegativeLengthsAreRefusedAndAnOutputBufferIsNeverMeasured)
{
    for (int32_t bufferLength : {-5, NUL_TERMINATED})
    {
        // A terminated text already in the buffer must not make it count as room.
        char16_t buffer[8] = {u'o', u'l', u'd', u'x', u'x', u'x', u'x', 0};
        try
        {
            WStringHelper::CopyToBuffer(u"new text", true, buffer, bufferLength, nullptr, nullptr);
            ADD_FAILURE() << bufferLength;
        }
        catch (const ErrorException& e)
        {
            EXPECT_EQ("HY090", std::string(GetSqlStateForDiagState(e.GetDiagState()).GetText()));
            EXPECT_EQ("InvalidStrOrBuffLen", e.GetMessageKey().GetAsUTF8());
        }
        EXPECT_EQ(std::u16string(u"oldxxxx"), std::u16string(buffer));
    }
}

TEST_F(WStringHelperTest, ACutTextWarnsTheDiagnosticsGiven)
{
    Orvik::Testing::FakeMessageSource messages;
    DiagManager diagnostics(&messages, u"", u"");
    char16_t buffer[4];
    WStringHelper::CopyToBuffer(u"abc", true, buffer, 4, &diagnostics, nullptr);
    EXPECT_EQ(0, diagnostics.GetRecordCount());
    WStringHelper::CopyToBuffer(u"abcd", true, buffer, 4, &diagnostics, nullptr);
    ASSERT_EQ(1, diagnostics.GetRecordCount());
    EXPECT_TRUE(diagnostics.HasWarning());
    EXPECT_TRUE(diagnostics.HasRecordWithState(SqlState("01004")));
}

} // namespace
