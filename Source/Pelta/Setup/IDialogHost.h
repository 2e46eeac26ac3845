#pragma once

#include "Pelta/Setup/ISetupUi.h"
#include "Pelta/Setup/SetupRect.h"

#include <cstdint>

namespace Pelta {

class DialogWindow;

/// Where the setup dialogs meet a user: a dialog window's model is driven by the host's user,
/// and boxes and cursors are shown there.
class IDialogHost
{
public:
    virtual ~IDialogHost() = default;

    /// Whether dialog in_templateId can be made now; false means it is never shown.
    virtual bool CanCreateDialog(int32_t in_templateId) = 0;

    /// Lets the user act on io_dialog (typing, choosing, pressing buttons) until it has ended.
    /// Returns only when io_dialog.IsEnded().
    virtual void RunDialog(DialogWindow& io_dialog) = 0;

    /// Shows in_text titled in_title with one OK button, owned by in_owner (null: unowned);
    /// returns when the user closed it.
    virtual void ShowMessageBox(WindowHandle in_owner,
                                const Orvik::Support::orvik_wstring& in_text,
                                const Orvik::Support::orvik_wstring& in_title) = 0;

    /// Shows in_cursor; false, with errno set, when it cannot be shown.
    virtual bool SetCursor(SetupCursor in_cursor) = 0;

    /// The desktop's rectangle, inside which dialogs are placed.
    virtual SetupRect GetDesktopRect() = 0;

protected:
    IDialogHost() = default;
};

} // namespace Pelta
