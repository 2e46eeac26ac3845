#include "DSI/Client/DSIMessageCache.h"
#include "DSI/Client/DSIMessageFileReader.h"
#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIException.h"
#include "Support/ErrorException.h"

#include "DriverSettings.h"
#include "TestDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace Orvik::DSI;
using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;
using Orvik::Testing::DriverSettings;
using Orvik::Testing::PublishedDriver;
using Orvik::Testing::TestDriver;
using Orvik::Testing::WriteTextFile;

namespace {

const char* const ODBC_FILE = R"(<?xml version="1.0" encoding="UTF-8"?>
<Messages>
  <Package ID="1" DefaultComponent="ODBC">
    <Error Key="InvalidCursorState" Params="0" NativeErrorCode="10">Invalid cursor state.</Error>
  </Package>
  <Package ID="2" DefaultComponent="DSI">
    <Error Key="FuncNotSupported" NativeErrorCode="20">Optional feature not supported.</Error>
    <Error Key="NoComponent" Component="" NativeErrorCode="21">Without a component.</Error>
    <Error Key="OwnComponent" Component="Engine" NativeErrorCode="22">With its own component.</Error>
    <Error Key="TwoLines" NativeErrorCode="23">First line
second line</Error>
    <Error Key="Nested" NativeErrorCode="24">Before <b>bold</b> after</Error>
    <Error Key="Twice" NativeErrorCode="25">First one.</Error>
    <Error Key="Twice" NativeErrorCode="26">Second one.</Error>
    <Error Key="NoCode">Has no native code.</Error>
    <Error Key="Value" Params="2" NativeErrorCode="27">Value %1% is out of range %2%.</Error>
    <Error Key="Unicode" NativeErrorCode="28">Grüße – 完了</Error>
  </Package>
</Messages>
)";

// Reads one message as "code|text" (code -1 when not found), noting when the file could not
// be opened.
std::string Read(DSIMessageFileReader& io_reader, const char16_t* in_key, int32_t in_componentId,
                 const std::string& in_locale = "en-US")
{
    orvik_wstring text;
    uint32_t code = 0;
    const bool opened = io_reader.Lookup(in_locale, in_key, in_componentId, text, code);
    return (opened ? "" : "unopened|") + std::to_string(static_cast<int32_t>(code)) + "|" + text.GetAsUTF8();
}

// The key of the error a lookup raises, or "none".
std::string RaisedKey(DSIMessageFileReader& io_reader, const char16_t* in_key, int32_t in_componentId)
{
    try
    {
        Read(io_reader, in_key, in_componentId);
        return "none";
    }
    catch (const ErrorException& error)
    {
        return error.GetMessageKey().GetAsUTF8();
    }
}

// A message directory of its own, named by the ERRORMESSAGESPATH setting.
class MessageFileTest : public ::testing::Test
{
protected:
    MessageFileTest()
    {
        std::filesystem::create_directories(m_directory + "en-US");
        m_settings.Use(DriverSettings::Value("ERRORMESSAGESPATH", m_settings.Directory() / "messages"));
    }

    void WriteMessages(const std::string& in_relativePath, const std::string& in_text)
    {
        WriteTextFile(m_directory + in_relativePath, in_text);
    }

    DriverSettings m_settings;
    const std::string m_directory = m_settings.Directory() / "messages/";
};

} // namespace

TEST_F(MessageFileTest, TextsCarryTheirComponentAndNativeCode)
{
    WriteMessages("en-US/ODBCMessages.xml", ODBC_FILE);
    DSIMessageFileReader reader("ODBCMessages", "en-US", true);
    EXPECT_EQ("10|[ODBC] (10) Invalid cursor state.", Read(reader, u"InvalidCursorState", 1));
    EXPECT_EQ("20|[DSI] (20) Optional feature not supported.", Read(reader, u"FuncNotSupported", 2));
    EXPECT_EQ("21|(21) Without a component.", Read(reader, u"NoComponent", 2));
    EXPECT_EQ("22|[Engine] (22) With its own component.", Read(reader, u"OwnComponent", 2));
    EXPECT_EQ("23|[DSI] (23) First line\nsecond line", Read(reader, u"TwoLines", 2));
    EXPECT_EQ("24|[DSI] (24) Before bold", Read(reader, u"Nested", 2)) << "a nested element ends the text";
    EXPECT_EQ("25|[DSI] (25) First one.", Read(reader, u"Twice", 2));
    EXPECT_EQ("28|[DSI] (28) Grüße – 完了", Read(reader, u"Unicode", 2));
    EXPECT_EQ("-1|[DSI]: Error message not found: NoCode", Read(reader, u"NoCode", 2));
    EXPECT_EQ("-1|[DSI]: Error message not found: invalidcursorstate", Read(reader, u"invalidcursorstate", 1));
    // Package 1 is not package 2: its messages stay unseen from component 2.
    EXPECT_EQ("-1|[DSI]: Error message not found: InvalidCursorState", Read(reader, u"InvalidCursorState", 2));

    DSIMessageFileReader plain("ODBCMessages", "en-US", false);
    EXPECT_EQ("20|(20) Optional feature not supported.", Read(plain, u"FuncNotSupported", 2));
}

TEST_F(MessageFileTest, TheDefaultComponentIsThatOfTheSelectedPackage)
{
    WriteMessages("en-US/PeltaMessages.xml", R"(<M>
      <Package ID="116" DefaultComponent="First"><Error Key="K" NativeErrorCode="1">in first</Error></Package>
      <Package ID="117" DefaultComponent="Second"><Error Key="L" NativeErrorCode="2">in second</Error></Package>
    </M>)");
    DSIMessageFileReader reader("PeltaMessages", "en-US", true);
    EXPECT_EQ("2|[Second] (2) in second", Read(reader, u"L", 117));
    EXPECT_EQ("-1|[DSI]: Error message not found: K", Read(reader, u"K", 117));
}

TEST_F(MessageFileTest, TheLocaleSubdirectoryComesFirstThenTheLocaleSuffix)
{
    DSIMessageFileReader reader("PeltaMessages", "de-DE", true);
    EXPECT_EQ("unopened|-1|[DSI] The error message K could not be found in the fr-FR locale. Check that " +
                  m_directory + "de-DE/PeltaMessages.xml exists.",
              Read(reader, u"K", 117, "fr-FR"));

    WriteMessages("PeltaMessages_de-DE.xml",
                  R"(<M><Package ID="117"><Error Key="K" NativeErrorCode="7">suffix</Error></Package></M>)");
    EXPECT_EQ("7|(7) suffix", Read(reader, u"K", 117)) << "a failed open is tried again";

    std::filesystem::create_directories(m_directory + "de-DE");
    WriteMessages("de-DE/PeltaMessages.xml",
                  R"(<M><Package ID="117"><Error Key="K" NativeErrorCode="8">subdirectory</Error></Package></M>)");
    DSIMessageFileReader fresh("PeltaMessages", "de-DE", true);
    EXPECT_EQ("8|(8) subdirectory", Read(fresh, u"K", 117));
}

TEST_F(MessageFileTest, AnOpenFileIsKeptAndRereadFromItsStart)
{
    WriteMessages("en-US/ODBCMessages.xml", ODBC_FILE);
    DSIMessageFileReader reader("ODBCMessages", "en-US", true);
    EXPECT_EQ("25|[DSI] (25) First one.", Read(reader, u"Twice", 2));
    std::filesystem::remove(m_directory + "en-US/ODBCMessages.xml");
    EXPECT_EQ("10|[ODBC] (10) Invalid cursor state.", Read(reader, u"InvalidCursorState", 1));
}

TEST_F(MessageFileTest, MalformedNumbersRaiseTheNumberConversionError)
{
    const struct
    {
        const char* m_file;
        const char* m_key;
    } cases[] = {
        { R"(<M><Package ID="2"><Error Key="K" NativeErrorCode="12x">t</Error></Package></M>)", "StrToNumConvFailed" },
        { R"(<M><Package ID="2"><Error Key="K" NativeErrorCode="99999999999">t</Error></Package></M>)",
          "StrToNumConvFailedOverflow" },
        { R"(<M><Package ID="2"><Error Key="K" Params="-1" NativeErrorCode="1">t</Error></Package></M>)",
          "StrToNumConvFailedUnsigned" },
        { R"(<M><Package ID="two"/><Package ID="2"><Error Key="K" NativeErrorCode="1">t</Error></Package></M>)",
          "StrToNumConvFailed" },
        // Numbers after the selected package or in other messages are never read.
        { R"(<M><Package ID="2"><Error Key="J" NativeErrorCode="x"/><Error Key="K" NativeErrorCode="1">t</Error></Package><Package ID="y"/></M>)",
          "none" },
    };
    for (const auto& c : cases)
    {
        WriteMessages("en-US/ODBCMessages.xml", c.m_file);
        DSIMessageFileReader reader("ODBCMessages", "en-US", true);
        EXPECT_EQ(c.m_key, RaisedKey(reader, u"K", 2)) << c.m_file;
    }
}

TEST_F(MessageFileTest, AParseErrorGivesItsTextOnlyInsideTheMessage)
{
    WriteMessages("en-US/ODBCMessages.xml", "<M><Package ID=\"2\">\n<Error Key=\"K\" NativeErrorCode=\"5\">broken <\n");
    DSIMessageFileReader broken("ODBCMessages", "en-US", true);
    EXPECT_EQ("5|[DSI] Parsing error occurred at line 2 of file '" + m_directory +
                  "ODBCMessages' while looking for message with ID 'K': not well-formed (invalid token)",
              Read(broken, u"K", 2));

    WriteMessages("en-US/PeltaMessages.xml", "<M><Package ID=\"117\"><<<");
    DSIMessageFileReader before("PeltaMessages", "en-US", true);
    EXPECT_EQ("-1|[DSI]: Error message not found: K", Read(before, u"K", 117));

    // Whatever follows a complete message is never parsed.
    WriteMessages("en-US/SQLEngineMessages.xml", "<M><Package ID=\"4\"><Error Key=\"K\" NativeErrorCode=\"3\">ok</Error><<<");
    DSIMessageFileReader after("SQLEngineMessages", "en-US", true);
    EXPECT_EQ("3|(3) ok", Read(after, u"K", 4));
}

TEST_F(MessageFileTest, AMessageEndingPastTheFirstChunkIsWhole)
{
    const std::string filler(20000, 'x');
    WriteMessages("en-US/ODBCMessages.xml", "<M><!-- " + filler + " --><Package ID=\"2\"><Error Key=\"K\" NativeErrorCode=\"9\">" +
                                                 filler + "</Error></Package></M>");
    DSIMessageFileReader reader("ODBCMessages", "en-US", true);
    EXPECT_EQ("9|(9) " + filler, Read(reader, u"K", 2));
}

TEST(MessageCacheTest, TheFirstEntryStays)
{
    DSIMessageCache cache;
    orvik_wstring text(u"untouched");
    uint32_t code = 77;
    EXPECT_FALSE(cache.Lookup("en-US", u"K", 2, text, code));
    EXPECT_EQ("untouched", text.GetAsUTF8());
    EXPECT_EQ(77u, code);

    cache.Insert("en-US", u"K", 2, u"first", 1);
    cache.Insert("en-US", u"K", 2, u"second", 2);
    cache.Insert("de-DE", u"K", 2, u"German", 3);
    ASSERT_TRUE(cache.Lookup("en-US", u"K", 2, text, code));
    EXPECT_EQ("first", text.GetAsUTF8());
    EXPECT_EQ(1u, code);
    EXPECT_FALSE(cache.Lookup("en-US", u"K", 3, text, code));
    EXPECT_FALSE(cache.Lookup("en-US", u"k", 2, text, code));
    ASSERT_TRUE(cache.Lookup("de-DE", u"K", 2, text, code));
    EXPECT_EQ("German", text.GetAsUTF8());
}
