#include "Pelta/Setup/DialogUi.h"

#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/IDialogHost.h"
#include "Pelta/Setup/PeltaMainDialog.h"

namespace Pelta {

namespace {

thread_local DialogUi* t_active = nullptr;

// Makes a user interface the thread's active one while its setup dialog runs.
class ActiveUi
{
public:
    explicit ActiveUi(DialogUi& io_ui) : m_previous(t_active) { t_active = &io_ui; }
    ~ActiveUi() { t_active = m_previous; }
    ActiveUi(const ActiveUi&) = delete;
    ActiveUi& operator=(const ActiveUi&) = delete;

private:
    DialogUi* m_previous;
};

} // namespace

DialogResult DialogUi::ShowMainDialog(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, bool in_requiredOnly)
{
    const ActiveUi active(*this);
    const DialogWindow::ThreadHost host(m_host);
    switch (PeltaMainDialog::Run(in_parent, io_configuration, in_requiredOnly))
    {
    case IDOK:
        return DialogResult::Accepted;
    case DIALOG_NOT_CREATED:
        return DialogResult::NotShown;
    default:
        return DialogResult::Cancelled;
    }
}

void DialogUi::ShowMessageBox(WindowHandle in_owner,
                              const Orvik::Support::orvik_wstring& in_text,
                              const Orvik::Support::orvik_wstring& in_title)
{
    m_host.ShowMessageBox(in_owner, in_text, in_title);
}

bool DialogUi::SetCursor(SetupCursor in_cursor)
{
    return m_host.SetCursor(in_cursor);
}

DialogUi* DialogUi::GetActive()
{
    return t_active;
}

} // namespace Pelta
