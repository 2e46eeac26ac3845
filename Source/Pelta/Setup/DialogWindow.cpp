#include "Pelta/Setup/DialogWindow.h"

#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/IDialogHost.h"

#include <algorithm>

namespace Pelta {

namespace {

// An edit takes this many code units from a user until its procedure sets another limit.
constexpr int32_t DEFAULT_TEXT_LIMIT = 32767;

// The average character of an 8-point dialog font, in pixels: a dialog unit is a quarter of its
// width and an eighth of its height.
constexpr int32_t FONT_CHARACTER_WIDTH = 6;
constexpr int32_t FONT_CHARACTER_HEIGHT = 13;
constexpr int32_t REFERENCE_FONT_POINTS = 8;

thread_local IDialogHost* t_host = nullptr;
thread_local std::vector<DialogWindow*> t_open;

// The dialog's size in pixels, at the screen's top left corner until it is placed.
SetupRect InitialRect(const DialogTemplate& in_template)
{
    const int32_t width = in_template.m_width * FONT_CHARACTER_WIDTH * in_template.m_fontPoints / (4 * REFERENCE_FONT_POINTS);
    const int32_t height =
        in_template.m_height * FONT_CHARACTER_HEIGHT * in_template.m_fontPoints / (8 * REFERENCE_FONT_POINTS);
    return { 0, 0, width, height };
}

// Keeps the dialog in the list of this thread's open dialogs while it runs.
class OpenDialog
{
public:
    explicit OpenDialog(DialogWindow& io_dialog) { t_open.push_back(&io_dialog); }
    ~OpenDialog() { t_open.pop_back(); }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;
};

bool IsDigit(char16_t in_unit)
{
    return in_unit >= u'0' && in_unit <= u'9';
}

} // namespace

DialogWindow::ThreadHost::ThreadHost(IDialogHost& io_host) : m_previous(t_host)
{
    t_host = &io_host;
}

DialogWindow::ThreadHost::~ThreadHost()
{
    t_host = m_previous;
}

intptr_t DialogWindow::RunModal(int32_t in_templateId, WindowHandle in_owner, DialogProc in_proc, intptr_t in_param)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(in_templateId);
    if (t_host == nullptr || dialogTemplate == nullptr || !t_host->CanCreateDialog(in_templateId))
    {
        return DIALOG_NOT_CREATED;
    }
    DialogWindow dialog(*dialogTemplate, in_owner, in_proc, *t_host);
    const OpenDialog open(dialog);
    dialog.Send(WM_INITDIALOG, 0, in_param);
    if (!dialog.IsEnded())
    {
        dialog.m_host.RunDialog(dialog);
    }
    dialog.Send(WM_DESTROY, 0, 0);
    dialog.Send(WM_NCDESTROY, 0, 0);
    return dialog.m_endValue;
}

DialogWindow* DialogWindow::FindOpen(WindowHandle in_window)
{
    for (DialogWindow* dialog : t_open)
    {
        if (dialog->GetHandle() == in_window)
        {
            return dialog;
        }
    }
    return nullptr;
}

DialogWindow::DialogWindow(const DialogTemplate& in_template, WindowHandle in_owner, DialogProc in_proc, IDialogHost& io_host)
    : m_template(in_template),
      m_proc(in_proc),
      m_host(io_host),
      m_parent(FindOpen(in_owner)),
      m_title(in_template.m_title),
      m_rect(InitialRect(in_template))
{
    for (const ControlTemplate& control : in_template)
    {
        m_controls.push_back(Control{ &control, control.m_text, true, true, DEFAULT_TEXT_LIMIT, {}, -1 });
    }
}

void DialogWindow::EndDialog(intptr_t in_result)
{
    m_isEnded = true;
    m_endValue = in_result;
}

void DialogWindow::SetProp(const std::string& in_name, void* in_value)
{
    m_properties[in_name] = in_value;
}

void* DialogWindow::GetProp(const std::string& in_name) const
{
    const auto found = m_properties.find(in_name);
    return found != m_properties.end() ? found->second : nullptr;
}

void DialogWindow::EnableItem(int32_t in_id, bool in_enable)
{
    if (Control* control = Item(in_id))
    {
        control->m_isEnabled = in_enable;
    }
}

void DialogWindow::ShowItem(int32_t in_id, bool in_show)
{
    if (Control* control = Item(in_id))
    {
        control->m_isVisible = in_show;
    }
}

void DialogWindow::SetItemText(int32_t in_id, const std::u16string& in_text)
{
    Control* control = Item(in_id);
    if (control == nullptr)
    {
        return;
    }
    control->m_text = in_text;
    if (control->m_template->m_kind == ControlKind::Edit)
    {
        Command(in_id, EN_CHANGE);
    }
}

std::u16string DialogWindow::GetItemText(int32_t in_id) const
{
    const Control* control = FindItem(in_id);
    return control != nullptr ? control->m_text : std::u16string();
}

int32_t DialogWindow::GetItemTextLength(int32_t in_id) const
{
    const Control* control = FindItem(in_id);
    return control != nullptr ? static_cast<int32_t>(control->m_text.size()) : -1;
}

void DialogWindow::LimitText(int32_t in_id, int32_t in_limit)
{
    if (Control* control = Item(in_id))
    {
        control->m_limit = in_limit;
    }
}

void DialogWindow::ResetContent(int32_t in_id)
{
    if (Control* control = Item(in_id))
    {
        control->m_items.clear();
        control->m_selection = -1;
    }
}

int32_t DialogWindow::AddString(int32_t in_id, const std::u16string& in_text)
{
    Control* control = Item(in_id);
    if (control == nullptr || control->m_template->m_kind != ControlKind::ComboBox)
    {
        return -1;
    }
    control->m_items.push_back(in_text);
    return static_cast<int32_t>(control->m_items.size()) - 1;
}

bool DialogWindow::SetCurSel(int32_t in_id, int32_t in_index)
{
    Control* control = Item(in_id);
    if (control == nullptr || in_index < -1 || in_index >= static_cast<int32_t>(control->m_items.size()))
    {
        return false;
    }
    control->m_selection = in_index;
    return true;
}

int32_t DialogWindow::GetCurSel(int32_t in_id) const
{
    const Control* control = FindItem(in_id);
    return control != nullptr ? control->m_selection : -1;
}

void DialogWindow::Move(int32_t in_x, int32_t in_y)
{
    m_rect = { in_x, in_y, in_x + (m_rect.m_right - m_rect.m_left), in_y + (m_rect.m_bottom - m_rect.m_top) };
}

bool DialogWindow::Type(int32_t in_id, const std::u16string& in_text)
{
    Control* control = UsableItem(in_id);
    if (control == nullptr || control->m_template->m_kind != ControlKind::Edit
        || (control->m_template->m_style & STYLE_READ_ONLY) != 0)
    {
        return false;
    }
    const bool isDigitsOnly = (control->m_template->m_style & STYLE_DIGITS_ONLY) != 0;
    std::u16string typed;
    for (const char16_t unit : in_text)
    {
        if ((!isDigitsOnly || IsDigit(unit)) && static_cast<int32_t>(typed.size()) < control->m_limit)
        {
            typed.push_back(unit);
        }
    }
    control->m_text = typed;
    Command(in_id, EN_CHANGE);
    return typed.size() == in_text.size();
}

bool DialogWindow::Select(int32_t in_id, int32_t in_index)
{
    Control* control = UsableItem(in_id);
    if (control == nullptr || control->m_template->m_kind != ControlKind::ComboBox || in_index < 0
        || in_index >= static_cast<int32_t>(control->m_items.size()))
    {
        return false;
    }
    control->m_selection = in_index;
    Command(in_id, CBN_SELCHANGE);
    return true;
}

bool DialogWindow::Click(int32_t in_id)
{
    Control* control = UsableItem(in_id);
    if (control == nullptr || control->m_template->m_kind != ControlKind::Button)
    {
        return false;
    }
    Command(in_id, BN_CLICKED);
    return true;
}

bool DialogWindow::Enter()
{
    for (const Control& control : m_controls)
    {
        if ((control.m_template->m_style & STYLE_DEFAULT_BUTTON) != 0)
        {
            return Click(control.m_template->m_id);
        }
    }
    return false;
}

void DialogWindow::Escape()
{
    if (!m_isEnded)
    {
        Command(IDCANCEL, BN_CLICKED);
    }
}

const DialogWindow::Control* DialogWindow::FindItem(int32_t in_id) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [in_id](const Control& in_control) { return in_control.m_template->m_id == in_id; });
    return found != m_controls.end() ? &*found : nullptr;
}

bool DialogWindow::IsItemEnabled(int32_t in_id) const
{
    const Control* control = FindItem(in_id);
    return control != nullptr && control->m_isEnabled;
}

bool DialogWindow::IsItemVisible(int32_t in_id) const
{
    const Control* control = FindItem(in_id);
    return control != nullptr && control->m_isVisible;
}

DialogWindow::Control* DialogWindow::Item(int32_t in_id)
{
    return const_cast<Control*>(FindItem(in_id));
}

DialogWindow::Control* DialogWindow::UsableItem(int32_t in_id)
{
    Control* control = Item(in_id);
    return control != nullptr && control->m_isEnabled && control->m_isVisible && !m_isEnded ? control : nullptr;
}

intptr_t DialogWindow::Send(uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    return m_proc(*this, in_message, in_wParam, in_lParam);
}

void DialogWindow::Command(int32_t in_id, uint16_t in_notification)
{
    Send(WM_COMMAND, MakeCommand(in_id, in_notification), 0);
}

} // namespace Pelta
