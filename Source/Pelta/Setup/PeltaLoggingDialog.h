#pragma once

#include "Pelta/Setup/ISetupUi.h"

#include <cstdint>

namespace Pelta {

class DialogWindow;
class PeltaDSNConfiguration;

/// The logging dialog (template 103), opened from the setup dialog: the driver's log level, log
/// directory, and the number and size (in megabytes) of the log files kept in rotation, edited in
/// the setup dialog's configuration. OK checks every value before it stores any, so a refused
/// value leaves the configuration as it was.
class PeltaLoggingDialog
{
public:
    PeltaLoggingDialog() = delete;

    /// Runs the dialog modally over in_parent. True when it ended through OK.
    static bool Show(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration);

    /// The dialog procedure. An error a handler lets out is shown in a box over the dialog,
    /// which stays open.
    static intptr_t ActionProc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);

private:
    static intptr_t Dispatch(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);
    static intptr_t DispatchCommand(DialogWindow& io_dialog, uintptr_t in_wParam);

    /// The level list with the configuration's level chosen, and the other three values.
    static void Initialize(DialogWindow& io_dialog, PeltaDSNConfiguration* io_configuration);

    static void SetTexts(DialogWindow& io_dialog);

    /// The path and rotation edits are enabled unless LOG_OFF is chosen.
    static void UpdateLevelControls(DialogWindow& io_dialog);

    /// OK is enabled under LOG_OFF, else when path, size and count are all not blank.
    static void UpdateOkButton(DialogWindow& io_dialog);

    /// Checks the size, then the count (throwing PeltaSetupException for a refused one), then
    /// stores level, path, size and count and ends the dialog with IDOK.
    static void DoOkAction(DialogWindow& io_dialog);

    static void DoCancelAction(DialogWindow& io_dialog);
};

} // namespace Pelta
