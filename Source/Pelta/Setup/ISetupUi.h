#pragma once

#include "Support/orvik_wstring.h"

namespace Pelta {

class PeltaDSNConfiguration;

/// A window of the host or of setup (an HWND): opaque, never dereferenced; null for none.
using WindowHandle = void*;

/// How a modal setup dialog ended.
enum class DialogResult
{
    Accepted,  ///< OK: the configuration holds the user's edits
    Cancelled, ///< Cancel, Escape or the close box
    NotShown   ///< no dialog could be made; the user was not asked
};

/// The cursors setup shows while it works.
enum class SetupCursor
{
    Wait,
    Arrow
};

/// What setup needs of a user interface. The dialog layer implements it; without one, the null
/// interface shows nothing.
class ISetupUi
{
public:
    virtual ~ISetupUi() = default;

    /// Runs the main setup dialog (template 101) modally over io_configuration, owned by
    /// in_parent (null: unowned); in_requiredOnly when a connection prompts for its required
    /// settings only. The dialog edits io_configuration in place and saves nothing itself.
    virtual DialogResult ShowMainDialog(WindowHandle in_parent,
                                        PeltaDSNConfiguration& io_configuration,
                                        bool in_requiredOnly) = 0;

    /// Shows in_text in a modal box titled in_title with one OK button and the exclamation
    /// icon, owned by in_owner (null: unowned). Returns when the user closed it.
    virtual void ShowMessageBox(WindowHandle in_owner,
                                const Orvik::Support::orvik_wstring& in_text,
                                const Orvik::Support::orvik_wstring& in_title) = 0;

    /// Shows in_cursor; false, with errno set, when it cannot be shown.
    virtual bool SetCursor(SetupCursor in_cursor) = 0;

protected:
    ISetupUi() = default;
};

} // namespace Pelta
