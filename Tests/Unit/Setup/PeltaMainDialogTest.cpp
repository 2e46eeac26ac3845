// The setup dialog under a scripted user: its texts, what it enables in each of its three modes,
// its edit limits, the values it stores and the error box of a refused name.

#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/PeltaMainDialog.h"

#include "SetupTestSupport.h"
#include "Unit/DSI/RecordingLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Pelta;
using Pelta::Test::FakeOdbcInstaller;
using Pelta::Test::PrivateRegistry;
using Pelta::Test::ScriptedSetupUi;
using Pelta::Test::Utf8;
using Orvik::Support::orvik_wstring;

namespace {

constexpr int32_t NAME = 1002;
constexpr int32_t DESCRIPTION = 1003;
constexpr int32_t SERVERS = 1026;
constexpr int32_t MAX_COLUMN_SIZE = 1022;
constexpr int32_t TIMEOUT = 1028;
constexpr int32_t RE_ENTRY_TIME = 1036;
constexpr int32_t TEST = 1008;
constexpr int32_t LOGGING = 1009;

std::string Text(const DialogWindow& in_dialog, int32_t in_id)
{
    return Utf8(in_dialog.GetItemText(in_id));
}

// "OK Test" as far as they are enabled, for the enabling rules.
std::string EnabledButtons(const DialogWindow& in_dialog)
{
    return std::string(in_dialog.IsItemEnabled(IDOK) ? "OK" : "-") + (in_dialog.IsItemEnabled(TEST) ? " Test" : " -");
}

class PeltaMainDialogTest : public ::testing::Test
{
protected:
    PeltaMainDialogTest() { m_log.SetLogLevel(Orvik::DSI::LOG_TRACE); }

    DialogResult Show(PeltaDSNConfiguration& io_configuration, bool in_requiredOnly = false)
    {
        return m_ui.m_ui.ShowMainDialog(nullptr, io_configuration, in_requiredOnly);
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

    PrivateRegistry m_registry;
    FakeOdbcInstaller m_installer;
    Orvik::Testing::RecordingLog m_log;
    ScriptedSetupUi m_ui;
};

TEST_F(PeltaMainDialogTest, AddingOffersEverythingOnceNameAndServersAreGivenAndStoresTheValuesTrimmed)
{
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    configuration.LoadDefaults();
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(u"Pelta ODBC Driver DSN Setup", io_dialog.GetTitle());
        EXPECT_EQ("v01.00.00.1000 (64 bit)", Text(io_dialog, 1011));
        const std::vector<std::string> texts = { Text(io_dialog, 1000), Text(io_dialog, 1004), Text(io_dialog, 1021),
                                                 Text(io_dialog, 1023), Text(io_dialog, 1020), Text(io_dialog, 1030),
                                                 Text(io_dialog, 1033), Text(io_dialog, TEST), Text(io_dialog, LOGGING),
                                                 Text(io_dialog, IDOK), Text(io_dialog, IDCANCEL) };
        EXPECT_EQ((std::vector<std::string>{ "Data Source Name:", "Description:", "Servers:",
                                             "Comma separated host:port values. \ne.g. host1:port1, host2:port2",
                                             "Max String Column Size:", "Timeout:", "Re-Entry Time:", "Test...",
                                             "Logging Options...", "OK", "Cancel" }),
                  texts);
        EXPECT_EQ(200, io_dialog.GetSmallIcon());
        EXPECT_EQ("4000", Text(io_dialog, MAX_COLUMN_SIZE));

        EXPECT_EQ("- -", EnabledButtons(io_dialog));
        io_dialog.Type(SERVERS, u" h:1 ");
        EXPECT_EQ("- -", EnabledButtons(io_dialog)) << "no name yet";
        io_dialog.Type(NAME, u"   ");
        EXPECT_EQ("- -", EnabledButtons(io_dialog)) << "a blank name";
        EXPECT_FALSE(io_dialog.Type(NAME, std::u16string(33, u'n')));
        EXPECT_EQ(std::string(32, 'n'), Text(io_dialog, NAME));
        EXPECT_EQ("OK Test", EnabledButtons(io_dialog));
        io_dialog.Type(SERVERS, u"  ");
        EXPECT_EQ("- -", EnabledButtons(io_dialog)) << "blank servers";

        io_dialog.Type(NAME, u" Sales ");
        io_dialog.Type(SERVERS, u" h:1 , h:2 ");
        io_dialog.Type(DESCRIPTION, u"\tMain data ");
        EXPECT_FALSE(io_dialog.Type(TIMEOUT, u" 7 ")) << "digits only";
        io_dialog.Type(RE_ENTRY_TIME, u"45");
        EXPECT_TRUE(io_dialog.Click(IDOK));
    });
    EXPECT_EQ(DialogResult::Accepted, Show(configuration));
    EXPECT_EQ("Sales", Utf8(configuration.GetDSN()));
    EXPECT_EQ("Main data", Utf8(configuration.GetDescription()));
    EXPECT_EQ("h:1 , h:2", Utf8(configuration.GetServers()));
    EXPECT_EQ("4000", Utf8(configuration.GetMaxColumnSize()));
    EXPECT_EQ("7", Utf8(configuration.GetTimeout()));
    EXPECT_EQ("45", Utf8(configuration.GetReEntryTime()));
    EXPECT_EQ(1u, LogLines("TRACE PeltaMainDialog::Initialize: Creating a new DSN.").size());
    EXPECT_TRUE(m_ui.m_host.GetProblems().empty());
}

TEST_F(PeltaMainDialogTest, ARefusedNameIsShownAndTheDialogStaysOpenWithNothingStored)
{
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    configuration.LoadDefaults();
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        io_dialog.Type(NAME, u"x[y");
        io_dialog.Type(SERVERS, u"h:1");
        io_dialog.Type(DESCRIPTION, u"kept back");
        EXPECT_TRUE(io_dialog.Click(IDOK));
        EXPECT_FALSE(io_dialog.IsEnded());
        io_dialog.Type(NAME, u"Sales");
        EXPECT_TRUE(io_dialog.Enter());
    });
    EXPECT_EQ(DialogResult::Accepted, Show(configuration));
    EXPECT_EQ((std::vector<std::string>{ "dialog 101|DSN Configuration Error|Request failed." }), m_ui.m_host.GetMessageBoxes());
    EXPECT_EQ((std::vector<std::string>{ "ERROR PeltaMainDialog::DoOkAction: Request failed." }), LogLines("ERROR"));
    EXPECT_EQ("Sales", Utf8(configuration.GetDSN()));

    // Cancelled, the dialog stores nothing.
    PeltaDSNConfiguration untouched(u"Pelta", &m_log, m_installer);
    untouched.LoadDefaults();
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        io_dialog.Type(NAME, u"Other");
        io_dialog.Type(SERVERS, u"h:9");
        io_dialog.Escape();
    });
    EXPECT_EQ(DialogResult::Cancelled, Show(untouched));
    EXPECT_EQ("", Utf8(untouched.GetDSN()));
    EXPECT_EQ("", Utf8(untouched.GetServers()));
}

TEST_F(PeltaMainDialogTest, ConfiguringKeepsTheNameFixedButStillPassesItOn)
{
    m_installer.AddSection("Sales", { { "Driver", "Pelta" }, { "Servers", "h:1" }, { "DESCRIPTION", "old" } });
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    configuration.Load(orvik_wstring(u"DSN=Sales"));
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(u"Pelta ODBC Driver DSN Setup", io_dialog.GetTitle());
        EXPECT_EQ("Sales", Text(io_dialog, NAME));
        EXPECT_FALSE(io_dialog.IsItemEnabled(NAME));
        EXPECT_EQ("old", Text(io_dialog, DESCRIPTION));
        EXPECT_EQ("OK Test", EnabledButtons(io_dialog));
        EXPECT_TRUE(io_dialog.IsItemVisible(LOGGING));
        io_dialog.Type(DESCRIPTION, u"new");
        io_dialog.Click(IDOK);
    });
    EXPECT_EQ(DialogResult::Accepted, Show(configuration));
    EXPECT_EQ("Sales", Utf8(configuration.GetDSN()));
    EXPECT_EQ("new", Utf8(configuration.GetDescription()));
    EXPECT_EQ(1u, LogLines("TRACE PeltaMainDialog::Initialize: Modifying existing DSN.").size());
}

TEST_F(PeltaMainDialogTest, APromptAsksForSettingsOnlyAndRequiredOnlyFixesTheColumnSizeToo)
{
    for (const bool requiredOnly : { false, true })
    {
        SCOPED_TRACE(requiredOnly ? "required only" : "all settings");
        PeltaDSNConfiguration configuration(u"", &m_log, m_installer);
        configuration.LoadConnectionSettings({ { u"DRIVER", Orvik::Support::Variant("{Pelta}") },
                                               { u"Timeout", Orvik::Support::Variant("3") } });
        m_ui.m_host.AddScript([requiredOnly](DialogWindow& io_dialog) {
            EXPECT_EQ(u"Pelta ODBC Driver Connection Dialog", io_dialog.GetTitle());
            EXPECT_FALSE(io_dialog.IsItemEnabled(NAME));
            EXPECT_FALSE(io_dialog.IsItemEnabled(DESCRIPTION));
            EXPECT_FALSE(io_dialog.IsItemVisible(TEST));
            EXPECT_FALSE(io_dialog.IsItemVisible(LOGGING));
            EXPECT_EQ(!requiredOnly, io_dialog.IsItemEnabled(MAX_COLUMN_SIZE));
            EXPECT_TRUE(io_dialog.IsItemEnabled(TIMEOUT));
            EXPECT_TRUE(io_dialog.IsItemEnabled(RE_ENTRY_TIME));
            EXPECT_EQ("3", Text(io_dialog, TIMEOUT));
            EXPECT_FALSE(io_dialog.IsItemEnabled(IDOK));
            io_dialog.Type(SERVERS, u" typed:1 ");
            EXPECT_TRUE(io_dialog.IsItemEnabled(IDOK)) << "no name is needed";
            EXPECT_FALSE(io_dialog.Click(TEST));
            io_dialog.Click(IDOK);
        });
        EXPECT_EQ(DialogResult::Accepted, Show(configuration, requiredOnly));
        Orvik::Support::VariantMap settings;
        configuration.RetrieveConnectionSettings(settings);
        std::string retrieved;
        for (const auto& setting : settings)
        {
            retrieved += Utf8(setting.first) + "=" + setting.second.GetString() + ";";
        }
        EXPECT_EQ("DESCRIPTION=;DRIVER={Pelta};MaxColumnSize=;ReEntryTime=;Servers=typed:1;Timeout=3;", retrieved);
    }
    EXPECT_EQ(2u, LogLines("TRACE PeltaMainDialog::Initialize: Showing a connection dialog.").size());
}

TEST_F(PeltaMainDialogTest, ADialogThatCannotBeMadeIsNeverTakenForAcceptance)
{
    PeltaDSNConfiguration configuration(u"Pelta", &m_log, m_installer);
    configuration.LoadDefaults();
    m_ui.m_host.FailDialogCreations(1);
    EXPECT_EQ(DialogResult::NotShown, Show(configuration));
    // Without any host, the dialog itself answers false.
    EXPECT_FALSE(PeltaMainDialog::Show(nullptr, configuration, false));
    EXPECT_TRUE(m_ui.m_host.GetDialogsRun().empty());
}

} // namespace
