#pragma once

#include "Pelta/Setup/DialogTemplate.h"
#include "Pelta/Setup/ISetupUi.h"
#include "Pelta/Setup/SetupRect.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Pelta {

class DialogWindow;
class IDialogHost;

/// A dialog procedure: the dialog, a message of DialogMessages.h and its two parameters; returns
/// MESSAGE_HANDLED or MESSAGE_NOT_HANDLED.
using DialogProc = intptr_t (*)(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);

/// A modal dialog while it is open: the state of every control of its template (text, enabled,
/// visible, list entries and selection), its title, place and window properties, and how it
/// ended. Its procedure changes it as a dialog procedure changes its window; the host's user acts
/// on it through the operations a person has (typing, choosing, clicking, Enter, Escape), each
/// refused where the control would refuse it. Every change of an edit's text, by the procedure
/// or by the user, notifies the procedure with EN_CHANGE.
class DialogWindow
{
public:
    /// One control's state.
    struct Control
    {
        const ControlTemplate* m_template;
        std::u16string m_text;
        bool m_isEnabled = true;
        bool m_isVisible = true;
        int32_t m_limit;                    ///< the most code units a user can type
        std::vector<std::u16string> m_items; ///< a combo box's entries
        int32_t m_selection = -1;            ///< a combo box's chosen entry; -1 for none
    };

    /// While it lives, in_host (not owned) is the host of the dialogs that this thread runs.
    class ThreadHost
    {
    public:
        explicit ThreadHost(IDialogHost& io_host);
        ~ThreadHost();
        ThreadHost(const ThreadHost&) = delete;
        ThreadHost& operator=(const ThreadHost&) = delete;

    private:
        IDialogHost* m_previous;
    };

    /// Runs dialog in_templateId modally: makes it from its template, owned by in_owner (an open
    /// dialog of this thread, another window, or null), sends in_proc WM_INITDIALOG with in_param,
    /// lets the thread's host's user act until the procedure ends the dialog, then sends
    /// WM_DESTROY and WM_NCDESTROY. Returns the end value, or DIALOG_NOT_CREATED when the thread
    /// has no host, the host cannot make the dialog or the template does not exist.
    static intptr_t RunModal(int32_t in_templateId, WindowHandle in_owner, DialogProc in_proc, intptr_t in_param);

    /// The open dialog of this thread whose handle in_window is; null for any other window, which
    /// is only compared, never dereferenced.
    static DialogWindow* FindOpen(WindowHandle in_window);

    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    WindowHandle GetHandle() { return this; }
    const DialogTemplate& GetTemplate() const { return m_template; }

    /// The open dialog that owns this one; null when the owner is null or another program's.
    DialogWindow* GetParentDialog() const { return m_parent; }

    IDialogHost& GetHost() const { return m_host; }

    // What a dialog procedure does. An id that is no control of the dialog changes nothing.

    /// Ends the dialog with in_result once the current message is handled.
    void EndDialog(intptr_t in_result);

    void SetProp(const std::string& in_name, void* in_value);
    /// The property, or null when it was never set.
    void* GetProp(const std::string& in_name) const;

    void SetTitle(const std::u16string& in_title) { m_title = in_title; }
    const std::u16string& GetTitle() const { return m_title; }

    void EnableItem(int32_t in_id, bool in_enable);
    void ShowItem(int32_t in_id, bool in_show);

    /// Sets the control's text, whatever its limit and style; an edit then notifies EN_CHANGE.
    void SetItemText(int32_t in_id, const std::u16string& in_text);

    /// The control's text; empty for an unknown id.
    std::u16string GetItemText(int32_t in_id) const;

    /// The length of the control's text in code units; -1 for an unknown id.
    int32_t GetItemTextLength(int32_t in_id) const;

    /// The most code units a user can type into edit in_id.
    void LimitText(int32_t in_id, int32_t in_limit);

    void ResetContent(int32_t in_id);
    /// Appends an entry to combo box in_id; returns its position, or -1.
    int32_t AddString(int32_t in_id, const std::u16string& in_text);
    /// Chooses entry in_index (-1 for none); false when there is no such entry.
    bool SetCurSel(int32_t in_id, int32_t in_index);
    /// The chosen entry; -1 when none is chosen or the id is unknown.
    int32_t GetCurSel(int32_t in_id) const;

    SetupRect GetRect() const { return m_rect; }
    /// Moves the dialog's top left corner to in_x, in_y; its size stays.
    void Move(int32_t in_x, int32_t in_y);

    void SetSmallIcon(int32_t in_iconId) { m_smallIcon = in_iconId; }
    /// The icon resource shown as the window's small icon; 0 for none.
    int32_t GetSmallIcon() const { return m_smallIcon; }

    // What the host's user does. Each returns false, changing nothing, when a person could not do
    // it: the control is unknown, disabled or hidden, or of another kind.

    /// Replaces an edit's text by in_text as typed: characters an edit does not take (beyond its
    /// limit, or other than digits in a digits-only edit) are dropped, and then false is returned.
    bool Type(int32_t in_id, const std::u16string& in_text);

    /// Chooses entry in_index of a combo box, which notifies CBN_SELCHANGE.
    bool Select(int32_t in_id, int32_t in_index);

    /// Presses a button: WM_COMMAND with its id.
    bool Click(int32_t in_id);

    /// Enter: presses the default button when it is enabled and shown.
    bool Enter();

    /// Escape, or the close box: WM_COMMAND with IDCANCEL.
    void Escape();

    bool IsEnded() const { return m_isEnded; }

    /// The control with id in_id; null when the dialog has none.
    const Control* FindItem(int32_t in_id) const;
    const std::vector<Control>& GetControls() const { return m_controls; }
    bool IsItemEnabled(int32_t in_id) const;
    bool IsItemVisible(int32_t in_id) const;

private:
    DialogWindow(const DialogTemplate& in_template, WindowHandle in_owner, DialogProc in_proc, IDialogHost& io_host);

    Control* Item(int32_t in_id);
    /// The control in_id when a person can act on it: known, enabled and shown.
    Control* UsableItem(int32_t in_id);
    intptr_t Send(uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);
    void Command(int32_t in_id, uint16_t in_notification);

    const DialogTemplate& m_template;
    DialogProc m_proc;
    IDialogHost& m_host;
    DialogWindow* m_parent;
    std::vector<Control> m_controls;
    std::map<std::string, void*> m_properties;
    std::u16string m_title;
    SetupRect m_rect;
    int32_t m_smallIcon = 0;
    bool m_isEnded = false;
    intptr_t m_endValue = 0;
};

} // namespace Pelta
