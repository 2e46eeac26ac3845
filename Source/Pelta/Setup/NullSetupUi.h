#pragma once

#include "Pelta/Setup/ISetupUi.h"

namespace Pelta {

/// The user interface of a process that can show none: no dialog can be made, message boxes
/// and cursors show nothing.
class NullSetupUi : public ISetupUi
{
public:
    DialogResult ShowMainDialog(WindowHandle in_parent,
                                PeltaDSNConfiguration& io_configuration,
                                bool in_requiredOnly) override;

    void ShowMessageBox(WindowHandle in_owner,
                        const Orvik::Support::orvik_wstring& in_text,
                        const Orvik::Support::orvik_wstring& in_title) override;

    bool SetCursor(SetupCursor in_cursor) override;
};

} // namespace Pelta
