// The connection test against the test server: the texts of success and failure, the settings
// line of the log, a server that never answers, the wait cursor, and the setup dialog's Test
// button, which stores the edits first.

#include "DSI/DSILog.h"
#include "Pelta/DSIDriverFactory.h"
#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/DriverUse.h"
#include "Pelta/Setup/PeltaTestResultDialog.h"
#include "Support/OrvikSettingReader.h"

#include "SetupTestSupport.h"
#include "Support/TestServer.h"
#include "Unit/DSI/RecordingLog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace Pelta;
using Orvik::Support::OrvikSettingReader;
using Orvik::Support::orvik_wstring;
using Pelta::Test::FakeOdbcInstaller;
using Pelta::Test::PrivateRegistry;
using Pelta::Test::ScriptedSetupUi;
using Pelta::Test::TestServer;
using Pelta::Test::Utf8;

namespace {

constexpr int32_t RESULT = 1018;
constexpr char SUCCESS[] = "SUCCESS! \r\n\r\nSuccessfully connected to data source!";

class PeltaTestResultDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new TestServer(); }

    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    PeltaTestResultDialogTest() : m_configuration(u"Pelta", &m_log, m_installer)
    {
        Orvik::Testing::WriteTextFile(m_registry.Directory() / "user.reg",
                                      "[SOFTWARE\\Pelta\\Driver]\n\"ERRORMESSAGESPATH\"=\"" PELTA_MESSAGE_DIRECTORY "\"\n");
        OrvikSettingReader::Shutdown();
        OrvikSettingReader::Initialize(u"Pelta", u"Driver");
        // The driver setup runs on, as ConfigDSN would have it in use.
        m_driver.emplace(&DSIDriverFactory);
        m_log.SetLogLevel(Orvik::DSI::LOG_TRACE);
        m_configuration.SetServers(orvik_wstring(s_server->Address()));
        EXPECT_EQ(200, s_server->Control("POST", "/reset").status);
    }

    ~PeltaTestResultDialogTest() override
    {
        m_driver.reset();
        OrvikSettingReader::Shutdown();
    }

    /// Runs the test dialog: the text its box shows, after Escape (which must not close it) and
    /// then Enter.
    std::string RunTest()
    {
        std::string shown;
        m_ui.m_host.AddScript([&](DialogWindow& io_dialog) {
            shown = Utf8(io_dialog.GetItemText(RESULT));
            io_dialog.Escape();
            EXPECT_FALSE(io_dialog.IsEnded());
            EXPECT_TRUE(io_dialog.Enter());
        });
        EXPECT_TRUE(PeltaTestResultDialog::Show(nullptr, m_configuration));
        return shown;
    }

    std::vector<std::string> LogLines(const std::string& in_text) const
    {
        std::vector<std::string> found;
        for (const std::string& line : m_log.m_entries)
        {
            if (line.find(in_text) != std::string::npos)
            {
                found.push_back(line);
            }
        }
        return found;
    }

    static inline TestServer* s_server = nullptr;

    PrivateRegistry m_registry;
    FakeOdbcInstaller m_installer;
    Orvik::Testing::RecordingLog m_log;
    ScriptedSetupUi m_ui;
    DialogWindow::ThreadHost m_threadHost{ m_ui.m_host };
    std::optional<DriverUse> m_driver;
    PeltaDSNConfiguration m_configuration;
};

TEST_F(PeltaTestResultDialogTest, AServerThatAnswersGivesTheSuccessTextAndOnlyOkCloses)
{
    m_configuration.SetTimeout(u"3");
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(u"Test Results", io_dialog.GetTitle());
        EXPECT_EQ(u"OK", io_dialog.GetItemText(IDOK));
        EXPECT_EQ(SUCCESS, Utf8(io_dialog.GetItemText(RESULT)));
        io_dialog.Escape();
        EXPECT_FALSE(io_dialog.IsEnded());
        io_dialog.Click(IDOK);
    });
    EXPECT_TRUE(PeltaTestResultDialog::Show(nullptr, m_configuration));
    EXPECT_EQ((std::vector<std::string>{ "wait", "arrow" }), m_ui.m_host.GetCursors());
    EXPECT_EQ((std::vector<std::string>{ "INFO  PeltaTestResultDialog::Initialize: Testing connection using settings: "
                                         "Servers="
                                         + s_server->Address() + ";Timeout=3;" }),
              LogLines("Testing connection"));
    EXPECT_EQ(1u, LogLines("INFO  PeltaTestResultDialog::Initialize: Test connected successfully.").size());

    // Below INFO the settings are not written out.
    m_log.SetLogLevel(Orvik::DSI::LOG_WARNING);
    m_log.m_entries.clear();
    EXPECT_EQ(SUCCESS, RunTest());
    EXPECT_TRUE(m_log.m_entries.empty());
    EXPECT_TRUE(m_ui.m_host.GetProblems().empty());
}

// The message of a connection that no server answered, with the reason the one server failed.
std::string NoServer(const std::string& in_server, const std::string& in_reason)
{
    return "[Pelta][Pelta] (34) None of the 1 configured server(s) answered. " + in_server
        + " failed with: [Pelta][Pelta] (1) The request to the server failed: " + in_reason;
}

TEST_F(PeltaTestResultDialogTest, AFailureShowsFailedAndTheDriversMessage)
{
    ASSERT_EQ(200, s_server->Control("POST", "/listeners/0/down").status);
    const std::string message = NoServer(s_server->Address(), "Couldn't connect to server");
    EXPECT_EQ("FAILED!\r\n\r\n" + message, RunTest());
    EXPECT_EQ(1u, LogLines("ERROR PeltaTestResultDialog::Initialize: " + message).size());

    m_configuration.SetServers(u"no-port-here");
    EXPECT_EQ("FAILED!\r\n\r\n[Pelta][Pelta] (13) The \"Servers\" setting names no server: give host:port, or several "
              "separated by commas.",
              RunTest());
    EXPECT_TRUE(m_ui.m_host.GetMessageBoxes().empty());
}

TEST_F(PeltaTestResultDialogTest, AServerThatNeverAnswersFailsWithinTheTimeout)
{
    ASSERT_EQ(200, s_server->Control("POST", "/faults", R"({"method":"GET","delay":10,"times":-1})").status);
    m_configuration.SetTimeout(u"1");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ("FAILED!\r\n\r\n" + NoServer(s_server->Address(), "Timeout was reached"), RunTest());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(PeltaTestResultDialogTest, AWaitCursorThatCannotBeShownFailsTheTestAndTheArrowsErrorIsABox)
{
    m_ui.m_host.FailCursors(true);
    const std::string cursorError = std::string("[Pelta][Pelta] (31) The cursor cannot be shown: ") + std::strerror(ENOENT);
    // The arrow cursor fails too: its error leaves the text box empty and shows a box.
    EXPECT_EQ("", RunTest());
    EXPECT_EQ(1u, LogLines("ERROR PeltaTestResultDialog::Initialize: " + cursorError).size());
    EXPECT_EQ((std::vector<std::string>{ "dialog 102|DSN Configuration Error|" + cursorError }), m_ui.m_host.GetMessageBoxes());
}

TEST_F(PeltaTestResultDialogTest, TheSetupDialogsTestButtonStoresTheEditsFirstAndARefusedNameStopsIt)
{
    m_configuration.SetDSN(u"Sales");
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        io_dialog.Type(1026, u" " + orvik_wstring(s_server->Address()).GetAsWString() + u" ");
        io_dialog.Type(1028, u"2");
        EXPECT_TRUE(io_dialog.Click(1008));
        io_dialog.Type(1002, u"Sal=es");
        EXPECT_TRUE(io_dialog.Click(1008));
        io_dialog.Escape();
    });
    std::string shown;
    m_ui.m_host.AddScript([&](DialogWindow& io_dialog) {
        EXPECT_EQ(101, io_dialog.GetParentDialog()->GetTemplate().m_id);
        EXPECT_EQ("2", Utf8(m_configuration.GetTimeout()));
        shown = Utf8(io_dialog.GetItemText(RESULT));
        io_dialog.Enter();
    });
    EXPECT_EQ(DialogResult::Cancelled, m_ui.m_ui.ShowMainDialog(nullptr, m_configuration, false));
    EXPECT_EQ(SUCCESS, shown);
    EXPECT_EQ(s_server->Address(), Utf8(m_configuration.GetServers()));
    // The refused name is shown by the dialog procedure, and no test runs.
    EXPECT_EQ((std::vector<int32_t>{ 101, 102 }), m_ui.m_host.GetDialogsRun());
    EXPECT_EQ((std::vector<std::string>{ "dialog 101|DSN Configuration Error|Request failed." }), m_ui.m_host.GetMessageBoxes());
    EXPECT_EQ(1u, LogLines("ERROR PeltaMainDialog::ActionProc: Request failed.").size());
    EXPECT_EQ("Sales", Utf8(m_configuration.GetDSN()));
}

} // namespace
