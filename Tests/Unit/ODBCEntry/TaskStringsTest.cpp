#include "ODBC/Tasks/OwnedInputString.h"
#include "ODBC/Tasks/OwnedOutputString.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;

namespace {

class TaskStringsTest : public Orvik::Testing::EntryTest
{
};

std::string Show(const SQLWCHAR* in_text, int32_t in_length)
{
    if (in_text == nullptr)
    {
        return "<null>";
    }
    return orvik_wstring(reinterpret_cast<const char16_t*>(in_text), in_length).GetAsUTF8();
}

TEST_F(TaskStringsTest, AnInputReachesTheCallAsACopyWithItsLength)
{
    std::u16string application = u"select 1";
    const struct
    {
        SQLWCHAR* m_text;
        SQLSMALLINT m_length;
        std::string m_expected;
    } cases[] = {
        { Orvik::Testing::Wide(application.c_str()), SQL_NTS, "copy select 1 8" },
        { Orvik::Testing::Wide(application.c_str()), 6, "copy select 6" },
        { Orvik::Testing::Wide(application.c_str()), 0, "copy  0" },
        // Left for the call to judge, as on the application's thread.
        { nullptr, 5, "<null> 5" },
        { Orvik::Testing::Wide(application.c_str()), -7, "application select 1 -7" },
    };
    for (const auto& c : cases)
    {
        OwnedInputString owned;
        SQLWCHAR* text = c.m_text;
        SQLSMALLINT length = c.m_length;
        owned.Capture(text, length);
        std::string shown = text == nullptr ? "" : text == c.m_text ? "application " : "copy ";
        EXPECT_EQ(c.m_expected, shown + Show(text, length < 0 ? SQL_NTS : length) + " " + std::to_string(length));
    }
    // The call never reads the application's buffer afterwards.
    OwnedInputString owned;
    SQLWCHAR* text = Orvik::Testing::Wide(application.c_str());
    SQLINTEGER length = SQL_NTS;
    owned.Capture(text, length);
    application.assign(u"changed!");
    EXPECT_EQ("select 1", Show(text, length));
}

TEST_F(TaskStringsTest, ATextTooLongForA16BitLengthStaysTerminated)
{
    const std::u16string application(40000, u'x');
    OwnedInputString owned;
    SQLWCHAR* text = Orvik::Testing::Wide(application.c_str());
    SQLSMALLINT length = SQL_NTS;
    owned.Capture(text, length);
    EXPECT_NE(Orvik::Testing::Wide(application.c_str()), text);
    EXPECT_EQ(SQL_NTS, length);
    EXPECT_EQ(40000, orvik_wstring(reinterpret_cast<const char16_t*>(text)).GetLength());
}

TEST_F(TaskStringsTest, AnOutputIsRedirectedOnlyForABufferWithRoom)
{
    SQLWCHAR application[8];
    const struct
    {
        SQLWCHAR* m_buffer;
        SQLSMALLINT m_length;
        bool m_isRedirected;
    } cases[] = {
        { application, 8, true },
        { application, 0, false },
        { nullptr, 8, false },
    };
    for (const auto& c : cases)
    {
        OwnedOutputString owned;
        SQLWCHAR* buffer = c.m_buffer;
        owned.Capture(buffer, c.m_length, false);
        EXPECT_EQ(c.m_isRedirected, buffer != c.m_buffer) << c.m_length;
        if (c.m_isRedirected)
        {
            // Nothing written yet reads as an empty text.
            EXPECT_EQ(0, buffer[0]);
        }
    }
}

TEST_F(TaskStringsTest, ACollectedOutputWarnsOnlyWhenCutToASmallerBuffer)
{
    const struct
    {
        SQLSMALLINT m_collectingLength;
        bool m_hasBuffer;
        std::string m_expected;
    } cases[] = {
        { 200, true, "abcdefghijklmnopqrst" },
        { 10, true, "abcdefghi warn" },
        { 0, false, "<null>" },
    };
    for (const auto& c : cases)
    {
        OwnedOutputString owned;
        SQLWCHAR application[100];
        SQLWCHAR* buffer = application;
        owned.Capture(buffer, 100, false);
        std::memcpy(buffer, u"abcdefghijklmnopqrst", 42);
        SQLWCHAR collecting[200] = {};
        const bool warns = owned.CopyTo(c.m_hasBuffer ? collecting : nullptr, c.m_collectingLength, 20);
        EXPECT_EQ(c.m_expected, Show(c.m_hasBuffer ? collecting : nullptr, SQL_NTS) + (warns ? " warn" : ""));
    }
    // A text the call had to cut into the task's own buffer it reported itself.
    OwnedOutputString owned;
    SQLWCHAR application[5];
    SQLWCHAR* buffer = application;
    owned.Capture(buffer, 5, false);
    std::memcpy(buffer, u"abcd", 10);
    SQLWCHAR collecting[5] = {};
    EXPECT_FALSE(owned.CopyTo(collecting, 5, 20));
    EXPECT_EQ("abcd", Show(collecting, SQL_NTS));
}

} // namespace
