#pragma once

#include "Pelta/Setup/IDialogHost.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace Pelta {

/// A dialog host whose user is a program: each dialog made runs the next script, which acts on it
/// as a person would (DialogWindow's Type, Select, Click, Enter, Escape) and looks at its
/// controls. Boxes and cursors are recorded. A dialog without a script, or still open after its
/// script, is recorded as a problem and ended with 0, so that nothing waits for a user who is not
/// there.
class ScriptedDialogHost : public IDialogHost
{
public:
    using Script = std::function<void(DialogWindow& io_dialog)>;

    /// The desktop until SetDesktopRect.
    static constexpr SetupRect DEFAULT_DESKTOP{ 0, 0, 1920, 1080 };

    /// Appends the script of the next dialog to be made (nested dialogs take theirs in turn).
    void AddScript(Script in_script);

    /// The next in_count dialogs cannot be made.
    void FailDialogCreations(int32_t in_count) { m_failedCreations = in_count; }

    /// From now on cursors cannot be shown (errno ENOENT), or can again.
    void FailCursors(bool in_fail) { m_failCursors = in_fail; }

    void SetDesktopRect(const SetupRect& in_desktop) { m_desktop = in_desktop; }

    /// "owner|title|text" of each box, the owner being "unowned", "dialog <template id>" for an
    /// open dialog, or "window" for another window.
    const std::vector<std::string>& GetMessageBoxes() const { return m_boxes; }

    /// "wait" or "arrow" for each cursor asked for.
    const std::vector<std::string>& GetCursors() const { return m_cursors; }

    /// What went against the script: "dialog <id> had no script", "dialog <id> stayed open".
    const std::vector<std::string>& GetProblems() const { return m_problems; }

    /// The template id of each dialog run, in order.
    const std::vector<int32_t>& GetDialogsRun() const { return m_dialogsRun; }

    /// Scripts not used yet.
    size_t GetPendingScripts() const { return m_scripts.size(); }

    bool CanCreateDialog(int32_t in_templateId) override;
    void RunDialog(DialogWindow& io_dialog) override;
    void ShowMessageBox(WindowHandle in_owner,
                        const Orvik::Support::orvik_wstring& in_text,
                        const Orvik::Support::orvik_wstring& in_title) override;
    bool SetCursor(SetupCursor in_cursor) override;
    SetupRect GetDesktopRect() override { return m_desktop; }

private:
    std::deque<Script> m_scripts;
    int32_t m_failedCreations = 0;
    bool m_failCursors = false;
    SetupRect m_desktop = DEFAULT_DESKTOP;
    std::vector<std::string> m_boxes;
    std::vector<std::string> m_cursors;
    std::vector<std::string> m_problems;
    std::vector<int32_t> m_dialogsRun;
};

} // namespace Pelta
