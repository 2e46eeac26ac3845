#pragma once

#include "Pelta/Setup/ISetupUi.h"

#include <cstdint>

namespace Pelta {

class DialogWindow;
class PeltaDSNConfiguration;

/// The connection test and its result dialog (template 102): while the dialog is made, a
/// connection with the configuration's settings is tried through the data-store objects, and the
/// dialog then shows "SUCCESS!" or "FAILED!" with the error's message. Only OK (or Enter) closes
/// it.
class PeltaTestResultDialog
{
public:
    PeltaTestResultDialog() = delete;

    /// Runs the test and then the dialog modally over in_parent. True when it ended through OK.
    static bool Show(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration);

    /// The dialog procedure. An error a handler lets out is shown in a box over the dialog.
    static intptr_t ActionProc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);

private:
    static intptr_t Dispatch(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam);

    /// Runs the connection test and puts its outcome into the text box.
    static void Initialize(DialogWindow& io_dialog, PeltaDSNConfiguration* io_configuration);

    static void SetTexts(DialogWindow& io_dialog);

    /// Connects and disconnects with the configuration's settings; throws the ErrorException of
    /// a failure. Everything it makes is released whatever happens.
    static void TestConnection(const PeltaDSNConfiguration& in_configuration);

    static void DoOkAction(DialogWindow& io_dialog);
};

} // namespace Pelta
