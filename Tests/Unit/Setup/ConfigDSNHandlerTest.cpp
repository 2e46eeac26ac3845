// The installer's entry into setup: requests, the dialog's outcomes, the texts and attribute
// lists it is given, and every failure as an installer error with FALSE.

#include "Pelta/Setup/ConfigDSNHandler.h"

#include "DSI/DSIDriverSingleton.h"
#include "Support/OrvikSettingReader.h"

#include "SetupTestSupport.h"
#include "Unit/DSI/TestDriver.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace Pelta;
using Orvik::DSI::DSIDriverSingleton;
using Orvik::DSI::IDriver;
using Orvik::Support::ModuleHandle;
using Orvik::Support::orvik_wstring;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TestDriver;
using Pelta::Test::FakeOdbcInstaller;
using Pelta::Test::InstalledUi;
using Pelta::Test::PrivateRegistry;
using Pelta::Test::RecordingUi;
using Pelta::Test::Utf8;

namespace {

constexpr int32_t TRUE_RESULT = ConfigDSNHandler::SETUP_TRUE;
constexpr int32_t FALSE_RESULT = ConfigDSNHandler::SETUP_FALSE;

// What the fixture's factory does when asked for a driver.
enum class FactoryMode
{
    Make,
    Fail,
    OutOfMemory
};

// A driver that counts its destruction.
class CountedDriver : public TestDriver
{
public:
    ~CountedDriver() override { ++s_destroyed; }
    static inline int s_destroyed = 0;
};

// Public: the cases of a table prepare the fixture through it. A driver of the fixture's own is
// published, as the ODBC side would publish one, so that its log can be read after each call.
class ConfigDSNTest : public ::testing::Test
{
public:
    ConfigDSNTest()
    {
        s_mode = FactoryMode::Make;
        s_made = 0;
        CountedDriver::s_destroyed = 0;
        DSIDriverSingleton::SetDriver(&m_driver, nullptr);
    }

    ~ConfigDSNTest() override
    {
        DSIDriverSingleton::SetDriver(nullptr, nullptr);
        Orvik::Support::OrvikSettingReader::Shutdown();
    }

    static std::unique_ptr<IDriver> Factory(ModuleHandle& out_module)
    {
        if (s_mode == FactoryMode::Fail)
        {
            throw std::runtime_error("no driver");
        }
        if (s_mode == FactoryMode::OutOfMemory)
        {
            throw std::bad_alloc();
        }
        ++s_made;
        out_module = Orvik::Support::GetDriverModuleHandle();
        return std::make_unique<CountedDriver>();
    }

    /// The fixture driver's log lines that contain in_text.
    std::vector<std::string> LogLines(const std::string& in_text) const
    {
        std::vector<std::string> found;
        for (const std::string& line : m_driver.m_log.m_entries)
        {
            if (line.find(in_text) != std::string::npos)
            {
                found.push_back(line);
            }
        }
        return found;
    }

    /// ConfigDSN with in_attributes given as the installer lists them ("a\0b\0" and the final NUL
    /// added here).
    int32_t Ansi(uint16_t in_request, const std::string& in_attributes, WindowHandle in_parent = nullptr)
    {
        const std::string list = in_attributes + '\0';
        return m_handler.ConfigDSN(in_parent, in_request, "Pelta", list.c_str());
    }

    /// A user interface that names the data source "Sales" and gives it a server.
    void AcceptAsSales()
    {
        m_ui.m_edit = [](PeltaDSNConfiguration& io_configuration) {
            io_configuration.SetDSN(u"Sales");
            io_configuration.SetServers(u"h:1");
        };
    }

    static inline FactoryMode s_mode = FactoryMode::Make;
    static inline int s_made = 0;

    TestDriver m_driver;
    PrivateRegistry m_registry;
    FakeOdbcInstaller m_installer;
    RecordingUi m_ui;
    InstalledUi m_installed{ m_ui };
    ConfigDSNHandler m_handler{ m_installer, &Factory };
    int m_window = 0;
};

TEST_F(ConfigDSNTest, AddingShowsAFreshDialogAndSavesWhatTheUserConfirmed)
{
    for (const uint16_t request : { 1, 4 })
    {
        m_installer = FakeOdbcInstaller();
        m_ui.m_dialogs.clear();
        m_ui.m_edit = [](PeltaDSNConfiguration& io_configuration) {
            io_configuration.SetDSN(u"Sales");
            io_configuration.SetServers(u"h:1,h:2");
            io_configuration.SetLogFileSize(u"5");
        };
        // The attribute list's name is not used: the dialog starts without one.
        EXPECT_EQ(TRUE_RESULT, Ansi(request, std::string("DSN=Other\0", 10), &m_window)) << request;
        EXPECT_EQ(std::vector<std::string>{ "owned mode 0 DSN=" }, m_ui.m_dialogs);
        EXPECT_EQ("Driver=Pelta;MaxColumnSize=4000;Servers=h:1,h:2;", m_installer.Describe("Sales"));
        EXPECT_EQ("<none>", m_installer.Describe("Other"));
        EXPECT_EQ("LogFileSize=5242880;", m_registry.MachineValues());
        EXPECT_TRUE(m_installer.m_posted.empty());
    }
    EXPECT_EQ(2u, LogLines("INFO  ConfigDSN::ConfigDSNInternal: Adding new DSN.").size());
    EXPECT_EQ(2u, LogLines("INFO  ConfigDSN::ConfigDSNInternal: Saving settings for DSN: Sales").size());
    EXPECT_EQ(2u, LogLines("TRACE ConfigDSN::ConfigDSNInternal: +++++ enter +++++").size());
}

TEST_F(ConfigDSNTest, ACancelledDialogSavesNothingAndOneThatCannotBeShownFails)
{
    AcceptAsSales();
    m_ui.m_result = DialogResult::Cancelled;
    EXPECT_EQ(TRUE_RESULT, Ansi(1, ""));
    EXPECT_EQ(TRUE_RESULT, Ansi(2, std::string("DSN=Sales\0", 10)));
    EXPECT_TRUE(m_installer.m_changes.empty());
    EXPECT_TRUE(m_installer.m_posted.empty());

    m_ui.m_result = DialogResult::NotShown;
    const std::string text = "The setup dialog cannot be shown: no user interface is available to this process. "
                             "Write the data source into odbc.ini instead, for example with \"odbcinst -i -s -f "
                             "<file>\", giving its Driver, Servers and other settings.";
    EXPECT_EQ(FALSE_RESULT, Ansi(1, ""));
    EXPECT_EQ(std::vector<std::string>{ "11 " + text }, m_installer.m_posted);
    EXPECT_EQ(std::vector<std::string>{ "unowned|DSN Configuration Error|" + text }, m_ui.m_boxes);
    EXPECT_TRUE(m_installer.m_changes.empty());
    EXPECT_EQ("<none>", m_registry.MachineValues());
}

TEST_F(ConfigDSNTest, ConfiguringFindsTheNameAnywhereInTheListAndKeepsEveryEntry)
{
    m_installer.AddSection("Sales", { { "Driver", "Pelta" }, { "Servers", "h:1" }, { "Custom", "kept" } });
    m_ui.m_edit = [](PeltaDSNConfiguration& io_configuration) { io_configuration.SetServers(u"h:9"); };
    EXPECT_EQ(TRUE_RESULT, Ansi(2, std::string("DESCRIPTION=x\0dsn=Sales\0", 24)));
    EXPECT_EQ(TRUE_RESULT, Ansi(5, std::string("DSN=Sales\0", 10)));
    EXPECT_EQ((std::vector<std::string>{ "unowned mode 1 DSN=Sales", "unowned mode 1 DSN=Sales" }), m_ui.m_dialogs);
    EXPECT_EQ("Driver=Pelta;Custom=kept;MaxColumnSize=4000;Servers=h:9;", m_installer.Describe("Sales"));
    EXPECT_EQ(2u, LogLines("INFO  ConfigDSN::ConfigDSNInternal: Loaded settings for DSN: Sales").size());
    EXPECT_EQ(1u, LogLines("INFO  PeltaDSNConfiguration::ParseDSNAttribute: DESCRIPTION=x;dsn=Sales").size());
}

TEST_F(ConfigDSNTest, RemovingShowsNoDialogAndWritesOnlyTheRemoval)
{
    m_registry.UseMachineValues("\"LogLevel\"=\"LOG_DEBUG\"\n");
    for (const uint16_t request : { 3, 6 })
    {
        m_installer.AddSection("Sales", { { "Driver", "Pelta" } });
        EXPECT_EQ(TRUE_RESULT, Ansi(request, std::string("DSN=Sales\0", 10))) << request;
        EXPECT_EQ("<none>", m_installer.Describe("Sales"));
    }
    EXPECT_EQ((std::vector<std::string>{ "remove Sales", "remove Sales" }), m_installer.m_changes);
    EXPECT_TRUE(m_ui.m_dialogs.empty());
    EXPECT_EQ("LogLevel=LOG_DEBUG;", m_registry.MachineValues());
    EXPECT_EQ(2u, LogLines("INFO  ConfigDSN::ConfigDSNInternal: Removing DSN: Sales").size());

    m_installer.m_removeAnswer = false;
    EXPECT_EQ(FALSE_RESULT, Ansi(3, std::string("DSN=Sales\0", 10)));
    EXPECT_EQ(std::vector<std::string>{ "11 Request failed." }, m_installer.m_posted);
}

TEST_F(ConfigDSNTest, EachFailureIsPostedWithItsInstallerCodeAndText)
{
    const struct
    {
        const char* m_case;
        uint16_t m_request;
        std::string m_attributes;
        std::function<void(ConfigDSNTest&)> m_prepare;
        const char* m_posted;
        bool m_box;
    } cases[] = {
        { "request 0", 0, "", nullptr, "5 Invalid type of request.", true },
        { "remove default DSN", 7, std::string("DSN=Sales\0", 10), nullptr, "5 Invalid type of request.", true },
        { "request 8", 8, "", nullptr, "5 Invalid type of request.", true },
        { "no name to configure", 2, std::string("DESCRIPTION=x\0", 14), nullptr, "8 Invalid keyword-value pairs.", true },
        { "no name to remove", 3, "", nullptr, "8 Invalid keyword-value pairs.", true },
        { "a name the installer refuses", 3, std::string("DSN=x[y\0", 8), nullptr, "11 Request failed.", true },
        { "the data source cannot be written", 1, "",
          [](ConfigDSNTest& t) {
              t.AcceptAsSales();
              t.m_installer.m_failWriteDSN = true;
          },
          "11 Request failed.", true },
        { "the registry cannot be read", 1, "",
          [](ConfigDSNTest& t) { std::filesystem::create_directory(t.m_registry.Directory() / "machine.reg"); },
          "11 RegKeyNotFound", false },
        // Last: the machine's registry stays unwritable for the rest of the test.
        { "the registry cannot be written", 1, "",
          [](ConfigDSNTest& t) {
              t.m_ui.m_edit = [](PeltaDSNConfiguration& io_configuration) {
                  io_configuration.SetDSN(u"Sales");
                  io_configuration.SetLogLevel(u"6");
              };
              t.m_registry.MakeUnwritable();
          },
          "11 Error writing changes to registry, ensure proper permissions have been granted.", true },
    };
    for (const auto& c : cases)
    {
        m_installer = FakeOdbcInstaller();
        m_ui = RecordingUi();
        if (c.m_prepare)
        {
            c.m_prepare(*this);
        }
        EXPECT_EQ(FALSE_RESULT, Ansi(c.m_request, c.m_attributes, &m_window)) << c.m_case;
        EXPECT_EQ(std::vector<std::string>{ c.m_posted }, m_installer.m_posted) << c.m_case;
        const std::string box = "owned|DSN Configuration Error|" + std::string(c.m_posted).substr(std::string(c.m_posted).find(' ') + 1);
        EXPECT_EQ(c.m_box ? std::vector<std::string>{ box } : std::vector<std::string>{}, m_ui.m_boxes) << c.m_case;
    }
    // The registry failed after the data source was written: it stays.
    EXPECT_EQ("Driver=Pelta;MaxColumnSize=4000;", m_installer.Describe("Sales"));
}

TEST_F(ConfigDSNTest, FailuresBeforeTheRequestAreInstallerErrorsToo)
{
    DSIDriverSingleton::SetDriver(nullptr, nullptr);
    s_mode = FactoryMode::Fail;
    EXPECT_EQ(FALSE_RESULT, Ansi(3, std::string("DSN=Sales\0", 10)));
    EXPECT_EQ(nullptr, DSIDriverSingleton::GetDriver());
    s_mode = FactoryMode::OutOfMemory;
    EXPECT_EQ(FALSE_RESULT, m_handler.ConfigDSNW(nullptr, 3, u"Pelta", u"DSN=Sales\0"));
    s_mode = FactoryMode::Make;
    {
        ScopedEnvironment encoding("ORVIK_APP_ANSI_ENCODING", std::string("no-such-encoding"));
        EXPECT_EQ(FALSE_RESULT, Ansi(3, std::string("DSN=Sales\0", 10)));
    }
    std::string unended(ConfigDSNHandler::MAX_ATTRIBUTE_LIST_LENGTH + 8, 'A');
    unended += std::string(2, '\0');
    EXPECT_EQ(FALSE_RESULT, m_handler.ConfigDSN(nullptr, 3, "Pelta", unended.c_str()));
    EXPECT_EQ((std::vector<std::string>{ "11 Request failed.", "21 Out of memory.",
                                         "11 ANSIEncoding setting is not a legal encoding.",
                                         "8 Invalid keyword-value pairs." }),
              m_installer.m_posted);
    EXPECT_TRUE(m_installer.m_changes.empty());
    // The texts are read before any driver is needed.
    EXPECT_EQ(0, s_made);
    EXPECT_EQ(nullptr, DSIDriverSingleton::GetDriver());
}

TEST_F(ConfigDSNTest, ACallUsesTheDriverInUseOrOneOfItsOwnThatItDeletes)
{
    // The fixture's driver, published as the ODBC side publishes its own, is used, not replaced.
    EXPECT_EQ(TRUE_RESULT, Ansi(3, std::string("DSN=Sales\0", 10)));
    EXPECT_EQ(0, s_made);
    EXPECT_EQ(&m_driver, DSIDriverSingleton::GetDriver());
    EXPECT_EQ(1u, LogLines("Removing DSN: Sales").size());

    // Without one, each call makes a driver and deletes it when it ends.
    DSIDriverSingleton::SetDriver(nullptr, nullptr);
    EXPECT_EQ(TRUE_RESULT, Ansi(3, std::string("DSN=Sales\0", 10)));
    EXPECT_EQ(FALSE_RESULT, Ansi(7, ""));
    EXPECT_EQ(2, s_made);
    EXPECT_EQ(2, CountedDriver::s_destroyed);
    EXPECT_EQ(nullptr, DSIDriverSingleton::GetDriver());

    // A driver in use elsewhere (the module's) is shared and outlives the call.
    IDriver* shared = DSIDriverSingleton::AcquireDriver(&Factory);
    EXPECT_EQ(TRUE_RESULT, Ansi(3, std::string("DSN=Sales\0", 10)));
    EXPECT_EQ(3, s_made);
    EXPECT_EQ(shared, DSIDriverSingleton::GetDriver());
    DSIDriverSingleton::ReleaseDriver();
    EXPECT_EQ(3, CountedDriver::s_destroyed);
    EXPECT_EQ(nullptr, DSIDriverSingleton::GetDriver());
}

TEST_F(ConfigDSNTest, NamesArriveWholeInEitherEncoding)
{
    AcceptAsSales();
    EXPECT_EQ(TRUE_RESULT, m_handler.ConfigDSN(nullptr, 3, "Pelta", "DSN=Caf\xC3\xA9\0"));
    {
        ScopedEnvironment encoding("ORVIK_APP_ANSI_ENCODING", std::string("ISO-8859-1"));
        EXPECT_EQ(TRUE_RESULT, m_handler.ConfigDSN(nullptr, 3, "Pelta", "DSN=Caf\xE9\0"));
    }
    EXPECT_EQ(TRUE_RESULT, m_handler.ConfigDSNW(nullptr, 3, u"Pelta", u"X=1\0DSN=Caf\u00e9\0"));
    EXPECT_EQ(TRUE_RESULT, m_handler.ConfigDSNW(nullptr, 1, u"Pelta \u00e9", nullptr));
    EXPECT_EQ((std::vector<std::string>{ "remove Caf\xC3\xA9", "remove Caf\xC3\xA9", "remove Caf\xC3\xA9",
                                         "dsn Sales Pelta \xC3\xA9", "write Sales Driver=Pelta \xC3\xA9",
                                         "write Sales MaxColumnSize=4000", "write Sales Servers=h:1" }),
              m_installer.m_changes);
}

TEST(ConfigDSNAttributeList, TheListIsReadToItsEmptyAttributeWithinItsBound)
{
    const int32_t bound = ConfigDSNHandler::MAX_ATTRIBUTE_LIST_LENGTH;
    const auto read = [](const std::string& in_list) {
        return Pelta::Test::Outcome([&] { ConfigDSNHandler::ReadAttributeList(in_list.c_str(), Orvik::Support::ENC_UTF8); });
    };
    EXPECT_TRUE(ConfigDSNHandler::ReadAttributeList(static_cast<const char*>(nullptr), Orvik::Support::ENC_UTF8).IsNull());
    const orvik_wstring empty = ConfigDSNHandler::ReadAttributeList("", Orvik::Support::ENC_UTF8);
    EXPECT_FALSE(empty.IsNull());
    EXPECT_EQ(0, empty.GetLength());
    EXPECT_EQ(std::u16string(u"A=1\0B=2", 7),
              ConfigDSNHandler::ReadAttributeList("A=1\0B=2\0\0C=3\0", Orvik::Support::ENC_UTF8).GetAsWString());
    EXPECT_EQ(std::u16string(u"A=1\0B=2", 7), ConfigDSNHandler::ReadAttributeList(u"A=1\0B=2\0\0C=3\0").GetAsWString());
    EXPECT_EQ("ok", read(std::string(bound - 2, 'A') + '\0'));
    EXPECT_EQ("kind 1", read(std::string(bound - 1, 'A') + '\0'));
    EXPECT_EQ("ok", read(std::string(bound / 2, 'A') + '\0' + std::string(bound / 2 - 3, 'B') + '\0'));
    const std::u16string wide(static_cast<size_t>(bound), u'A');
    EXPECT_EQ("kind 1", Pelta::Test::Outcome([&] { ConfigDSNHandler::ReadAttributeList(wide.c_str()); }));
}

} // namespace
