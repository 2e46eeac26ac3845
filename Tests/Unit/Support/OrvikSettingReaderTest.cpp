#include "Support/OrvikSettingReader.h"
#include "Support/Platform.h"
#include "Support/ProductException.h"
#include "Support/RegistryReader.h"
#include "Support/StartupInitException.h"

#include "Common/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <atomic>
#include <filesystem>
#include <thread>

using namespace Orvik::Support;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TemporaryDirectory;
using Orvik::Testing::WriteTextFile;

namespace {

const char* const DRIVER_KEY = "[SOFTWARE\\Pelta\\Driver]\n";

std::string KeyMessage(const ErrorException& in_exception)
{
    return in_exception.GetMessageKey().GetAsUTF8();
}

// Both registry roots in a private directory, with a fresh reader for the key that the
// driver reads (created as the module does: vendor "Orvik", then branded "Pelta").
class Settings : public ::testing::Test
{
protected:
    Settings() { Reload(); }
    ~Settings() override { OrvikSettingReader::Shutdown(); }

    void Reload()
    {
        OrvikSettingReader::Shutdown();
        OrvikSettingReader::Initialize(orvik_wstring(u"Orvik"), orvik_wstring(u"Driver"));
        OrvikSettingReader::SetBrandingName(orvik_wstring(u"Pelta"));
    }

    void WriteUser(const std::string& in_values) { WriteTextFile(m_user, DRIVER_KEY + in_values); }
    void WriteMachine(const std::string& in_values) { WriteTextFile(m_machine, DRIVER_KEY + in_values); }

    /// Writes the user key and reloads, for one setting value per case.
    void UseUserValues(const std::string& in_values)
    {
        WriteUser(in_values);
        Reload();
    }

    TemporaryDirectory m_directory;
    std::string m_user = m_directory / "user.reg";
    std::string m_machine = m_directory / "machine.reg";
    ScopedEnvironment m_userVariable{ "PELTA_REGISTRY_HKCU", m_user };
    ScopedEnvironment m_machineVariable{ "PELTA_REGISTRY_HKLM", m_machine };
    ScopedEnvironment m_ansiVariable{ "ORVIK_APP_ANSI_ENCODING", std::nullopt };
};

} // namespace

TEST_F(Settings, DefaultsWithoutAnyRegistryFile)
{
    EXPECT_EQ("./", OrvikSettingReader::GetLogPath());
    EXPECT_EQ("en-US", OrvikSettingReader::GetDriverLocale());
    EXPECT_EQ(ENC_UTF16_LE, OrvikSettingReader::GetDriverManagerEncoding());
    EXPECT_EQ(ENC_NONE, OrvikSettingReader::GetAppCharEncoding());
    EXPECT_FALSE(OrvikSettingReader::IsTraceToStdErr());
    EXPECT_EQ("/opt/d/", OrvikSettingReader::GetErrorMessagesPath("/opt/d/"));
    EXPECT_EQ("", OrvikSettingReader::GetLogLevel());
    EXPECT_EQ("", OrvikSettingReader::GetSetting("LogFileSize"));
}

TEST_F(Settings, EncodingLookupsWriteTheStartupTrace)
{
    Orvik::Platform::SetTraceEnabled(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ENC_UTF16_LE, OrvikSettingReader::GetDriverManagerEncoding());
    EXPECT_EQ(ENC_NONE, OrvikSettingReader::GetAppCharEncoding());
    const std::string trace = testing::internal::GetCapturedStderr();
    Orvik::Platform::SetTraceEnabled(false);
    EXPECT_EQ("OrvikSettingReader::GetDriverManagerEncoding()\n"
              "DriverManagerEncoding setting not loaded, using default: UTF-16_LE.\n"
              "OrvikSettingReader::GetAppCharEncoding()\n",
              trace);
}

TEST_F(Settings, TheUserKeyHidesTheMachineKeyWhole)
{
    WriteMachine("\"LogLevel\"=\"3\"\n\"LogPath\"=\"/machine\"\n");
    WriteTextFile(m_user, "[SOFTWARE\\Pelta\\Other]\n\"LogLevel\"=\"6\"\n");
    EXPECT_EQ("3", OrvikSettingReader::GetLogLevel()) << "a user file without the key hides nothing";

    UseUserValues("\"LogLevel\"=\"5\"\n");
    EXPECT_EQ("5", OrvikSettingReader::GetLogLevel());
    EXPECT_EQ("./", OrvikSettingReader::GetLogPath());
}

TEST_F(Settings, ValuesOfEveryTypeAndNamesInAnyCase)
{
    UseUserValues("\"loglevel\"=dword:00000004\n"
                  "\"LOGFILESIZE\"=qword:0000000100000000\n"
                  "\"LogNamespace\"=hex(2):41,00,00,00\n"
                  "\"logfilecount\"=\"7\"\n"
                  "\"MemoryManagerStrategy\"=\"1\"\n"
                  "\"MemoryManagerMemoryLimit\"=\"512\"\n"
                  "\"MemoryManagerThresholdPercent\"=\"90\"\n"
                  "\"LogPath\"=\"/var/log/pelta\"\n");
    EXPECT_EQ("4", OrvikSettingReader::GetLogLevel());
    EXPECT_EQ("4294967296", OrvikSettingReader::GetLogFileSize());
    EXPECT_EQ("", OrvikSettingReader::GetLogNamespace()) << "other value types are not read";
    EXPECT_EQ("7", OrvikSettingReader::GetLogFileCount());
    EXPECT_EQ("1", OrvikSettingReader::GetMemoryManagerStrategy());
    EXPECT_EQ("512", OrvikSettingReader::GetMemoryManagerMemoryLimit());
    EXPECT_EQ("90", OrvikSettingReader::GetMemoryManagerThresholdPercent());
    EXPECT_EQ("/var/log/pelta/", OrvikSettingReader::GetLogPath());
}

TEST_F(Settings, TheKeyIsTheBrandedOneWhateverTheVendorItWasCreatedWith)
{
    WriteTextFile(m_user, "[SOFTWARE\\Orvik\\Driver]\n\"LogLevel\"=\"1\"\n");
    EXPECT_EQ("", OrvikSettingReader::GetLogLevel());
    OrvikSettingReader::Shutdown();
    OrvikSettingReader::Initialize(orvik_wstring(u"Orvik"), orvik_wstring(u"Driver"));
    EXPECT_EQ("1", OrvikSettingReader::GetLogLevel());
}

TEST_F(Settings, TheRegistryReaderSkipsDriverUnlessAllValuesAreAsked)
{
    WriteUser("\"driver\"=\"x\"\n\"DRIVERS\"=\"y\"\n\"D\"=\"z\"\n\"Mixed\"=\"m\"\n");
    const orvik_wstring key(u"SOFTWARE\\Pelta");
    const orvik_wstring subKey(u"Driver");

    VariantMap upper;
    RegistryReader(false).ReadValues(upper, orvik_wstring(u""), key, subKey, false);
    std::vector<std::string> names;
    for (const auto& entry : upper)
    {
        names.push_back(entry.first.GetAsUTF8());
    }
    EXPECT_EQ((std::vector<std::string>{ "D", "DRIVERS", "MIXED" }), names);

    VariantMap kept;
    RegistryReader(true).ReadValues(kept, orvik_wstring(u""), key + orvik_wstring(u"\\Driver"), orvik_wstring(), true);
    names.clear();
    for (const auto& entry : kept)
    {
        names.push_back(entry.first.GetAsUTF8());
    }
    EXPECT_EQ((std::vector<std::string>{ "D", "driver", "DRIVERS", "Mixed" }), names);

    UseUserValues("\"Driver\"=\"x\"\n\"LogLevel\"=\"2\"\n");
    EXPECT_EQ("", OrvikSettingReader::GetSetting("DRIVER"));
    EXPECT_EQ("2", OrvikSettingReader::GetLogLevel());
}

TEST_F(Settings, TheRegistryReaderRootNameSelectsTheFiles)
{
    WriteMachine("\"LogLevel\"=\"3\"\n");
    const orvik_wstring key(u"SOFTWARE\\Pelta\\Driver");
    VariantMap machineOnly;
    RegistryReader(true).ReadValues(machineOnly, orvik_wstring(u"HKEY_LOCAL_MACHINE"), key, orvik_wstring(), false);
    EXPECT_EQ("3", machineOnly[orvik_wstring(u"LogLevel")].GetString());
    VariantMap userOnly;
    RegistryReader(true).ReadValues(userOnly, orvik_wstring(u"HKEY_CURRENT_USER"), key, orvik_wstring(), false);
    EXPECT_TRUE(userOnly.empty());
}

TEST_F(Settings, AnUnreadableKeyFileIsRegKeyNotFound)
{
    WriteMachine("\"DriverLocale\"=\"de-DE\"\n");
    std::filesystem::create_directory(m_user); // exists, and reading it fails even for root
    VariantMap values;
    try
    {
        RegistryReader(false).ReadValues(values, orvik_wstring(u""), orvik_wstring(u"SOFTWARE\\Pelta\\Driver"),
                                         orvik_wstring(), false);
        ADD_FAILURE() << "no exception";
    }
    catch (const ProductException& e)
    {
        EXPECT_EQ("RegKeyNotFound", KeyMessage(e));
    }
    EXPECT_THROW(OrvikSettingReader::GetLogLevel(), ProductException);
    EXPECT_EQ("en-US", OrvikSettingReader::GetDriverLocale()) << "the locale falls back, not to the machine key";
    EXPECT_EQ(ENC_UTF16_LE, OrvikSettingReader::GetDriverManagerEncoding());
}

TEST_F(Settings, DriverManagerEncodingAcceptsThreeExactNames)
{
    struct Case { const char* m_value; EncodingType m_expected; };
    for (const Case& c : { Case{ "UTF-8", ENC_UTF8 }, Case{ "UTF-16", ENC_UTF16_LE }, Case{ "UTF-32", ENC_UTF32_LE } })
    {
        UseUserValues(std::string("\"DRIVERMANAGERENCODING\"=\"") + c.m_value + "\"\n");
        EXPECT_EQ(c.m_expected, OrvikSettingReader::GetDriverManagerEncoding()) << c.m_value;
    }
    for (const char* illegal : { "utf-8", "UTF-16LE", "latin1" })
    {
        UseUserValues(std::string("\"DriverManagerEncoding\"=\"") + illegal + "\"\n");
        try
        {
            OrvikSettingReader::GetDriverManagerEncoding();
            ADD_FAILURE() << illegal;
        }
        catch (const StartupInitException& e)
        {
            EXPECT_EQ("DriverManagerEncoding setting is not a legal encoding.", KeyMessage(e));
            EXPECT_EQ(3, e.GetComponentId());
        }
    }
}

TEST_F(Settings, TheAnsiEncodingVariableWinsOverTheSetting)
{
    UseUserValues("\"ANSIENCODING\"=\"latin1\"\n");
    EXPECT_EQ(ENC_LATIN1, OrvikSettingReader::GetAppCharEncoding());
    {
        ScopedEnvironment empty("ORVIK_APP_ANSI_ENCODING", std::string());
        EXPECT_EQ(ENC_NONE, OrvikSettingReader::GetAppCharEncoding()) << "set but empty still wins";
    }
    {
        ScopedEnvironment wide("ORVIK_APP_ANSI_ENCODING", std::string("UTF-32"));
        EXPECT_EQ(ENC_UTF32_LE, OrvikSettingReader::GetAppCharEncoding());
    }
    {
        ScopedEnvironment unknown("ORVIK_APP_ANSI_ENCODING", std::string("no-such-encoding"));
        try
        {
            OrvikSettingReader::GetAppCharEncoding();
            ADD_FAILURE() << "no exception";
        }
        catch (const StartupInitException& e)
        {
            EXPECT_EQ("ANSIEncoding setting is not a legal encoding.", KeyMessage(e));
        }
    }
}

TEST_F(Settings, TraceToStdErrIsOnOnlyForOne)
{
    for (const char* value : { "true", "yes", " 1", "01", "" })
    {
        UseUserValues(std::string("\"TRACETOSTDERR\"=\"") + value + "\"\n\"X\"=\"1\"\n");
        EXPECT_FALSE(OrvikSettingReader::IsTraceToStdErr()) << value;
    }
    UseUserValues("\"TraceToStdErr\"=dword:00000001\n");
    EXPECT_TRUE(OrvikSettingReader::IsTraceToStdErr());
}

TEST_F(Settings, ErrorMessagesPathIsTakenFromTheModuleDirectoryWhenRelative)
{
    struct Case { const char* m_value; const char* m_expected; };
    for (const Case& c : { Case{ "../m", "/opt/d/../m/" }, Case{ "msgs", "/opt/d/msgs/" }, Case{ "/msgs", "/msgs/" } })
    {
        UseUserValues(std::string("\"ERRORMESSAGESPATH\"=\"") + c.m_value + "\"\n");
        EXPECT_EQ(c.m_expected, OrvikSettingReader::GetErrorMessagesPath("/opt/d/")) << c.m_value;
    }
}

TEST_F(Settings, ValuesAreLoadedOnceButAMissingKeyIsReadAgain)
{
    EXPECT_EQ("", OrvikSettingReader::GetLogLevel());
    WriteUser("\"LogLevel\"=\"4\"\n");
    EXPECT_EQ("4", OrvikSettingReader::GetLogLevel()) << "no key yet, so the next lookup reads again";
    WriteUser("\"LogLevel\"=\"6\"\n\"LogPath\"=\"/new\"\n");
    EXPECT_EQ("4", OrvikSettingReader::GetLogLevel());
    EXPECT_EQ("./", OrvikSettingReader::GetLogPath());
}

TEST_F(Settings, ATurkishDefaultLocaleCannotHideDriverLocale)
{
    const icu::Locale saved = icu::Locale::getDefault();
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale("tr", "TR"), status);
    UseUserValues("\"DriverLocale\"=\"de-DE\"\n\"logfileSIZE\"=\"9\"\n\"driver\"=\"x\"\n");
    const std::string locale = OrvikSettingReader::GetDriverLocale();
    const std::string size = OrvikSettingReader::GetLogFileSize();
    VariantMap values;
    RegistryReader(false).ReadValues(values, orvik_wstring(u""), orvik_wstring(u"SOFTWARE\\Pelta\\Driver"),
                                     orvik_wstring(), false);
    icu::Locale::setDefault(saved, status);
    EXPECT_EQ("de-DE", locale);
    EXPECT_EQ("9", size);
    std::vector<std::string> names;
    for (const auto& entry : values)
    {
        names.push_back(entry.first.GetAsUTF8());
    }
    EXPECT_EQ((std::vector<std::string>{ "DRIVERLOCALE", "LOGFILESIZE" }), names) << "driver is still skipped";
}

TEST_F(Settings, ConcurrentLookupsFromEightThreads)
{
    WriteUser("\"LogLevel\"=\"4\"\n\"DriverLocale\"=\"fr-FR\"\n");
    // A race need not show in one round; each round starts with a reader that has loaded nothing.
    for (int round = 0; round < 10; ++round)
    {
        Reload();
        std::atomic<int> waiting(8);
        std::vector<std::thread> threads;
        std::vector<int> wrong(8, 0);
        for (int t = 0; t < 8; ++t)
        {
            threads.emplace_back([t, &wrong, &waiting] {
                // All threads start together, so that the first load and the lookups overlap.
                --waiting;
                while (waiting > 0)
                {
                    std::this_thread::yield();
                }
                for (int i = 0; i < 1000; ++i)
                {
                    wrong[t] += OrvikSettingReader::GetLogLevel() != "4";
                    wrong[t] += OrvikSettingReader::GetDriverLocale() != "fr-FR";
                    wrong[t] += OrvikSettingReader::GetSetting("Absent" + std::to_string(t) + "_" + std::to_string(i)) != "";
                }
            });
        }
        for (std::thread& thread : threads)
        {
            thread.join();
        }
        ASSERT_EQ(std::vector<int>(8, 0), wrong) << "round " << round;
    }
}
