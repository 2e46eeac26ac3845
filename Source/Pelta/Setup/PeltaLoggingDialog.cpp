#include "Pelta/Setup/PeltaLoggingDialog.h"

#include "DSI/DSILog.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/SetupDialogSupport.h"
#include "Pelta/Setup/SetupStrings.h"
#include "Support/NumberConverter.h"

#include <iterator>

using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaLoggingDialog";
constexpr char SHOW_NAMESPACE[] = "Orvik::Pelta";
constexpr int32_t LOGGING_DIALOG_TEMPLATE = 103;
constexpr int32_t TITLE_STRING = 124;

// The controls.
constexpr int32_t LEVEL_COMBO = 1014;
constexpr int32_t PATH_EDIT = 1013;
constexpr int32_t FILE_COUNT_EDIT = 1029;
constexpr int32_t FILE_SIZE_EDIT = 1031;

// The level list: an entry's position is the level stored.
constexpr const char16_t* LEVEL_NAMES[] = {
    u"LOG_OFF", u"LOG_FATAL", u"LOG_ERROR", u"LOG_WARNING", u"LOG_INFO", u"LOG_DEBUG", u"LOG_TRACE",
};
constexpr int32_t LOG_OFF_POSITION = 0;

constexpr ControlText CONTROL_TEXTS[] = {
    { 1015, 125 }, { 1016, 126 }, { 1017, 137 }, { 1032, 135 }, { 1034, 136 }, { IDOK, 115 }, { IDCANCEL, 116 },
};

// The edits that must not be blank for OK under a level other than LOG_OFF, in the order read.
constexpr int32_t REQUIRED_EDITS[] = { PATH_EDIT, FILE_SIZE_EDIT, FILE_COUNT_EDIT };

} // namespace

bool PeltaLoggingDialog::Show(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration)
{
    io_configuration.GetLog()->LogFunctionEntrance(SHOW_NAMESPACE, LOG_CLASS, "Show");
    return DialogWindow::RunModal(LOGGING_DIALOG_TEMPLATE, in_parent, &PeltaLoggingDialog::ActionProc,
                                  reinterpret_cast<intptr_t>(&io_configuration))
           == IDOK;
}

intptr_t PeltaLoggingDialog::ActionProc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    return DispatchShowingErrors(io_dialog, in_message, in_wParam, in_lParam, LOG_CLASS,
                                 &PeltaLoggingDialog::Dispatch);
}

intptr_t PeltaLoggingDialog::Dispatch(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    switch (in_message)
    {
    case WM_INITDIALOG:
        Initialize(io_dialog, reinterpret_cast<PeltaDSNConfiguration*>(in_lParam));
        return MESSAGE_HANDLED;
    case WM_COMMAND:
        return DispatchCommand(io_dialog, in_wParam);
    case WM_DESTROY:
    case WM_NCDESTROY:
        return MESSAGE_HANDLED;
    default:
        return MESSAGE_NOT_HANDLED;
    }
}

intptr_t PeltaLoggingDialog::DispatchCommand(DialogWindow& io_dialog, uintptr_t in_wParam)
{
    // Commands come from a user, after the initialization that stores the configuration.
    if (FindDialogConfiguration(io_dialog) == nullptr)
    {
        return MESSAGE_NOT_HANDLED;
    }
    const uint16_t notification = CommandNotification(in_wParam);
    switch (CommandId(in_wParam))
    {
    case LEVEL_COMBO:
        if (notification == CBN_SELCHANGE)
        {
            UpdateLevelControls(io_dialog);
        }
        return MESSAGE_HANDLED;
    case IDOK:
        DoOkAction(io_dialog);
        return MESSAGE_HANDLED;
    case IDCANCEL:
        DoCancelAction(io_dialog);
        return MESSAGE_HANDLED;
    case PATH_EDIT:
    case FILE_COUNT_EDIT:
    case FILE_SIZE_EDIT:
        if (notification == EN_CHANGE)
        {
            UpdateOkButton(io_dialog);
        }
        return MESSAGE_HANDLED;
    default:
        return MESSAGE_NOT_HANDLED;
    }
}

void PeltaLoggingDialog::Initialize(DialogWindow& io_dialog, PeltaDSNConfiguration* io_configuration)
{
    StartSetupDialog(io_dialog, *io_configuration, LOG_CLASS);
    SetTexts(io_dialog);
    io_dialog.ResetContent(LEVEL_COMBO);
    for (const char16_t* name : LEVEL_NAMES)
    {
        io_dialog.AddString(LEVEL_COMBO, name);
    }
    io_dialog.SetCurSel(LEVEL_COMBO, Orvik::DSI::DSILog::ParseLogLevel(io_configuration->GetLogLevel()));
    SetDialogItemText(io_dialog, PATH_EDIT, io_configuration->GetLogPath());
    SetDialogItemText(io_dialog, FILE_COUNT_EDIT, io_configuration->GetLogFileCount());
    SetDialogItemText(io_dialog, FILE_SIZE_EDIT, io_configuration->GetLogFileSize());
    UpdateLevelControls(io_dialog);
}

void PeltaLoggingDialog::SetTexts(DialogWindow& io_dialog)
{
    io_dialog.SetTitle(LoadRequiredString(TITLE_STRING).GetAsWString());
    SetControlTexts(io_dialog, CONTROL_TEXTS, std::size(CONTROL_TEXTS));
}

void PeltaLoggingDialog::UpdateLevelControls(DialogWindow& io_dialog)
{
    const bool isLogging = io_dialog.GetCurSel(LEVEL_COMBO) != LOG_OFF_POSITION;
    for (const int32_t edit : REQUIRED_EDITS)
    {
        io_dialog.EnableItem(edit, isLogging);
    }
    UpdateOkButton(io_dialog);
}

void PeltaLoggingDialog::UpdateOkButton(DialogWindow& io_dialog)
{
    bool isEnabled = true;
    if (io_dialog.GetCurSel(LEVEL_COMBO) != LOG_OFF_POSITION)
    {
        for (const int32_t edit : REQUIRED_EDITS)
        {
            if (GetDialogItemText(io_dialog, edit).GetLength() == 0)
            {
                isEnabled = false;
                break;
            }
        }
    }
    io_dialog.EnableItem(IDOK, isEnabled);
}

void PeltaLoggingDialog::DoOkAction(DialogWindow& io_dialog)
{
    PeltaDSNConfiguration& configuration = *FindDialogConfiguration(io_dialog);
    configuration.GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoOkAction");
    const int32_t level = io_dialog.GetCurSel(LEVEL_COMBO);
    const orvik_wstring path = GetDialogItemText(io_dialog, PATH_EDIT);
    const orvik_wstring size = GetDialogItemText(io_dialog, FILE_SIZE_EDIT);
    const orvik_wstring count = GetDialogItemText(io_dialog, FILE_COUNT_EDIT);
    // Every value is checked before any is stored: a refused one must leave nothing half-stored
    // behind, which Cancel could not take back.
    PeltaDSNConfiguration::CheckLogFileSize(size);
    PeltaDSNConfiguration::CheckLogFileCount(count);
    configuration.SetLogLevel(Orvik::Support::NumberConverter::ConvertInt32ToWString(level < 0 ? LOG_OFF_POSITION : level));
    configuration.SetLogPath(path);
    configuration.SetLogFileSize(size);
    configuration.SetLogFileCount(count);
    io_dialog.EndDialog(IDOK);
}

void PeltaLoggingDialog::DoCancelAction(DialogWindow& io_dialog)
{
    FindDialogLog(io_dialog)->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoCancelAction");
    io_dialog.EndDialog(0);
}

} // namespace Pelta
