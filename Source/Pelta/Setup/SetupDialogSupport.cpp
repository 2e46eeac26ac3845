#include "Pelta/Setup/SetupDialogSupport.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSILog.h"
#include "Pelta/DllMainHook.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaError.h"
#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogTemplate.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/IDialogHost.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/PeltaSetupException.h"
#include "Pelta/Setup/SetupStrings.h"
#include "Pelta/Setup/SetupUiHost.h"
#include "Support/ErrorException.h"
#include "Support/GetLastErrorText.h"
#include "Support/OrvikSettingReader.h"

using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr int32_t MESSAGE_BOX_TITLE = 111;
constexpr char MESSAGE_FILE[] = "PeltaMessages";
// The property that keeps a dialog's configuration, and the icon every setup dialog shows.
constexpr char INPUT_MAP[] = "InputMap";
constexpr uint16_t SETUP_ICON = 200;

void ShowCursor(SetupCursor in_cursor)
{
    if (!SetupUiHost::Get().SetCursor(in_cursor))
    {
        throw PeltaError("PeltaCursorResourceError", { Orvik::Support::GetLastErrorText() });
    }
}

// One axis of the placement: centred on the reference, then kept inside the desktop.
int32_t Place(int32_t in_referenceLow, int32_t in_referenceHigh, int32_t in_size, int32_t in_desktopLow,
              int32_t in_desktopHigh)
{
    // In 64 bits: the sum of two screen coordinates may pass the 32-bit range.
    const int64_t position = (static_cast<int64_t>(in_referenceLow) + in_referenceHigh - in_size) / 2;
    if (position < in_desktopLow)
    {
        return in_desktopLow;
    }
    if (position + in_size > in_desktopHigh)
    {
        return in_desktopHigh - in_size;
    }
    return static_cast<int32_t>(position);
}

} // namespace

orvik_wstring GetLocalizedMessage(ErrorException& io_error)
{
    Orvik::DSI::DSIMessageSource source(true);
    source.SetVendorName(PELTA_WIDE_NAME);
    source.RegisterMessages(MESSAGE_FILE, PELTA_COMPONENT_ID);
    return io_error.GetMessageText(&source, Orvik::Support::OrvikSettingReader::GetDriverLocale());
}

void ShowMessageBox(WindowHandle in_owner, const orvik_wstring& in_text)
{
    SetupUiHost::Get(in_owner).ShowMessageBox(in_owner, in_text, LoadRequiredString(MESSAGE_BOX_TITLE));
}

void ShowErrorMessage(WindowHandle in_owner, ErrorException& io_error)
{
    ShowMessageBox(in_owner, GetLocalizedMessage(io_error));
}

void DisplaySetupError(WindowHandle in_dialog,
                       Orvik::DSI::DSILog* in_log,
                       const char* in_class,
                       const char* in_method,
                       const PeltaSetupException& in_error)
{
    const orvik_wstring text = in_error.GetErrorMessage();
    if (in_log != nullptr)
    {
        in_log->LogError(PELTA_NAME, in_class, in_method, "%s", text.GetAsUTF8().c_str());
    }
    ShowMessageBox(in_dialog, text);
}

void DisplaySetupError(WindowHandle in_dialog,
                       Orvik::DSI::DSILog* in_log,
                       const char* in_class,
                       const char* in_method,
                       ErrorException& io_error)
{
    if (in_log != nullptr)
    {
        in_log->LogErrorException(PELTA_NAME, in_class, in_method, io_error);
    }
    ShowErrorMessage(in_dialog, io_error);
}

void DisplayCaughtSetupError(WindowHandle in_dialog, Orvik::DSI::DSILog* in_log, const char* in_class, const char* in_method)
{
    try
    {
        throw;
    }
    catch (const PeltaSetupException& e)
    {
        DisplaySetupError(in_dialog, in_log, in_class, in_method, e);
    }
    catch (ErrorException& e)
    {
        DisplaySetupError(in_dialog, in_log, in_class, in_method, e);
    }
}

void SetWaitCursor()
{
    ShowCursor(SetupCursor::Wait);
}

void SetArrowCursor()
{
    ShowCursor(SetupCursor::Arrow);
}

SetupRect CenterDialogRect(const SetupRect& in_reference, const SetupRect& in_dialog, const SetupRect& in_desktop)
{
    const int32_t width = in_dialog.m_right - in_dialog.m_left;
    const int32_t height = in_dialog.m_bottom - in_dialog.m_top;
    const int32_t x = Place(in_reference.m_left, in_reference.m_right, width, in_desktop.m_left, in_desktop.m_right);
    const int32_t y = Place(in_reference.m_top, in_reference.m_bottom, height, in_desktop.m_top, in_desktop.m_bottom);
    return { x, y, x + width, y + height };
}

void CenterDialog(DialogWindow& io_dialog)
{
    const SetupRect desktop = io_dialog.GetHost().GetDesktopRect();
    const DialogWindow* parent = io_dialog.GetParentDialog();
    const SetupRect placed = CenterDialogRect(parent != nullptr ? parent->GetRect() : desktop, io_dialog.GetRect(), desktop);
    io_dialog.Move(placed.m_left, placed.m_top);
}

void SetDialogIcon(DialogWindow& io_dialog, uint16_t in_iconId)
{
    if (HasIconResource(in_iconId))
    {
        io_dialog.SetSmallIcon(in_iconId);
    }
}

intptr_t DispatchShowingErrors(DialogWindow& io_dialog,
                               uint32_t in_message,
                               uintptr_t in_wParam,
                               intptr_t in_lParam,
                               const char* in_class,
                               DialogProc in_dispatch)
{
    try
    {
        return in_dispatch(io_dialog, in_message, in_wParam, in_lParam);
    }
    catch (...)
    {
        DisplayCaughtSetupError(io_dialog.GetHandle(), FindDialogLog(io_dialog), in_class, "ActionProc");
        return MESSAGE_HANDLED;
    }
}

void StartSetupDialog(DialogWindow& io_dialog, PeltaDSNConfiguration& io_configuration, const char* in_class)
{
    io_dialog.SetProp(INPUT_MAP, &io_configuration);
    io_configuration.GetLog()->LogFunctionEntrance(PELTA_NAME, in_class, "Initialize");
    CenterDialog(io_dialog);
    SetDialogIcon(io_dialog, SETUP_ICON);
}

PeltaDSNConfiguration* FindDialogConfiguration(const DialogWindow& in_dialog)
{
    return static_cast<PeltaDSNConfiguration*>(in_dialog.GetProp(INPUT_MAP));
}

Orvik::DSI::DSILog* FindDialogLog(const DialogWindow& in_dialog)
{
    const PeltaDSNConfiguration* configuration = FindDialogConfiguration(in_dialog);
    return configuration != nullptr ? configuration->GetLog() : nullptr;
}

void SetControlTexts(DialogWindow& io_dialog, const ControlText* in_texts, size_t in_count)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        SetDialogItemText(io_dialog, in_texts[i].m_control, LoadRequiredString(in_texts[i].m_string));
    }
}

orvik_wstring GetDialogItemText(const DialogWindow& in_dialog, int32_t in_id)
{
    if (in_dialog.GetItemTextLength(in_id) < 0)
    {
        return orvik_wstring(u"");
    }
    orvik_wstring text(in_dialog.GetItemText(in_id));
    text.Trim();
    return text;
}

void SetDialogItemText(DialogWindow& io_dialog, int32_t in_id, const orvik_wstring& in_text)
{
    io_dialog.SetItemText(in_id, in_text.GetAsWString());
}

Orvik::Support::ModuleHandle GetModuleInstance()
{
    return GetRecordedModuleHandle();
}

} // namespace Pelta
