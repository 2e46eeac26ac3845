#pragma once

#include "Pelta/Setup/ISetupUi.h"

#include <cstdint>

namespace Pelta {

class DialogWindow;
class PeltaDSNConfiguration;

/// What PeltaMainDialog::Show hands to the dialog's initialization.
struct PeltaMainDialogParams
{
    PeltaDSNConfiguration* m_configuration; ///< the settings being edited; not owned
    bool m_requiredOnly;                    ///< a connection prompts for its required settings only
};

/// The setup dialog (template 101): a data source's name, description, servers, column size,
/// timeout and re-entry time, with the logging dialog and the connection test one click away. Its
/// configuration's mode decides what it offers: a new data source (0), an existing one whose name
/// stays (1), or a prompting connection's settings (2: no name, description, test or logging).
/// It edits the configuration in place and saves nothing itself.
class PeltaMainDialog
{
public:
    PeltaMainDialog() = delete;

    /// Runs the dialog modally, owned by in_parent (may be null). True when it ended through OK;
    /// false through Cancel, and false when it could not be made at all.
    static bool Show(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, bool in_requiredOnly);

    /// Show's run, answering its end value: IDOK, 0 (Cancel) or DIALOG_NOT_CREATED.
    static intptr_t Run(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, bool in_requiredOnly);

    /// The dialog procedure. An error a handler lets out is shown in a box over the dialog,
    /// which stays open.
    static intptr_t ActionProc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);

private:
    static intptr_t Dispatch(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);
    static intptr_t DispatchCommand(DialogWindow& io_dialog, uintptr_t in_wParam);

    /// Fills and arranges the controls for the configuration's mode.
    static void Initialize(DialogWindow& io_dialog, const PeltaMainDialogParams* in_params);

    /// Title, labels, buttons and the version label; in_prompt for a prompting connection.
    static void SetTexts(DialogWindow& io_dialog, bool in_prompt);

    /// OK and Test are enabled when the servers, and outside a prompt the name too, are not
    /// blank.
    static void UpdateButtons(DialogWindow& io_dialog);

    /// The edits into the configuration, in order; a name the installer refuses throws
    /// PeltaSetupException SETUP_REQUEST_FAILED before anything is stored.
    static void SaveSettings(DialogWindow& io_dialog);

    static void DoOkAction(DialogWindow& io_dialog);
    static void DoCancelAction(DialogWindow& io_dialog);
    static bool DoLoggingDialogAction(DialogWindow& io_dialog);
    static void DoTestAction(DialogWindow& io_dialog);
};

} // namespace Pelta
