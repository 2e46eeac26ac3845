// The logging dialog under a scripted user: the level it selects for a stored level, what the
// level enables, the values it stores, and refused sizes and counts that store nothing.

#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/PeltaLoggingDialog.h"

#include "SetupTestSupport.h"
#include "Unit/DSI/RecordingLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Pelta;
using Pelta::Test::FakeOdbcInstaller;
using Pelta::Test::PrivateRegistry;
using Pelta::Test::ScriptedSetupUi;
using Pelta::Test::Utf8;
using Orvik::Support::orvik_wstring;

namespace {

constexpr int32_t LEVEL = 1014;
constexpr int32_t PATH = 1013;
constexpr int32_t FILE_COUNT = 1029;
constexpr int32_t FILE_SIZE = 1031;

constexpr char SIZE_TEXT[] = "Invalid value for the maximum size of each log file in MB, valid values are [0, 4096].";
constexpr char COUNT_TEXT[] =
    "Invalid value for the maximum number of log files to use in rotation, valid values are [0, 4294967295].";

// "level|path|count|size" of a configuration.
std::string Logging(const PeltaDSNConfiguration& in_configuration)
{
    return Utf8(in_configuration.GetLogLevel()) + "|" + Utf8(in_configuration.GetLogPath()) + "|"
           + Utf8(in_configuration.GetLogFileCount()) + "|" + Utf8(in_configuration.GetLogFileSize());
}

// "path count size OK" as far as they are enabled.
std::string Enabled(const DialogWindow& in_dialog)
{
    std::string enabled;
    for (const auto& control : { std::make_pair(PATH, "path"), std::make_pair(FILE_COUNT, "count"),
                                 std::make_pair(FILE_SIZE, "size"), std::make_pair(IDOK, "OK") })
    {
        enabled += std::string(enabled.empty() ? "" : " ") + (in_dialog.IsItemEnabled(control.first) ? control.second : "-");
    }
    return enabled;
}

class PeltaLoggingDialogTest : public ::testing::Test
{
protected:
    PeltaLoggingDialogTest() : m_configuration(u"Pelta", &m_log, m_installer)
    {
        m_log.SetLogLevel(Orvik::DSI::LOG_TRACE);
        m_configuration.SetLogLevel(u"2");
        m_configuration.SetLogPath(u"/old");
        m_configuration.SetLogFileCount(u"50");
        m_configuration.SetLogFileSize(u"20");
    }

    bool Show() { return PeltaLoggingDialog::Show(nullptr, m_configuration); }

    PrivateRegistry m_registry;
    FakeOdbcInstaller m_installer;
    Orvik::Testing::RecordingLog m_log;
    ScriptedSetupUi m_ui;
    DialogWindow::ThreadHost m_threadHost{ m_ui.m_host };
    PeltaDSNConfiguration m_configuration;
};

TEST_F(PeltaLoggingDialogTest, TheStoredLevelSelectsItsEntryInTheLevelList)
{
    const struct
    {
        const char16_t* m_stored;
        int32_t m_selected;
    } cases[] = {
        { u"LOG_DEBUG", 5 }, { u"Debug", 5 }, { u"dEBUG", 5 }, { u"5", 5 }, { u"Trace", 6 }, { u"9", 6 },
        { u"log_info", 4 },  { u"0", 0 },     { u"", 0 },      { u"junk", 0 }, { u"-1", 0 }, { u"LOG_", 0 },
    };
    for (const auto& c : cases)
    {
        m_configuration.SetLogLevel(c.m_stored);
        int32_t selected = -2;
        m_ui.m_host.AddScript([&](DialogWindow& io_dialog) {
            selected = io_dialog.GetCurSel(LEVEL);
            io_dialog.Escape();
        });
        EXPECT_FALSE(Show());
        EXPECT_EQ(c.m_selected, selected) << Utf8(orvik_wstring(c.m_stored));
    }
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(u"Logging Options", io_dialog.GetTitle());
        const DialogWindow::Control& list = *io_dialog.FindItem(LEVEL);
        EXPECT_EQ((std::vector<std::u16string>{ u"LOG_OFF", u"LOG_FATAL", u"LOG_ERROR", u"LOG_WARNING", u"LOG_INFO",
                                                u"LOG_DEBUG", u"LOG_TRACE" }),
                  list.m_items);
        EXPECT_EQ("Log Level:|Log Path:|Log Rotation|Max Number Files:|Max File Size (MB):",
                  Utf8(io_dialog.GetItemText(1015)) + "|" + Utf8(io_dialog.GetItemText(1016)) + "|"
                      + Utf8(io_dialog.GetItemText(1017)) + "|" + Utf8(io_dialog.GetItemText(1032)) + "|"
                      + Utf8(io_dialog.GetItemText(1034)));
        io_dialog.Escape();
    });
    Show();
    EXPECT_TRUE(m_ui.m_host.GetProblems().empty());
}

TEST_F(PeltaLoggingDialogTest, TheLevelDecidesWhatIsEnabledAndOkStoresTheFourValues)
{
    m_configuration.SetLogLevel(u"0");
    m_configuration.SetLogPath(u"");
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ("- - - OK", Enabled(io_dialog)) << "LOG_OFF needs nothing";
        EXPECT_TRUE(io_dialog.Select(LEVEL, 4));
        EXPECT_EQ("path count size -", Enabled(io_dialog)) << "no path";
        io_dialog.Type(PATH, u" /var/log/pelta ");
        EXPECT_EQ("path count size OK", Enabled(io_dialog));
        io_dialog.Type(FILE_SIZE, u" ");
        EXPECT_EQ("path count size -", Enabled(io_dialog));
        io_dialog.Type(FILE_SIZE, u"4096");
        io_dialog.Type(FILE_COUNT, u"");
        EXPECT_EQ("path count size -", Enabled(io_dialog));
        io_dialog.Type(FILE_COUNT, u"4294967295");
        EXPECT_TRUE(io_dialog.Click(IDOK));
    });
    EXPECT_TRUE(Show());
    EXPECT_EQ("4|/var/log/pelta|4294967295|4096", Logging(m_configuration));
}

TEST_F(PeltaLoggingDialogTest, ARefusedSizeOrCountIsShownAndNothingIsStoredNorKeptAfterCancel)
{
    const struct
    {
        const char16_t* m_size;
        const char16_t* m_count;
        bool m_logOff;
        const char* m_box;
    } cases[] = {
        { u"4097", u"50", false, SIZE_TEXT },
        { u"70000", u"50", false, SIZE_TEXT },
        { u"ten", u"50", false, SIZE_TEXT },
        { u"20", u"4294967296", false, COUNT_TEXT },
        { u"20", u"-1", false, COUNT_TEXT },
        { u"5000", u"-1", false, SIZE_TEXT }, // the size is checked first
        { u"5000", u"50", true, SIZE_TEXT },  // left in the disabled edit under LOG_OFF
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(Utf8(orvik_wstring(c.m_size)) + " " + Utf8(orvik_wstring(c.m_count)));
        const size_t boxes = m_ui.m_host.GetMessageBoxes().size();
        const size_t entries = m_log.m_entries.size();
        m_ui.m_host.AddScript([&](DialogWindow& io_dialog) {
            io_dialog.Select(LEVEL, 6);
            io_dialog.Type(PATH, u"/new");
            io_dialog.Type(FILE_SIZE, c.m_size);
            io_dialog.Type(FILE_COUNT, c.m_count);
            if (c.m_logOff)
            {
                io_dialog.Select(LEVEL, 0);
            }
            EXPECT_TRUE(io_dialog.Click(IDOK));
            EXPECT_FALSE(io_dialog.IsEnded());
            io_dialog.Click(IDCANCEL);
        });
        EXPECT_FALSE(Show());
        ASSERT_EQ(boxes + 1, m_ui.m_host.GetMessageBoxes().size());
        EXPECT_EQ(std::string("dialog 103|DSN Configuration Error|") + c.m_box, m_ui.m_host.GetMessageBoxes().back());
        const std::string logged = std::string("ERROR PeltaLoggingDialog::ActionProc: ") + c.m_box;
        EXPECT_NE(m_log.m_entries.end(), std::find(m_log.m_entries.begin() + static_cast<long>(entries), m_log.m_entries.end(), logged));
        EXPECT_EQ("2|/old|50|20", Logging(m_configuration));
    }
}

TEST_F(PeltaLoggingDialogTest, TheSetupDialogOpensItOverItselfOnTheSameConfiguration)
{
    m_configuration.SetDSN(u"Sales");
    m_configuration.SetServers(u"h:1");
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_TRUE(io_dialog.Click(1009));
        io_dialog.Escape();
    });
    m_ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(101, io_dialog.GetParentDialog()->GetTemplate().m_id);
        io_dialog.Select(LEVEL, 3);
        io_dialog.Type(FILE_SIZE, u"70000");
        io_dialog.Click(IDOK);
        io_dialog.Type(FILE_SIZE, u"1");
        io_dialog.Click(IDOK);
    });
    // The setup dialog is cancelled: what the logging dialog stored stays in the configuration,
    // which its caller then drops.
    EXPECT_EQ(DialogResult::Cancelled, m_ui.m_ui.ShowMainDialog(nullptr, m_configuration, false));
    EXPECT_EQ((std::vector<std::string>{ std::string("dialog 103|DSN Configuration Error|") + SIZE_TEXT }),
              m_ui.m_host.GetMessageBoxes());
    EXPECT_EQ("3|/old|50|1", Logging(m_configuration));
    EXPECT_TRUE(m_ui.m_host.GetProblems().empty());
}

} // namespace
