#pragma once

#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/ISetupUi.h"
#include "Pelta/Setup/SetupRect.h"
#include "Support/DriverModuleDirectory.h"
#include "Support/orvik_wstring.h"

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace DSI {
class DSILog;
}
namespace Support {
class ErrorException;
}
} // namespace Orvik

namespace Pelta {

class PeltaDSNConfiguration;
class PeltaSetupException;

/// The helpers that setup and its dialogs share. Boxes and cursors go to the user interface
/// that SetupUiHost chooses.

/// The text of in_error in the driver locale ("DriverLocale", default "en-US"), made through a
/// message source of its own that knows "PeltaMessages" (component 117) under the vendor
/// "Pelta"; a text made earlier is returned as it is.
Orvik::Support::orvik_wstring GetLocalizedMessage(Orvik::Support::ErrorException& io_error);

/// A modal box with in_text, titled "DSN Configuration Error", owned by in_owner.
void ShowMessageBox(WindowHandle in_owner, const Orvik::Support::orvik_wstring& in_text);

/// ShowMessageBox with the localized text of in_error.
void ShowErrorMessage(WindowHandle in_owner, Orvik::Support::ErrorException& io_error);

/// How the dialogs show an error they caught: logged at ERROR to in_log under namespace
/// "Pelta", in_class and in_method (unless in_log is null), then shown in a box owned by in_dialog.
void DisplaySetupError(WindowHandle in_dialog,
                       Orvik::DSI::DSILog* in_log,
                       const char* in_class,
                       const char* in_method,
                       const PeltaSetupException& in_error);
void DisplaySetupError(WindowHandle in_dialog,
                       Orvik::DSI::DSILog* in_log,
                       const char* in_class,
                       const char* in_method,
                       Orvik::Support::ErrorException& io_error);

/// Called while an exception is handled: a PeltaSetupException or ErrorException is shown as
/// DisplaySetupError shows it; any other exception is thrown on.
void DisplayCaughtSetupError(WindowHandle in_dialog, Orvik::DSI::DSILog* in_log, const char* in_class, const char* in_method);

/// The dialog procedure of the setup dialogs around in_dispatch, their handler of the
/// messages: an error the handler lets out is shown as DisplayCaughtSetupError shows it, logged
/// for in_class and "ActionProc", and the dialog stays open.
intptr_t DispatchShowingErrors(DialogWindow& io_dialog,
                               uint32_t in_message,
                               uintptr_t in_wParam,
                               intptr_t in_lParam,
                               const char* in_class,
                               DialogProc in_dispatch);

/// The first steps of a setup dialog's initialization: keeps io_configuration with io_dialog
/// (first, for the edits filled next notify changes whose handlers look for it), logs the
/// entrance to in_class's "Initialize", centres the dialog and shows the setup icon.
void StartSetupDialog(DialogWindow& io_dialog, PeltaDSNConfiguration& io_configuration, const char* in_class);

/// The configuration StartSetupDialog kept with in_dialog; null before it ran.
PeltaDSNConfiguration* FindDialogConfiguration(const DialogWindow& in_dialog);

/// That configuration's log; null without a configuration.
Orvik::DSI::DSILog* FindDialogLog(const DialogWindow& in_dialog);

/// A control and the string resource that gives its text.
struct ControlText
{
    int32_t m_control;
    int32_t m_string;
};

/// Sets the text of every control of in_texts from its string resource, in their order.
void SetControlTexts(DialogWindow& io_dialog, const ControlText* in_texts, size_t in_count);

/// The wait and the arrow cursor; throw ErrorException "PeltaCursorResourceError" (HY000,
/// component 117, the system's error text as parameter) when the cursor cannot be shown.
void SetWaitCursor();
void SetArrowCursor();

/// in_dialog moved, unchanged in size, to the centre of in_reference (its parent, or the
/// desktop), then pushed back inside in_desktop where it sticks out left or above, else right
/// or below.
SetupRect CenterDialogRect(const SetupRect& in_reference, const SetupRect& in_dialog, const SetupRect& in_desktop);

/// Centres io_dialog over its parent dialog, or over the desktop when its owner is none or
/// another program's window, inside the desktop of its host.
void CenterDialog(DialogWindow& io_dialog);

/// Shows icon resource in_iconId as io_dialog's small icon; without such an icon the dialog
/// keeps none and nothing is reported.
void SetDialogIcon(DialogWindow& io_dialog, uint16_t in_iconId);

/// The text of control in_id without leading and trailing white space; empty for an unknown
/// control.
Orvik::Support::orvik_wstring GetDialogItemText(const DialogWindow& in_dialog, int32_t in_id);

/// Sets the text of control in_id; the null string sets the empty text.
void SetDialogItemText(DialogWindow& io_dialog, int32_t in_id, const Orvik::Support::orvik_wstring& in_text);

/// The driver library's module handle, as recorded when it was loaded.
Orvik::Support::ModuleHandle GetModuleInstance();

} // namespace Pelta
