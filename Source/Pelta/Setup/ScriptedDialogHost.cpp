#include "Pelta/Setup/ScriptedDialogHost.h"

#include "Pelta/Setup/DialogWindow.h"

#include <cerrno>

namespace Pelta {

namespace {

std::string DescribeOwner(WindowHandle in_owner)
{
    if (in_owner == nullptr)
    {
        return "unowned";
    }
    const DialogWindow* dialog = DialogWindow::FindOpen(in_owner);
    return dialog != nullptr ? "dialog " + std::to_string(dialog->GetTemplate().m_id) : "window";
}

} // namespace

void ScriptedDialogHost::AddScript(Script in_script)
{
    m_scripts.push_back(std::move(in_script));
}

bool ScriptedDialogHost::CanCreateDialog(int32_t /* in_templateId */)
{
    if (m_failedCreations > 0)
    {
        --m_failedCreations;
        return false;
    }
    return true;
}

void ScriptedDialogHost::RunDialog(DialogWindow& io_dialog)
{
    const int32_t id = io_dialog.GetTemplate().m_id;
    m_dialogsRun.push_back(id);
    if (m_scripts.empty())
    {
        m_problems.push_back("dialog " + std::to_string(id) + " had no script");
    }
    else
    {
        const Script script = std::move(m_scripts.front());
        m_scripts.pop_front();
        script(io_dialog);
        if (!io_dialog.IsEnded())
        {
            m_problems.push_back("dialog " + std::to_string(id) + " stayed open");
        }
    }
    if (!io_dialog.IsEnded())
    {
        io_dialog.EndDialog(0);
    }
}

void ScriptedDialogHost::ShowMessageBox(WindowHandle in_owner,
                                        const Orvik::Support::orvik_wstring& in_text,
                                        const Orvik::Support::orvik_wstring& in_title)
{
    m_boxes.push_back(DescribeOwner(in_owner) + "|" + in_title.GetAsUTF8() + "|" + in_text.GetAsUTF8());
}

bool ScriptedDialogHost::SetCursor(SetupCursor in_cursor)
{
    m_cursors.push_back(in_cursor == SetupCursor::Wait ? "wait" : "arrow");
    if (m_failCursors)
    {
        errno = ENOENT;
        return false;
    }
    return true;
}

} // namespace Pelta
