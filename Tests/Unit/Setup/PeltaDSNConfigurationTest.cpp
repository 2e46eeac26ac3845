// One data source's settings: defaults, the logging settings of the machine's registry, the
// checking setters, the attribute text, the profile, and saving with its failures.

#include "Pelta/Setup/PeltaDSNConfiguration.h"

#include "SetupTestSupport.h"
#include "Unit/DSI/RecordingLog.h"

#include <gtest/gtest.h>

using namespace Pelta;
using Orvik::Support::orvik_wstring;
using Orvik::Support::Variant;
using Orvik::Support::VariantMap;
using Pelta::Test::FakeOdbcInstaller;
using Pelta::Test::Outcome;
using Pelta::Test::PrivateRegistry;
using Pelta::Test::Utf8;

namespace {

class DSNConfigurationTest : public ::testing::Test
{
protected:
    DSNConfigurationTest() { m_log.SetLogLevel(Orvik::DSI::LOG_TRACE); }

    /// Every setting as "name=value;" in the map's order.
    static std::string Settings(const PeltaDSNConfiguration& in_configuration)
    {
        VariantMap settings;
        in_configuration.RetrieveConnectionSettings(settings);
        std::string text;
        for (const auto& setting : settings)
        {
            text += Utf8(setting.first) + "=" + Utf8(setting.second.GetWString()) + ";";
        }
        return text;
    }

    /// A configuration of driver "Pelta" after LoadDefaults.
    PeltaDSNConfiguration Defaults()
    {
        PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
        configuration.LoadDefaults();
        return configuration;
    }

    PrivateRegistry m_registry;
    FakeOdbcInstaller m_installer;
    Orvik::Testing::RecordingLog m_log;
};

TEST_F(DSNConfigurationTest, WithoutARegistryKeyTheDefaultsAreExactlySevenSettings)
{
    const PeltaDSNConfiguration configuration = Defaults();
    EXPECT_EQ((std::vector<std::string>{ "TRACE PeltaDSNConfiguration::PeltaDSNConfiguration: +++++ enter +++++",
                                         "TRACE PeltaDSNConfiguration::LoadDefaults: +++++ enter +++++",
                                         "TRACE PeltaDSNConfiguration::LoadLoggingProperties: +++++ enter +++++" }),
              m_log.m_entries);
    EXPECT_EQ("Driver=Pelta;LogFileCount=50;LogFileSize=20;LogLevel=0;LogNamespace=;LogPath=;MaxColumnSize=4000;",
              Settings(configuration));
    EXPECT_EQ(PeltaDSNConfiguration::MODE_NEW, configuration.GetMode());
}

TEST_F(DSNConfigurationTest, LoggingSettingsAreShownAsTheDriverReadsThem)
{
    const struct
    {
        const char* m_registry;
        const char* m_expected;
    } cases[] = {
        { "\"LogLevel\"=\"Trace\"\n", "LogLevel=6" },
        { "\"LogLevel\"=\"9\"\n", "LogLevel=6" },
        { "\"LogLevel\"=\"Verbose\"\n", "LogLevel=0" },
        { "\"LogLevel\"=\"LOG_DEBUG\"\n", "LogLevel=5" },
        { "\"loglevel\"=dword:00000004\n", "LogLevel=4" },
        { "\"LogFileSize\"=\"1500000\"\n", "LogFileSize=1" },
        { "\"LogFileSize\"=\"20M\"\n", "LogFileSize=20" },
        { "\"LogFileSize\"=\"\"\n", "LogFileSize=20" },
        { "\"LogFileSize\"=\"junk\"\n", "LogFileSize=20" },
        { "\"LogFileSize\"=dword:00a00000\n", "LogFileSize=10" },
        { "\"LogFileSize\"=qword:0000000100000000\n", "LogFileSize=4096" },
        { "\"LogFileSize\"=\"1.5M\"\n", "LogFileSize=1" },
        // A limit under a megabyte is not shown as 0, which would read as no limit.
        { "\"LogFileSize\"=\"512K\"\n", "LogFileSize=1" },
        { "\"LogFileSize\"=\"0\"\n", "LogFileSize=0" },
        { "\"LogFileCount\"=\"+7\"\n", "LogFileCount=+7" },
        { "\"LogFileCount\"=\"many\"\n", "LogFileCount=many" },
        { "\"LogNamespace\"=\"Pelta\"\n\"LogPath\"=\"/var/log/x\"\n", "LogNamespace=Pelta;LogPath=/var/log/x" },
    };
    for (const auto& c : cases)
    {
        m_registry.UseMachineValues(c.m_registry);
        const std::string settings = Settings(Defaults());
        EXPECT_NE(std::string::npos, settings.find(std::string(c.m_expected) + ";")) << c.m_registry << settings;
    }
    // The user's key is not setup's: only the machine's counts.
    Orvik::Testing::WriteTextFile(m_registry.Directory() / "user.reg",
                                  "[SOFTWARE\\Pelta\\Driver]\n\"LogLevel\"=\"6\"\n");
    m_registry.UseMachineValues("");
    EXPECT_EQ("0", Utf8(Defaults().GetLogLevel()));
}

TEST_F(DSNConfigurationTest, AnUnreadableRegistryKeyPassesTheReadersError)
{
    std::filesystem::create_directory(m_registry.Directory() / "machine.reg");
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    EXPECT_EQ("RegKeyNotFound HY000 3 []", Outcome([&] { configuration.LoadDefaults(); }));
}

TEST_F(DSNConfigurationTest, TheCheckingSettersAcceptAndRefuseTheirValues)
{
    const struct
    {
        void (PeltaDSNConfiguration::*m_set)(const orvik_wstring&);
        const orvik_wstring& (PeltaDSNConfiguration::*m_get)() const;
        const char16_t* m_value;
        const char* m_outcome;
    } cases[] = {
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"4096", "ok" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"0", "ok" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"+5", "ok" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"", "ok" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"4097", "kind 8" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"65536", "kind 8" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u" 5", "kind 8" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"-1", "kind 8" },
        { &PeltaDSNConfiguration::SetLogFileSize, &PeltaDSNConfiguration::GetLogFileSize, u"5M", "kind 8" },
        { &PeltaDSNConfiguration::SetLogFileCount, &PeltaDSNConfiguration::GetLogFileCount, u"4294967295", "ok" },
        { &PeltaDSNConfiguration::SetLogFileCount, &PeltaDSNConfiguration::GetLogFileCount, u"", "ok" },
        { &PeltaDSNConfiguration::SetLogFileCount, &PeltaDSNConfiguration::GetLogFileCount, u"4294967296", "kind 7" },
        { &PeltaDSNConfiguration::SetLogFileCount, &PeltaDSNConfiguration::GetLogFileCount, u"-1", "kind 7" },
        { &PeltaDSNConfiguration::SetLogFileCount, &PeltaDSNConfiguration::GetLogFileCount, u"ten", "kind 7" },
        { &PeltaDSNConfiguration::SetDSN, &PeltaDSNConfiguration::GetDSN, u"Sales", "ok" },
        { &PeltaDSNConfiguration::SetDSN, &PeltaDSNConfiguration::GetDSN, u"x[y", "kind 4" },
        { &PeltaDSNConfiguration::SetDSN, &PeltaDSNConfiguration::GetDSN, u"", "kind 4" },
        { &PeltaDSNConfiguration::SetDSN, &PeltaDSNConfiguration::GetDSN, u"a=b", "kind 4" },
    };
    for (const auto& c : cases)
    {
        PeltaDSNConfiguration configuration = Defaults();
        const orvik_wstring before = (configuration.*c.m_get)();
        const std::string outcome = Outcome([&] { (configuration.*c.m_set)(orvik_wstring(c.m_value)); });
        EXPECT_EQ(c.m_outcome, outcome) << Utf8(orvik_wstring(c.m_value));
        // A refused value is not stored; an accepted one is stored as it was given.
        EXPECT_EQ(Utf8(outcome == "ok" ? orvik_wstring(c.m_value) : before), Utf8((configuration.*c.m_get)()))
            << Utf8(orvik_wstring(c.m_value));
    }
}

TEST_F(DSNConfigurationTest, GettersNeverInsertAndNamesKeepTheirFirstCase)
{
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    EXPECT_EQ("", Utf8(configuration.GetServers()));
    EXPECT_FALSE(configuration.GetServers().IsNull());
    EXPECT_EQ("", Settings(configuration));

    VariantMap settings;
    settings[u"servers"] = Variant(u"h:1");
    settings[u"Extra"] = Variant(static_cast<uint32_t>(5));
    configuration.LoadConnectionSettings(settings);
    configuration.SetServers(u"h:2");
    EXPECT_EQ("Extra=5;servers=h:2;", Settings(configuration));
    EXPECT_EQ(PeltaDSNConfiguration::MODE_PROMPT, configuration.GetMode());

    VariantMap out;
    out[u"Stale"] = Variant(u"x");
    configuration.RetrieveConnectionSettings(out);
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(Orvik::Support::VARIANT_WSTRING, out[u"Extra"].GetType());
    EXPECT_EQ("h:2", out[u"SERVERS"].GetString());
}

TEST_F(DSNConfigurationTest, OnlyAPromptKeepsItsNameWhenGivenAnEmptyOne)
{
    PeltaDSNConfiguration prompt(u"", &m_log, m_installer);
    VariantMap settings;
    settings[u"DSN"] = Variant(u"Sales");
    prompt.LoadConnectionSettings(settings);
    prompt.SetDSN(u"");
    EXPECT_EQ("Sales", Utf8(prompt.GetDSN()));

    PeltaDSNConfiguration added = Defaults();
    EXPECT_EQ("kind 4", Outcome([&] { added.SetDSN(u""); }));
}

TEST_F(DSNConfigurationTest, TheAttributeTextSetsOnlyTheFirstName)
{
    const struct
    {
        const char16_t* m_text;
        int32_t m_length;
        const char* m_outcome;
        const char* m_dsn;
    } cases[] = {
        { u"DSN=Sales", -1, "ok", "Sales" },
        { u"DESCRIPTION=x\\DSN=Sales", -1, "ok", "Sales" },
        { u"\\DSN=Sales", -1, "ok", "Sales" },
        { u"DSN=A\\DSN=B", -1, "ok", "A" },
        { u"dsn=Sales", -1, "ok", "Sales" },
        { u"Description=x\0dSn=Sales\0DSN=Other", 33, "ok", "Sales" },
        { u"DSN =Sales", -1, "ok", "" },
        { u"DSNX=Sales\\XDSN=Sales", -1, "ok", "" },
        { u"Servers=h:1", -1, "ok", "" },
        { u"", -1, "ok", "" },
        { u"DSN=a=b", -1, "kind 4", "" },
        { u"DSN=", -1, "kind 4", "" },
    };
    for (const auto& c : cases)
    {
        PeltaDSNConfiguration configuration = Defaults();
        const orvik_wstring text = c.m_length < 0 ? orvik_wstring(c.m_text) : orvik_wstring(c.m_text, c.m_length);
        EXPECT_EQ(c.m_outcome, Outcome([&] { configuration.ParseDSNAttribute(text); })) << Utf8(text);
        EXPECT_EQ(c.m_dsn, Utf8(configuration.GetDSN())) << Utf8(text);
    }
    m_log.m_entries.clear();
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    configuration.ParseDSNAttribute(orvik_wstring(u"A=1\0DSN=Sales", 13));
    EXPECT_EQ("INFO  PeltaDSNConfiguration::ParseDSNAttribute: A=1;DSN=Sales", m_log.m_entries.back());
}

TEST_F(DSNConfigurationTest, LoadingReadsTheWholeSectionOverTheDefaults)
{
    m_registry.UseMachineValues("\"LogLevel\"=\"LOG_INFO\"\n");
    m_installer.AddSection("Sales", { { "Driver", "/opt/pelta/libPelta.so" },
                                      { "Servers", "h:1,h:2" },
                                      { "maxcolumnsize", "100" },
                                      { "Custom", "kept" },
                                      { "dsn", "Other" } });
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    configuration.Load(orvik_wstring(u"Description=x\0DSN=sales", 23));
    EXPECT_EQ(PeltaDSNConfiguration::MODE_EXISTING, configuration.GetMode());
    // The name stays the one asked for: an entry named like it does not redirect the save.
    EXPECT_EQ("Custom=kept;Driver=/opt/pelta/libPelta.so;DSN=sales;LogFileCount=50;LogFileSize=20;LogLevel=4;"
              "LogNamespace=;LogPath=;MaxColumnSize=100;Servers=h:1,h:2;",
              Settings(configuration));

    PeltaDSNConfiguration missing(u"Pelta", &m_log, m_installer);
    missing.Load(u"DSN=Nowhere");
    EXPECT_EQ("Driver=Pelta;DSN=Nowhere;LogFileCount=50;LogFileSize=20;LogLevel=4;LogNamespace=;LogPath=;"
              "MaxColumnSize=4000;",
              Settings(missing));

    PeltaDSNConfiguration nameless(u"Pelta", &m_log, m_installer);
    EXPECT_EQ("kind 1", Outcome([&] { nameless.Load(u"DESCRIPTION=x"); }));
    PeltaDSNConfiguration refused(u"Pelta", &m_log, m_installer);
    EXPECT_EQ("kind 4", Outcome([&] { refused.Load(u"DSN=x[y"); }));
    EXPECT_TRUE(m_installer.m_changes.empty());
}

class DSNSaveTest : public DSNConfigurationTest
{
protected:
    /// A new data source "Sales" with servers and a profile-only entry, loaded over in_registry.
    PeltaDSNConfiguration Edited(const std::string& in_registry)
    {
        m_registry.UseMachineValues(in_registry);
        PeltaDSNConfiguration configuration = Defaults();
        configuration.SetDSN(u"Sales");
        configuration.SetServers(u"h:1");
        configuration.SetDescription(u"");
        return configuration;
    }
};

TEST_F(DSNSaveTest, TheSectionHoldsEverySettingButTheNameAndTheLoggingOnes)
{
    m_installer.AddSection("Sales", { { "Old", "gone" } });
    m_installer.AddSection("Other", { { "Driver", "x" } });
    PeltaDSNConfiguration configuration = Edited("");
    configuration.Save();
    EXPECT_EQ("Driver=Pelta;DESCRIPTION=;MaxColumnSize=4000;Servers=h:1;", m_installer.Describe("Sales"));
    EXPECT_EQ("Driver=x;", m_installer.Describe("Other"));
    EXPECT_EQ("dsn Sales Pelta", m_installer.m_changes.front());
    // Nothing of the logging changed: the registry is not touched.
    EXPECT_EQ("", m_registry.MachineValues());

    // Names read from the profile in another case are still the logging ones.
    m_installer.AddSection("Mixed", { { "logpath", "/x" }, { "LOGLEVEL", "6" }, { "Servers", "h:2" } });
    PeltaDSNConfiguration mixed(u"Pelta", &m_log, m_installer);
    mixed.Load(u"DSN=Mixed");
    mixed.Save();
    EXPECT_EQ("Driver=Pelta;MaxColumnSize=4000;Servers=h:2;", m_installer.Describe("Mixed"));
}

TEST_F(DSNSaveTest, OnlyChangedLoggingSettingsAreWrittenWithTheSizeInBytes)
{
    const struct
    {
        const char* m_registry;
        std::function<void(PeltaDSNConfiguration&)> m_edit;
        const char* m_written;
    } cases[] = {
        { "\"LogLevel\"=\"LOG_DEBUG\"\n\"LogFileSize\"=\"512K\"\n\"LogNamespace\"=\"Pelta\"\n",
          [](PeltaDSNConfiguration& c) {
              // The logging dialog stores every value back, changed or not.
              c.SetLogLevel(u"5");
              c.SetLogFileSize(u"1");
              c.SetLogFileCount(u"50");
              c.SetLogPath(u"");
          },
          "LogLevel=LOG_DEBUG;LogFileSize=512K;LogNamespace=Pelta;" },
        { "", [](PeltaDSNConfiguration& c) { c.SetLogFileSize(u"+5"); }, "LogFileSize=5242880;" },
        { "", [](PeltaDSNConfiguration& c) { c.SetLogFileSize(u"4096"); }, "LogFileSize=4294967296;" },
        { "", [](PeltaDSNConfiguration& c) { c.SetLogFileSize(u"0"); }, "LogFileSize=0;" },
        { "\"LogFileSize\"=\"7M\"\n", [](PeltaDSNConfiguration& c) { c.SetLogFileSize(u""); }, "LogFileSize=;" },
        { "\"LogFileCount\"=\"many\"\n",
          [](PeltaDSNConfiguration& c) {
              c.SetLogLevel(u"4");
              c.SetLogPath(u"/var/log/pelta");
              c.SetLogFileCount(u"3");
          },
          "LogFileCount=3;LogLevel=4;LogPath=/var/log/pelta;" },
    };
    for (const auto& c : cases)
    {
        PeltaDSNConfiguration configuration = Edited(c.m_registry);
        c.m_edit(configuration);
        configuration.Save();
        EXPECT_EQ(c.m_written, m_registry.MachineValues()) << c.m_registry;
    }
}

TEST_F(DSNSaveTest, EveryValueIsCheckedBeforeAnythingIsWritten)
{
    for (const char16_t* name : { u"LogFileSize", u"LogFileCount" })
    {
        PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
        VariantMap settings;
        settings[u"DSN"] = Variant(u"Sales");
        settings[name] = Variant(u"-3");
        configuration.LoadConnectionSettings(settings);
        EXPECT_EQ(orvik_wstring(name) == orvik_wstring(u"LogFileSize") ? "kind 8" : "kind 7",
                  Outcome([&] { configuration.Save(); }));
    }
    EXPECT_TRUE(m_installer.m_changes.empty());
    EXPECT_EQ("<none>", m_registry.MachineValues());
}

TEST_F(DSNSaveTest, AFailedWriteStopsTheSaveAndKeepsWhatWasWritten)
{
    PeltaDSNConfiguration refused = Edited("");
    refused.SetLogLevel(u"6");
    m_installer.m_failWriteDSN = true;
    EXPECT_EQ("kind 4", Outcome([&] { refused.Save(); }));
    EXPECT_TRUE(m_installer.m_changes.empty());
    m_installer.m_failWriteDSN = false;

    // The third entry fails: the first two stay, the registry is not reached.
    m_installer.m_failAtWrite = 3;
    EXPECT_EQ("kind 4", Outcome([&] { refused.Save(); }));
    EXPECT_EQ("Driver=Pelta;DESCRIPTION=;", m_installer.Describe("Sales"));
    EXPECT_EQ("", m_registry.MachineValues());

    m_registry.MakeUnwritable();
    m_installer.m_failAtWrite = 0;
    EXPECT_EQ("kind 6", Outcome([&] { refused.Save(); }));
    EXPECT_EQ("Driver=Pelta;DESCRIPTION=;MaxColumnSize=4000;Servers=h:1;", m_installer.Describe("Sales"));
}

} // namespace
