#include "Pelta/Setup/NullSetupUi.h"

namespace Pelta {

DialogResult NullSetupUi::ShowMainDialog(WindowHandle /* in_parent */,
                                         PeltaDSNConfiguration& /* io_configuration */,
                                         bool /* in_requiredOnly */)
{
    return DialogResult::NotShown;
}

void NullSetupUi::ShowMessageBox(WindowHandle /* in_owner */,
                                 const Orvik::Support::orvik_wstring& /* in_text */,
                                 const Orvik::Support::orvik_wstring& /* in_title */)
{
}

bool NullSetupUi::SetCursor(SetupCursor /* in_cursor */)
{
    return true;
}

} // namespace Pelta
