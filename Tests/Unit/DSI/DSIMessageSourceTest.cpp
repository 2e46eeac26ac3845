#include "DSI/Client/DSIMessageFileReader.h"
#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIException.h"

#include "DriverSettings.h"
#include "TestDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using Orvik::Support::orvik_wstring;
using Orvik::Testing::DriverSettings;
using Orvik::Testing::PublishedDriver;
using Orvik::Testing::TestDriver;
using Orvik::Testing::WriteTextFile;

namespace {

std::string SdkFile(const char* in_text)
{
    return std::string(R"(<M><Package ID="1" DefaultComponent="ODBC">)"
                       R"(<Error Key="InvalidCursorState" NativeErrorCode="10">)") +
           in_text + R"(</Error><Error Key="Value" Params="2" NativeErrorCode="11">Value %1% is out of range %2%.</Error>)"
                     R"(</Package></M>)";
}

const char* const PELTA_FILE = R"(<M><Package ID="117" DefaultComponent="Pelta">)"
                               R"(<Error Key="PeltaAPIErr" Params="1" NativeErrorCode="40">Server request failed: %1%</Error>)"
                               R"(</Package></M>)";

class MessageSourceTest : public ::testing::Test
{
protected:
    MessageSourceTest()
    {
        std::filesystem::create_directories(m_directory + "en-US");
        m_settings.Use(DriverSettings::Value("ERRORMESSAGESPATH", m_settings.Directory() / "messages"));
        WriteTextFile(m_directory + "en-US/ODBCMessages.xml", SdkFile("Invalid cursor state."));
        WriteTextFile(m_directory + "en-US/PeltaMessages.xml", PELTA_FILE);
        m_source.RegisterMessages("PeltaMessages", 117);
        m_source.SetVendorName(u"Pelta");
    }

    // "code|text" of one lookup, with parameters when any are given.
    std::string Load(const std::string& in_locale, const char16_t* in_key, int32_t in_componentId,
                     const std::vector<orvik_wstring>& in_parameters = {})
    {
        orvik_wstring text;
        uint32_t code = 0;
        if (in_parameters.empty())
        {
            m_source.LoadMessage(in_locale, in_key, in_componentId, text, code);
        }
        else
        {
            m_source.LoadMessage(in_locale, in_key, in_componentId, in_parameters, text, code);
        }
        return std::to_string(static_cast<int32_t>(code)) + "|" + text.GetAsUTF8();
    }

    DriverSettings m_settings;
    const std::string m_directory = m_settings.Directory() / "messages/";
    DSIMessageSource m_source{ true };
};

} // namespace

TEST_F(MessageSourceTest, FoundTextsStartWithTheVendor)
{
    EXPECT_EQ("10|[Pelta][ODBC] (10) Invalid cursor state.", Load("en-US", u"InvalidCursorState", 1));
    EXPECT_EQ("40|[Pelta][Pelta] (40) Server request failed: refused", Load("en-US", u"PeltaAPIErr", 117, { u"refused" }));
    EXPECT_EQ(10u, m_source.GetNativeErrorCode(u"InvalidCursorState", 1));

    DSIMessageSource plain(false);
    orvik_wstring text;
    plain.LoadMessage("en-US", u"InvalidCursorState", 1, text);
    EXPECT_EQ("[ODBC] (10) Invalid cursor state.", text.GetAsUTF8());
}

TEST_F(MessageSourceTest, FallbackTextsForUnknownComponentsKeysAndFiles)
{
    EXPECT_EQ("-1|[DSI] Invalid source component ID: 99", Load("de-DE", u"InvalidCursorState", 99));
    EXPECT_EQ("-1|[DSI]: Error message not found: Missing", Load("en-US", u"Missing", 1));
    EXPECT_EQ("-1|[DSI]: Error message not found: Missing", Load("en-US", u"Missing", 1, { u"p" }))
        << "a fallback text is not substituted";
    EXPECT_EQ("-1|[DSI] The error message K could not be found in the en-US locale. Check that " + m_directory +
                  "en-US/SQLEngineMessages.xml exists.",
              Load("en-US", u"K", 4));
}

TEST_F(MessageSourceTest, EveryComponentFallsBackToEnUs)
{
    EXPECT_EQ("10|[Pelta][ODBC] (10) Invalid cursor state.", Load("de-DE", u"InvalidCursorState", 1));
    // A locale without the back end's file still shows the back end's error.
    EXPECT_EQ("40|[Pelta][Pelta] (40) Server request failed: refused", Load("de-DE", u"PeltaAPIErr", 117, {u"refused"}));
    EXPECT_EQ("-1|[DSI]: Error message not found: Missing", Load("de-DE", u"Missing", 117));

    // The en-US texts were cached under de-DE: a German file written now is not read for them.
    std::filesystem::create_directories(m_directory + "de-DE");
    WriteTextFile(m_directory + "de-DE/ODBCMessages.xml", SdkFile("Ungültiger Cursorstatus."));
    EXPECT_EQ("10|[Pelta][ODBC] (10) Invalid cursor state.", Load("de-DE", u"InvalidCursorState", 1));
    WriteTextFile(m_directory + "de-DE/PeltaMessages.xml",
                  R"(<M><Package ID="117"><Error Key="Other" NativeErrorCode="41">Anderer Fehler</Error></Package></M>)");
    EXPECT_EQ("40|[Pelta][Pelta] (40) Server request failed: %1%", Load("de-DE", u"PeltaAPIErr", 117));
    EXPECT_EQ("41|[Pelta](41) Anderer Fehler", Load("de-DE", u"Other", 117))
        << "the back end's file of the locale is tried again until it opens";
}

TEST_F(MessageSourceTest, AFoundMessageIsReadOnceAndAMissingOneEachTime)
{
    EXPECT_EQ("10|[Pelta][ODBC] (10) Invalid cursor state.", Load("en-US", u"InvalidCursorState", 1));
    EXPECT_EQ("-1|[DSI]: Error message not found: Later", Load("en-US", u"Later", 1));
    // Rewritten in place: the reader's open file sees the new text from its start.
    WriteTextFile(m_directory + "en-US/ODBCMessages.xml",
                  R"(<M><Package ID="1"><Error Key="InvalidCursorState" NativeErrorCode="12">changed</Error>)"
                  R"(<Error Key="Later" NativeErrorCode="13">now here</Error></Package></M>)");
    EXPECT_EQ("10|[Pelta][ODBC] (10) Invalid cursor state.", Load("en-US", u"InvalidCursorState", 1));
    EXPECT_EQ("13|[Pelta](13) now here", Load("en-US", u"Later", 1));
}

TEST_F(MessageSourceTest, ParametersReplaceTheirMarkersWithWarnings)
{
    TestDriver driver;
    PublishedDriver published(driver);
    const struct
    {
        const char16_t* m_text;
        const char16_t* m_parameter;
        const char* m_result;
        const char* m_warning;
    } cases[] = {
        { u"Value %1% is out of range %2%.", u"x", "Value x is out of range %2%.",
          "WARN  DSIMessageSource::GetParmeterizedMessage: The parameter with index = 1 is out of range in error "
          "message Value %1% is out of range %2%.\n." },
        { u"100% sure, %1%", u"y", "100% sure, y", nullptr },
        { u"%1% and %1%", u"z", "z and z",
          "WARN  DSIMessageSource::GetParmeterizedMessage: The parameter with index = 0 has been used multiple times "
          "in error                             message %1% and %1%\n." },
        { u"no markers", u"z", "no markers",
          "WARN  DSIMessageSource::GetParmeterizedMessage: The parameter with index = 0 has not been used in error "
          "message no markers\n." },
        { u"(9) 50%% off %0% %-3% %x%1%", u"w", "(9) 50%% off %0% %-3% %xw",
          "WARN  DSIMessageSource::GetParmeterizedMessage: The parameter with index = -4 is out of range in error "
          "message (9)\n." },
    };
    for (const auto& c : cases)
    {
        driver.m_log.m_entries.clear();
        EXPECT_EQ(c.m_result, m_source.GetParmeterizedMessage(c.m_text, { c.m_parameter }).GetAsUTF8());
        const std::vector<std::string> expected =
            c.m_warning == nullptr ? std::vector<std::string>{} : std::vector<std::string>{ c.m_warning };
        EXPECT_EQ(expected, driver.m_log.m_entries) << c.m_result;
    }
    EXPECT_EQ("11|[Pelta][ODBC] (11) Value 7 is out of range 1..5.", Load("en-US", u"Value", 1, { u"7", u"1..5" }));
}

TEST_F(MessageSourceTest, AFileErrorIsLoggedAndRaisedAgain)
{
    TestDriver driver;
    PublishedDriver published(driver);
    WriteTextFile(m_directory + "en-US/ODBCMessages.xml",
                  R"(<M><Package ID="2"><Error Key="K" NativeErrorCode="x">t</Error></Package></M>)");
    orvik_wstring text;
    uint32_t code = 0;
    EXPECT_THROW(m_source.LoadMessage("en-US", u"K", 2, { u"a", u"b" }, text, code), Orvik::Support::ErrorException);
    EXPECT_EQ(std::vector<std::string>{ "ERROR DSIMessageSource::LoadMessage: Error occurred while attempting to "
                                        "load message with key 'K' and arguments [a, b] for locale 'en-US' in "
                                        "component 2." },
              driver.m_log.m_entries);
}

TEST_F(MessageSourceTest, TheLogWritesAnExceptionWithItsTextInTheLogLocale)
{
    TestDriver driver;
    driver.GetMessageSource()->SetVendorName(u"Pelta");
    PublishedDriver published(driver);
    driver.m_log.SetLocale("de-DE");
    driver.m_log.LogErrorException("Orvik::DSI", "C", "M", DSIException(u"InvalidCursorState"));
    driver.m_log.LogErrorException("Orvik::DSI", "C", "M",
                                   Orvik::Support::ErrorException(Orvik::Support::DIAG_GENERAL_ERROR, 1,
                                                                  u"InvalidCursorState", { u"unused" }, -1, -1));
    ASSERT_EQ(3u, driver.m_log.m_entries.size());
    EXPECT_EQ("ERROR C::M: [DSI]: Error message not found: InvalidCursorState", driver.m_log.m_entries[0])
        << "component 2 has no such message";
    EXPECT_EQ("WARN  DSIMessageSource::GetParmeterizedMessage: The parameter with index = 0 has not been used in "
              "error message [Pelta][ODBC] (10)\n.",
              driver.m_log.m_entries[1]);
    EXPECT_EQ("ERROR C::M: [Pelta][ODBC] (10) Invalid cursor state.", driver.m_log.m_entries[2]);
}

TEST_F(MessageSourceTest, AMessageThatCannotBeMadeIsLoggedByItsDescription)
{
    TestDriver driver;
    PublishedDriver published(driver);
    WriteTextFile(m_directory + "en-US/ODBCMessages.xml",
                  R"(<M><Package ID="2"><Error Key="K" NativeErrorCode="x">t</Error></Package></M>)");
    EXPECT_NO_THROW(driver.m_log.LogErrorException("Orvik::DSI", "C", "M", DSIException(u"K")));
    ASSERT_FALSE(driver.m_log.m_entries.empty());
    EXPECT_EQ("ERROR C::M: Unformatted ErrorException: {MessageKey=\"K\" ComponentID=2' RowNumber=UNKNOWN "
              "ColumnNumber=UNKNOWN DiagState=63}",
              driver.m_log.m_entries.back());
}
