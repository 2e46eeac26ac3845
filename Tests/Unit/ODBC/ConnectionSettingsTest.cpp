#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Settings/ConnectionSettings.h"
#include "ODBC/Settings/ConnectionStringParser.h"
#include "Support/ErrorException.h"

#include "Common/PrivateOdbcProfile.h"
#include "Unit/ODBC/FakeDataStoreConnection.h"
#include "Unit/ODBC/FakeMessageSource.h"
#include "Unit/ODBC/StartedPlatform.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>

using namespace Orvik::ODBC;
using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;
using Orvik::Support::Variant;
using Orvik::Support::VariantMap;
using Orvik::Testing::FakeDataStoreConnection;
using Orvik::Testing::FakeMessageSource;
using Orvik::Testing::PrivateOdbcProfile;
using Orvik::Testing::ScriptedPromptProvider;
using Orvik::Testing::StartedPlatform;

namespace {

std::string Utf8(const orvik_wstring& in_text)
{
    return in_text.GetAsUTF8();
}

/// "KEY=value|KEY=value|" in map order.
std::string Describe(const VariantMap& in_map)
{
    std::string text;
    for (const auto& entry : in_map)
    {
        text += Utf8(entry.first) + "=" + entry.second.GetString() + "|";
    }
    return text;
}

/// The SQLSTATE and text of the error an action raises; "ok" when none.
template <typename Action>
std::string Outcome(Action in_action)
{
    try
    {
        in_action();
        return "ok";
    }
    catch (ErrorException& error)
    {
        FakeMessageSource messages;
        return std::string(Orvik::Support::GetSqlStateForDiagState(error.GetDiagState()).GetText()) + " " +
               Utf8(error.GetMessageText(&messages, ""));
    }
}

/// The string BuildOutConnectionString writes into a buffer of in_bufferLength characters, then
/// " (", "cut, " when it was cut, the full length it reported and ")".
std::string OutString(const ConnectionSettings& in_settings, SQLSMALLINT in_bufferLength = 1024)
{
    SQLWCHAR buffer[1024] = {};
    SQLSMALLINT length = -1;
    bool truncated = true;
    in_settings.BuildOutConnectionString(truncated, buffer, in_bufferLength, &length);
    const std::string text = Utf8(orvik_wstring(reinterpret_cast<const char16_t*>(buffer)));
    return text + (truncated ? " (cut, " : " (") + std::to_string(length) + ")";
}

/// What OutString gives for the ASCII string in_text written whole, or cut to in_kept characters.
std::string Whole(const std::string& in_text)
{
    return in_text + " (" + std::to_string(in_text.size()) + ")";
}

std::string Cut(const std::string& in_text, size_t in_kept)
{
    return in_text.substr(0, in_kept) + " (cut, " + std::to_string(in_text.size()) + ")";
}

struct GrammarCase
{
    const char16_t* m_input;
    const char* m_settings;    // map order; or the error
    const char* m_outputForms; // map order
    bool m_isDriverMode;
};

const GrammarCase GRAMMAR_CASES[] = {
    {u"DSN=a;DRIVER=b", "DRIVER=b|DSN=a|", "DRIVER=b|DSN=a|", false},
    {u"DRIVER={x};DSN=y", "DRIVER=x|DSN=y|", "DRIVER={x}|DSN=y|", true},
    {u"dsn=a;DSN=b;Dsn=c", "DSN=a|", "DSN=a|", false},
    {u"Servers=h:1", "SERVERS=h:1|", "SERVERS=h:1|", false},
    {u"PWD={a}}b;c};UID=u", "PWD=a}b;c|UID=u|", "PWD={a}}b;c}|UID=u|", false},
    {u"A={b}}}}}", "A=b}}|", "A={b}}}}}|", false},
    {u"KEY=abc ;", "KEY=abc |", "KEY=abc |", false},
    {u"  key  =  v w ", "KEY=v w |", "KEY=v w |", false},
    {u";; A=1 ; ;\tB=2;", "A=1 |B=2|", "A=1 |B=2|", false},
    {u"A={x} ;B={}", "A=x|B=|", "A={x}|B={}|", false},
    {u"A=;B=", "A=|B=|", "A=|B=|", false},
    {u"UID=caf\u00e9;DRIVER=d", "DRIVER=d|UID=caf\u00e9|", "DRIVER=d|UID=caf\u00e9|", true},
    {u"", "", "", false},
    // Only the separators' whitespace is trimmed from a key.
    {u"\x1d;A=1; B\x1d =2", "\x1d;A=1|B\x1d=2|", "\x1d;A=1|B\x1d=2|", false},
    {u"=x", "HY000 [1:InvalidConnStr]", "", false},
    {u"  =x", "HY000 [1:InvalidConnStr]", "", false},
    {u"KEY", "HY000 [1:InvalidConnStr]", "", false},
    {u"A=1;B", "HY000 [1:InvalidConnStr]", "", false},
    {u"PWD={unclosed", "HY000 [1:InvalidConnStr]", "", false},
    {u"PWD={a}}", "HY000 [1:InvalidConnStr]", "", false},
    {u"A={x}y;", "HY000 [1:InvalidConnStr]", "", false},
};

} // namespace

TEST(ConnectionStringParserTest, Grammar)
{
    for (const GrammarCase& test : GRAMMAR_CASES)
    {
        SCOPED_TRACE(Utf8(orvik_wstring(test.m_input)));
        VariantMap settings;
        VariantMap outputForms;
        bool isDriverMode = false;
        const std::string outcome =
            Outcome([&] { isDriverMode = ConnectionStringParser::Parse(orvik_wstring(test.m_input), settings, outputForms); });
        if (outcome != "ok")
        {
            EXPECT_EQ(test.m_settings, outcome);
            continue;
        }
        EXPECT_EQ(test.m_settings, Describe(settings));
        EXPECT_EQ(test.m_outputForms, Describe(outputForms));
        EXPECT_EQ(test.m_isDriverMode, isDriverMode);
    }
    VariantMap settings;
    VariantMap outputForms;
    EXPECT_EQ("HY000 [1:InvalidConnStr]",
              Outcome([&] { ConnectionStringParser::Parse(orvik_wstring(), settings, outputForms); }));
}

TEST(ConnectionStringParserTest, EscapedValues)
{
    const struct
    {
        const char16_t* m_value;
        const char* m_escaped;
    } cases[] = {
        {u"plain text", "plain text"}, {u"a}b", "{a}}b}"},   {u"h:1;h:2", "{h:1;h:2}"}, {u"a=b", "{a=b}"},
        {u"who@where", "{who@where}"}, {u"x!", "{x!}"},      {u"(x)", "{(x)}"},         {u"[x]", "{[x]}"},
        {u"{x", "{{x}"},               {u"a*b,c?", "{a*b,c?}"}, {u"", ""},
        // Leading whitespace would be skipped by the next reading; trailing whitespace is kept.
        {u" Driver", "{ Driver}"},     {u"\tx", "{\tx}"},     {u"x ", "x "},
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(test.m_escaped, Utf8(ConnectionStringParser::EscapeValue(orvik_wstring(test.m_value))));
    }
}

class ConnectionSettingsTest : public ::testing::Test
{
protected:
    ConnectionSettingsTest()
        : m_dataSource(PrivateOdbcProfile::UniqueName("SettingsDsn")),
          m_profile("[" + m_dataSource + "]\nDriver = Pelta\nServers = h:1\nDescription = From the profile\n")
    {
    }

    orvik_wstring DataSource() const { return orvik_wstring(m_dataSource); }

    StartedPlatform m_platform;
    std::string m_dataSource;
    PrivateOdbcProfile m_profile;
    FakeDataStoreConnection m_connection;
    FakeMessageSource m_messages;
    DiagManager m_diagnostics{&m_messages, u"", u""};
};

TEST_F(ConnectionSettingsTest, DataSourceStringsReadTheProfileAndDriverStringsDoNot)
{
    ConnectionSettings fromDsn(orvik_wstring(u"UID=me;DSN=") + DataSource() + orvik_wstring(u";Servers=mine:2"));
    EXPECT_FALSE(fromDsn.IsDriverMode());
    EXPECT_EQ("Description=From the profile|Driver=Pelta|DSN=" + m_dataSource + "|SERVERS=mine:2|UID=me|",
              Describe(fromDsn.GetSettings()));

    ConnectionSettings fromDriver(orvik_wstring(u"DRIVER={Pelta};DSN=") + DataSource());
    EXPECT_TRUE(fromDriver.IsDriverMode());
    EXPECT_EQ("DRIVER=Pelta|DSN=" + m_dataSource + "|", Describe(fromDriver.GetSettings()));

    ConnectionSettings fromConnect(DataSource(), orvik_wstring(u"me"), orvik_wstring());
    EXPECT_EQ("Description=From the profile|Driver=Pelta|DSN=" + m_dataSource + "|Servers=h:1|UID=me|",
              Describe(fromConnect.GetSettings()));

    ConnectionSettings unknown(orvik_wstring(u"DSN=") + orvik_wstring(PrivateOdbcProfile::UniqueName("NoSuchDsn")));
    EXPECT_EQ(1u, unknown.GetSettings().size());

    EXPECT_EQ("HY000 [1:InvalidConnStr]", Outcome([] { ConnectionSettings settings(orvik_wstring(u"UID=me;PWD=x")); }));
    EXPECT_EQ("HY000 [1:InvalidConnStr]", Outcome([] { ConnectionSettings settings{orvik_wstring()}; }));
}

TEST_F(ConnectionSettingsTest, CompletedStringLeadsWithDsnOrDriverAndEscapesSuppliedValues)
{
    m_connection.m_supplied = {{u"Token", u"a=b;c"}, {u"Zone", u"plain"}};
    ConnectionSettings settings(orvik_wstring(u"UID=me;PWD={a}}b;c};DSN=") + DataSource());
    settings.UpdateRequests(m_connection);

    ASSERT_TRUE(settings.IsComplete());
    EXPECT_EQ(Whole("DSN=" + m_dataSource + ";PWD={a}}b;c};Token={a=b;c};UID=me;Zone=plain;"), OutString(settings));
    EXPECT_EQ("a=b;c", settings.GetSettings()[orvik_wstring(u"TOKEN")].GetString());

    ConnectionSettings driver(orvik_wstring(u"UID=me;Servers=s;DRIVER={Pelta}"));
    driver.UpdateRequests(m_connection);
    const std::string completed = "DRIVER={Pelta};SERVERS=s;Token={a=b;c};UID=me;Zone=plain;";
    EXPECT_EQ(Whole(completed), OutString(driver));
    EXPECT_EQ(Cut(completed, 26), OutString(driver, 27));
    EXPECT_EQ(Cut(completed, 0), OutString(driver, 0));
}

TEST_F(ConnectionSettingsTest, RequestsAndTheBrowseRequestString)
{
    m_connection.m_required = {u"Servers", u"Account"};
    m_connection.m_optional = {u"Timeout", u"ReEntryTime"};
    ConnectionSettings settings(orvik_wstring(u"DRIVER=Pelta;UID=me"));
    settings.UpdateRequests(m_connection);

    EXPECT_FALSE(settings.IsComplete());
    EXPECT_EQ("{[Account] [Servers]}", Utf8(settings.ListMissingRequired()));
    EXPECT_EQ(Whole("Account:Account=?;Servers:Servers=?;*ReEntryTime:ReEntryTime=?;*Timeout:Timeout=?;"),
              OutString(settings));

    // A request for a setting already given is a conflict.
    m_connection.m_extraRequests = {{u"UID", Orvik::Support::ConnectionSettingKind::Required},
                                    {u"DRIVER", Orvik::Support::ConnectionSettingKind::Optional}};
    EXPECT_EQ("08001 [1:UnableToEstConn] ({[DRIVER] [UID]})", Outcome([&] { settings.UpdateRequests(m_connection); }));

    ConnectionSettings complete(orvik_wstring(u"DRIVER=Pelta;Servers=s;Account=a"));
    m_connection.m_extraRequests.clear();
    complete.UpdateRequests(m_connection);
    EXPECT_TRUE(complete.IsComplete());
    EXPECT_EQ("{}", Utf8(complete.ListMissingRequired()));
}

TEST_F(ConnectionSettingsTest, BrowseInputMustAnswerARequest)
{
    ConnectionSettings settings(orvik_wstring(u"DRIVER=Pelta"));
    settings.UpdateRequests(m_connection);

    EXPECT_FALSE(settings.MergeBrowseInput(m_diagnostics, orvik_wstring(u"")));
    EXPECT_FALSE(settings.MergeBrowseInput(m_diagnostics, orvik_wstring(u"Servers=s;Colour=red")));
    EXPECT_TRUE(m_diagnostics.HasRecordWithState(Orvik::Support::SqlState("01S00")));
    EXPECT_EQ("DRIVER=Pelta|", Describe(settings.GetSettings()));
    EXPECT_EQ("HY000 [1:InvalidConnStr]", Outcome([&] { settings.MergeBrowseInput(m_diagnostics, orvik_wstring(u"x")); }));

    EXPECT_TRUE(settings.MergeBrowseInput(m_diagnostics, orvik_wstring(u"servers={h:1;h:2};Timeout=5")));
    settings.UpdateRequests(m_connection);
    EXPECT_TRUE(settings.IsComplete());
    EXPECT_EQ(Whole("DRIVER=Pelta;SERVERS={h:1;h:2};TIMEOUT=5;"), OutString(settings));
}

TEST_F(ConnectionSettingsTest, BrowseInputWithAValueThatIsNotOffered)
{
    // A request that offers values accepts only those.
    m_connection.m_required.clear();
    m_connection.m_optional.clear();
    m_connection.m_extraRequests = {{u"Mode", Orvik::Support::ConnectionSettingKind::Required}};
    ConnectionSettings settings(orvik_wstring(u"DRIVER=Pelta"));
    settings.UpdateRequests(m_connection);
    ASSERT_EQ(Whole("Mode:Mode=?;"), OutString(settings));

    ConnectionSettings copy(settings);
    EXPECT_TRUE(copy.MergeBrowseInput(m_diagnostics, orvik_wstring(u"Mode=anything")));
    EXPECT_EQ("DRIVER=Pelta|", Describe(settings.GetSettings()));
    EXPECT_EQ("DRIVER=Pelta|MODE=anything|", Describe(copy.GetSettings()));
    EXPECT_FALSE(m_diagnostics.HasWarning());
}

TEST_F(ConnectionSettingsTest, ResetAndCredentialsRemoval)
{
    ConnectionSettings settings(orvik_wstring(u"DSN=") + DataSource() + orvik_wstring(u";UID=me;PWD=secret;Extra=1"));
    settings.RemoveCredentials();
    EXPECT_EQ("Description=From the profile|Driver=Pelta|DSN=" + m_dataSource + "|EXTRA=1|Servers=h:1|",
              Describe(settings.GetSettings()));

    settings.ResetToDriverOrDsn();
    settings.UpdateRequests(m_connection);
    EXPECT_EQ("Description=From the profile|Driver=Pelta|DSN=" + m_dataSource + "|Servers=h:1|",
              Describe(settings.GetSettings()));
    // Only what the settings still hold is written back.
    EXPECT_EQ(Whole("DSN=" + m_dataSource + ";"), OutString(settings));
}

TEST_F(ConnectionSettingsTest, PromptingThroughTheProvider)
{
    m_connection.m_required = {u"Servers", u"Account"};
    ConnectionSettings settings(orvik_wstring(u"DRIVER=Pelta"));
    settings.UpdateRequests(m_connection);

    // No provider: the dialog cannot be shown.
    EXPECT_EQ("IM008 [1:DialogFailed]", Outcome([&] { settings.PromptForSettings(m_connection, nullptr, SQL_DRIVER_COMPLETE); }));

    ScriptedPromptProvider user;
    int window = 0;
    EXPECT_EQ(SQL_NO_DATA, settings.PromptForSettings(m_connection, &window, SQL_DRIVER_COMPLETE_REQUIRED));
    EXPECT_EQ(std::vector<bool>{true}, user.m_requiredOnly);
    EXPECT_EQ(&window, user.m_windows.front());
    EXPECT_EQ(u"Account;Servers;Timeout;", user.m_shown.front());
    EXPECT_FALSE(settings.IsComplete());

    // The first answer leaves Account out: the data store asks again, and only for what is missing.
    user.m_answers = {{{u"Servers", u"h:1;h:2"}}, {{u"Account", u"acc"}, {u"Timeout", u"9"}}};
    EXPECT_EQ(SQL_SUCCESS, settings.PromptForSettings(m_connection, nullptr, SQL_DRIVER_PROMPT));
    EXPECT_EQ(u"Account;Timeout;", user.m_shown.back());
    EXPECT_EQ(std::vector<bool>({true, false, false}), user.m_requiredOnly);
    EXPECT_TRUE(settings.IsComplete());
    EXPECT_EQ(Whole("DRIVER=Pelta;Account=acc;Servers={h:1;h:2};Timeout=9;"), OutString(settings));

    // Cancelling the second dialog gives up.
    ConnectionSettings again(orvik_wstring(u"DRIVER=Pelta"));
    user.m_answers = {{{u"Servers", u"s"}}};
    EXPECT_EQ(SQL_NO_DATA, again.PromptForSettings(m_connection, nullptr, SQL_DRIVER_COMPLETE));
    EXPECT_EQ("DRIVER=Pelta|", Describe(again.GetSettings()));

    // A data store that keeps asking for what the dialog gave.
    m_connection.m_extraRequests = {{u"Servers", Orvik::Support::ConnectionSettingKind::Required}};
    user.m_answers = {{{u"Servers", u"s"}, {u"Account", u"a"}}};
    EXPECT_EQ("HY000 [1:DataSourceDidNotGiveProperResp]",
              Outcome([&] { again.PromptForSettings(m_connection, nullptr, SQL_DRIVER_COMPLETE); }));
}
