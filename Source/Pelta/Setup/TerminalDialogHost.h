#pragma once

#include "Pelta/Setup/IDialogHost.h"

namespace Pelta {

/// A dialog host for a person at the process's terminal (/dev/tty), in the locale's code set: a
/// dialog is printed as its title, its numbered fields with their labels and values (disabled
/// ones marked), its other texts and its buttons with a letter each. The person types a field's
/// number to change it, a button's letter to press it, or an empty line for the default button;
/// the end of input acts as Escape (and, where that keeps the dialog open, as Enter). A box is
/// printed and waits for Enter; the wait cursor prints a line.
class TerminalDialogHost : public IDialogHost
{
public:
    /// Whether the process has a terminal to talk to its user on.
    static bool IsAvailable();

    bool CanCreateDialog(int32_t in_templateId) override;
    void RunDialog(DialogWindow& io_dialog) override;
    void ShowMessageBox(WindowHandle in_owner,
                        const Orvik::Support::orvik_wstring& in_text,
                        const Orvik::Support::orvik_wstring& in_title) override;
    bool SetCursor(SetupCursor in_cursor) override;
    SetupRect GetDesktopRect() override;
};

} // namespace Pelta
