// The dialog layer: a modal dialog's life and messages, what a user can and cannot do to its
// controls, placement over its owner, and the scripted host's guard against dialogs left open.

#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/ScriptedDialogHost.h"
#include "Pelta/Setup/SetupDialogSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Pelta;

namespace {

constexpr int32_t SETUP_TEMPLATE = 101;
constexpr int32_t TEST_RESULT_TEMPLATE = 102;
constexpr int32_t LOGGING_TEMPLATE = 103;

// A dialog procedure that records every message as one line and lets a test answer commands.
struct RecordingProc
{
    static inline std::vector<std::string> s_messages;
    static inline std::function<void(DialogWindow&, int32_t)> s_onCommand;

    static intptr_t Proc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
    {
        switch (in_message)
        {
        case WM_INITDIALOG:
            s_messages.push_back("init " + std::to_string(in_lParam));
            return MESSAGE_HANDLED;
        case WM_COMMAND:
            s_messages.push_back("command " + std::to_string(CommandId(in_wParam)) + "/"
                                 + std::to_string(CommandNotification(in_wParam)));
            if (s_onCommand)
            {
                s_onCommand(io_dialog, CommandId(in_wParam));
            }
            return MESSAGE_HANDLED;
        case WM_DESTROY:
            s_messages.push_back("destroy");
            return MESSAGE_HANDLED;
        case WM_NCDESTROY:
            s_messages.push_back("ncdestroy");
            return MESSAGE_HANDLED;
        default:
            return MESSAGE_NOT_HANDLED;
        }
    }
};

class DialogWindowTest : public ::testing::Test
{
protected:
    DialogWindowTest()
    {
        RecordingProc::s_messages.clear();
        // OK ends with 1 and Cancel with 0, as the setup dialogs do.
        RecordingProc::s_onCommand = [](DialogWindow& io_dialog, int32_t in_id) {
            if (in_id == IDOK || in_id == IDCANCEL)
            {
                io_dialog.EndDialog(in_id == IDOK ? 1 : 0);
            }
        };
    }

    intptr_t Run(int32_t in_template, WindowHandle in_owner = nullptr, intptr_t in_param = 7)
    {
        return DialogWindow::RunModal(in_template, in_owner, &RecordingProc::Proc, in_param);
    }

    ScriptedDialogHost m_host;
    DialogWindow::ThreadHost m_threadHost{ m_host };
};

TEST(DialogWindow, NoDialogIsMadeWithoutAHostThatCanMakeIt)
{
    RecordingProc::s_messages.clear();
    EXPECT_EQ(DIALOG_NOT_CREATED, DialogWindow::RunModal(SETUP_TEMPLATE, nullptr, &RecordingProc::Proc, 0));

    ScriptedDialogHost host;
    const DialogWindow::ThreadHost threadHost(host);
    host.FailDialogCreations(1);
    EXPECT_EQ(DIALOG_NOT_CREATED, DialogWindow::RunModal(SETUP_TEMPLATE, nullptr, &RecordingProc::Proc, 0));
    EXPECT_EQ(DIALOG_NOT_CREATED, DialogWindow::RunModal(999, nullptr, &RecordingProc::Proc, 0));
    EXPECT_TRUE(RecordingProc::s_messages.empty());
    EXPECT_TRUE(host.GetDialogsRun().empty());
}

TEST_F(DialogWindowTest, TheProcedureSeesTheDialogsWholeLifeAndTheUsersCommands)
{
    m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(u"Logging Configuration", io_dialog.GetTitle());
        EXPECT_TRUE(io_dialog.Type(1013, u"/var/log"));
        io_dialog.AddString(1014, u"first");
        io_dialog.AddString(1014, u"second");
        EXPECT_TRUE(io_dialog.Select(1014, 1));
        EXPECT_EQ(1, io_dialog.GetCurSel(1014));
        EXPECT_TRUE(io_dialog.Enter());
        // Nothing reaches an ended dialog.
        EXPECT_FALSE(io_dialog.Click(IDCANCEL));
        io_dialog.Escape();
    });
    EXPECT_EQ(1, Run(LOGGING_TEMPLATE));
    EXPECT_EQ((std::vector<std::string>{ "init 7", "command 1013/768", "command 1014/1", "command 1/0", "destroy", "ncdestroy" }),
              RecordingProc::s_messages);
    EXPECT_TRUE(m_host.GetProblems().empty());
}

TEST_F(DialogWindowTest, AUserCannotActOnWhatIsDisabledHiddenReadOnlyOrOfAnotherKind)
{
    m_host.AddScript([](DialogWindow& io_dialog) {
        io_dialog.EnableItem(1002, false);
        io_dialog.ShowItem(1026, false);
        io_dialog.EnableItem(1008, false);
        io_dialog.ShowItem(1009, false);
        io_dialog.EnableItem(IDOK, false);
        EXPECT_FALSE(io_dialog.Type(1002, u"x"));
        EXPECT_FALSE(io_dialog.Type(1026, u"x"));
        EXPECT_FALSE(io_dialog.Type(1000, u"x")) << "a label";
        EXPECT_FALSE(io_dialog.Type(4711, u"x")) << "no such control";
        EXPECT_FALSE(io_dialog.Click(1008));
        EXPECT_FALSE(io_dialog.Click(1009));
        EXPECT_FALSE(io_dialog.Click(1003)) << "an edit";
        EXPECT_FALSE(io_dialog.Enter()) << "the default button is disabled";
        EXPECT_FALSE(io_dialog.Select(1002, 0)) << "not a combo box";
        EXPECT_EQ(u"", io_dialog.GetItemText(1002));
        io_dialog.Escape();
    });
    m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_FALSE(io_dialog.Type(1018, u"x")) << "read-only";
        EXPECT_TRUE(io_dialog.Click(IDOK));
    });
    EXPECT_EQ(0, Run(SETUP_TEMPLATE));
    EXPECT_EQ((std::vector<std::string>{ "init 7", "command 2/0", "destroy", "ncdestroy" }), RecordingProc::s_messages);
    EXPECT_EQ(1, Run(TEST_RESULT_TEMPLATE));
}

TEST_F(DialogWindowTest, TypingHonoursLimitAndDigitsWhileTheProcedureSetsAnyText)
{
    m_host.AddScript([](DialogWindow& io_dialog) {
        io_dialog.LimitText(1002, 4);
        EXPECT_FALSE(io_dialog.Type(1002, u"abcdef"));
        EXPECT_EQ(u"abcd", io_dialog.GetItemText(1002));
        EXPECT_TRUE(io_dialog.Type(1002, u"ab"));
        EXPECT_EQ(u"ab", io_dialog.GetItemText(1002));

        EXPECT_FALSE(io_dialog.Type(1022, u"4a0-0"));
        EXPECT_EQ(u"400", io_dialog.GetItemText(1022));

        RecordingProc::s_messages.clear();
        io_dialog.SetItemText(1002, u"longer than four");
        io_dialog.SetItemText(1022, u"x1");
        io_dialog.SetItemText(1000, u"a label changes silently");
        EXPECT_EQ(u"longer than four", io_dialog.GetItemText(1002));
        EXPECT_EQ(u"x1", io_dialog.GetItemText(1022));
        EXPECT_EQ((std::vector<std::string>{ "command 1002/768", "command 1022/768" }), RecordingProc::s_messages);
        io_dialog.Escape();
    });
    EXPECT_EQ(0, Run(SETUP_TEMPLATE));
}

TEST_F(DialogWindowTest, ANestedDialogIsCentredOverItsParentAndAnotherWindowIsNeverLookedInto)
{
    m_host.SetDesktopRect({ 0, 0, 1000, 800 });
    SetupRect nested{};
    SetupRect parent{};
    RecordingProc::s_onCommand = [&](DialogWindow& io_dialog, int32_t in_id) {
        if (in_id == 1009)
        {
            EXPECT_EQ(1, DialogWindow::RunModal(LOGGING_TEMPLATE, io_dialog.GetHandle(), &RecordingProc::Proc, 0));
        }
        else if (in_id == IDOK)
        {
            io_dialog.EndDialog(1);
        }
    };
    m_host.AddScript([&](DialogWindow& io_dialog) {
        io_dialog.Move(40, 30);
        CenterDialog(io_dialog);
        parent = io_dialog.GetRect();
        EXPECT_TRUE(io_dialog.Click(1009));
        EXPECT_TRUE(io_dialog.Click(IDOK));
    });
    m_host.AddScript([&](DialogWindow& io_dialog) {
        EXPECT_EQ(SETUP_TEMPLATE, io_dialog.GetParentDialog()->GetTemplate().m_id);
        CenterDialog(io_dialog);
        nested = io_dialog.GetRect();
        EXPECT_TRUE(io_dialog.Click(IDOK));
    });
    // A window of the application: compared with the open dialogs, never dereferenced.
    const WindowHandle foreign = reinterpret_cast<WindowHandle>(uintptr_t{ 0x10 });
    EXPECT_EQ(1, Run(SETUP_TEMPLATE, foreign));

    // 279 by 177 dialog units are 418 by 287 pixels, centred on the desktop; the logging dialog
    // (307 by 201 pixels) centred on it.
    const auto line = [](const SetupRect& in_rect) {
        return std::to_string(in_rect.m_left) + "," + std::to_string(in_rect.m_top) + "," + std::to_string(in_rect.m_right)
               + "," + std::to_string(in_rect.m_bottom);
    };
    EXPECT_EQ("291,256,709,543", line(parent));
    EXPECT_EQ("346,299,653,500", line(nested));
    EXPECT_EQ(nullptr, DialogWindow::FindOpen(foreign));
}

TEST_F(DialogWindowTest, ADialogWithoutScriptOrLeftOpenEndsAndIsReported)
{
    m_host.AddScript([](DialogWindow& io_dialog) { io_dialog.Type(1002, u"x"); });
    EXPECT_EQ(0, Run(SETUP_TEMPLATE));
    EXPECT_EQ(0, Run(LOGGING_TEMPLATE));
    EXPECT_EQ((std::vector<std::string>{ "dialog 101 stayed open", "dialog 103 had no script" }), m_host.GetProblems());
}

TEST_F(DialogWindowTest, ControlTextsAreReadTrimmedAndANullTextWritesEmpty)
{
    m_host.AddScript([](DialogWindow& io_dialog) {
        SetDialogItemText(io_dialog, 1003, u"  \t value with inner blanks \t ");
        EXPECT_EQ("value with inner blanks", GetDialogItemText(io_dialog, 1003).GetAsUTF8());
        SetDialogItemText(io_dialog, 1003, u"   ");
        EXPECT_EQ(0, GetDialogItemText(io_dialog, 1003).GetLength());
        EXPECT_FALSE(GetDialogItemText(io_dialog, 4711).IsNull());
        SetDialogItemText(io_dialog, 1003, Orvik::Support::orvik_wstring());
        EXPECT_EQ(u"", io_dialog.GetItemText(1003));
        SetDialogIcon(io_dialog, 201);
        EXPECT_EQ(0, io_dialog.GetSmallIcon()) << "the module has no icon 201";
        SetDialogIcon(io_dialog, 200);
        EXPECT_EQ(200, io_dialog.GetSmallIcon());
        io_dialog.Escape();
    });
    EXPECT_EQ(0, Run(SETUP_TEMPLATE));
}

} // namespace
