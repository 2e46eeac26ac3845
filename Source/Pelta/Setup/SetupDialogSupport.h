#pragma once

#include "Pelta/Setup/ISetupUi.h"
#include "Support/DriverModuleDirectory.h"
#include "Support/orvik_wstring.h"

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

class PeltaSetupException;

/// A window's rectangle in screen coordinates.
struct SetupRect
{
    int32_t m_left;
    int32_t m_top;
    int32_t m_right;
    int32_t m_bottom;
};

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
/// "Pelta", in_class and in_method, then shown in a box owned by in_dialog.
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

/// The wait and the arrow cursor; throw ErrorException "PeltaCursorResourceError" (HY000,
/// component 117, the system's error text as parameter) when the cursor cannot be shown.
void SetWaitCursor();
void SetArrowCursor();

/// in_dialog moved, unchanged in size, to the centre of in_reference (its parent, or the
/// desktop), then pushed back inside in_desktop where it sticks out left or above, else right
/// or below.
SetupRect CenterDialogRect(const SetupRect& in_reference, const SetupRect& in_dialog, const SetupRect& in_desktop);

/// The driver library's module handle, as recorded when it was loaded.
Orvik::Support::ModuleHandle GetModuleInstance();

} // namespace Pelta
