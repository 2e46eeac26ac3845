#pragma once

#include "Pelta/Setup/ISetupUi.h"

namespace Pelta {

class IDialogHost;

/// The setup user interface of the dialog layer: the setup dialog and its nested dialogs run over
/// the dialog model, driven by the user of a dialog host; boxes and cursors go to the same host.
class DialogUi : public ISetupUi
{
public:
    /// in_host (not owned) must outlive this interface.
    explicit DialogUi(IDialogHost& io_host) : m_host(io_host) {}

    /// The end of the setup dialog: OK, Cancel, or NotShown when the host could not make it.
    DialogResult ShowMainDialog(WindowHandle in_parent,
                                PeltaDSNConfiguration& io_configuration,
                                bool in_requiredOnly) override;

    void ShowMessageBox(WindowHandle in_owner,
                        const Orvik::Support::orvik_wstring& in_text,
                        const Orvik::Support::orvik_wstring& in_title) override;

    bool SetCursor(SetupCursor in_cursor) override;

    /// The interface whose setup dialog runs on this thread now; null when none does.
    static DialogUi* GetActive();

private:
    IDialogHost& m_host;
};

} // namespace Pelta
