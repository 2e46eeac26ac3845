#pragma once

#include "Pelta/Setup/ISetupUi.h"

namespace Pelta {

/// Chooses the user interface that setup shows its dialogs and message boxes in:
/// 1. the one installed with Install (tests);
/// 2. the one the host program hands out through its export HOST_EXPORT, when it has one;
/// 3. the one whose setup dialog runs on this thread, for what that dialog shows;
/// 4. the terminal's, when the process has a terminal and either the window it is asked for is
///    not null (the application has a user to ask) or UI_VARIABLE is "tty";
/// 5. the null interface, which shows nothing.
///
/// The host's side: the executable exports, with C linkage and default visibility
/// (-Wl,--export-dynamic-symbol=Pelta_GetSetupUi), `Pelta::ISetupUi* Pelta_GetSetupUi(void)`,
/// returning an interface that lives as long as the process, or null for none. It must be
/// built from this source tree: the interface is a C++ class, not a stable binary interface.
class SetupUiHost
{
public:
    SetupUiHost() = delete;

    static constexpr const char* HOST_EXPORT = "Pelta_GetSetupUi";
    static constexpr const char* UI_VARIABLE = "PELTA_SETUP_UI";

    /// The interface setup uses now for a dialog or box owned by in_owner (may be null), chosen
    /// anew on each call.
    static ISetupUi& Get(WindowHandle in_owner = nullptr);

    /// Makes in_ui (not owned) the interface until Install(nullptr).
    static void Install(ISetupUi* in_ui);
};

} // namespace Pelta
