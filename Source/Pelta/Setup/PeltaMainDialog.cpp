#include "Pelta/Setup/PeltaMainDialog.h"

#include "DSI/DSILog.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/PeltaLoggingDialog.h"
#include "Pelta/Setup/PeltaTestResultDialog.h"
#include "Pelta/Setup/SetupDialogSupport.h"
#include "Pelta/Setup/SetupStrings.h"
#include "Support/ErrorException.h"

#include <iterator>

using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaMainDialog";
constexpr int32_t MAIN_DIALOG_TEMPLATE = 101;

// The controls.
constexpr int32_t NAME_EDIT = 1002;
constexpr int32_t DESCRIPTION_EDIT = 1003;
constexpr int32_t SERVERS_EDIT = 1026;
constexpr int32_t MAX_COLUMN_SIZE_EDIT = 1022;
constexpr int32_t TIMEOUT_EDIT = 1028;
constexpr int32_t RE_ENTRY_TIME_EDIT = 1036;
constexpr int32_t TEST_BUTTON = 1008;
constexpr int32_t LOGGING_BUTTON = 1009;
constexpr int32_t VERSION_LABEL = 1011;

constexpr int32_t NAME_LIMIT = 32;
constexpr int32_t DESCRIPTION_LIMIT = 260;

// The title strings, and the string ending the version label.
constexpr int32_t SETUP_TITLE = 121;
constexpr int32_t PROMPT_TITLE = 134;
constexpr int32_t BITNESS_STRING = 120;

// What SetTexts puts into the controls, in its order; the Logging Options button keeps the text
// of its template.
constexpr ControlText LABEL_TEXTS[] = {
    { 1000, 122 }, { 1004, 123 }, { 1021, 1039 }, { 1023, 1040 }, { 1020, 131 },
};
constexpr ControlText BUTTON_TEXTS[] = {
    { TEST_BUTTON, 117 }, { IDOK, 115 }, { IDCANCEL, 116 }, { 1030, 1037 }, { 1033, 1038 },
};

// The edits whose change decides whether OK and Test are enabled.
constexpr int32_t BUTTON_DECIDING_EDITS[] = { NAME_EDIT, MAX_COLUMN_SIZE_EDIT, SERVERS_EDIT, TIMEOUT_EDIT,
                                              RE_ENTRY_TIME_EDIT };

PeltaDSNConfiguration& Configuration(const DialogWindow& in_dialog)
{
    return *FindDialogConfiguration(in_dialog);
}

template <size_t N>
bool IsOneOf(int32_t in_id, const int32_t (&in_ids)[N])
{
    for (const int32_t id : in_ids)
    {
        if (id == in_id)
        {
            return true;
        }
    }
    return false;
}

} // namespace

bool PeltaMainDialog::Show(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, bool in_requiredOnly)
{
    return Run(in_parent, io_configuration, in_requiredOnly) == IDOK;
}

intptr_t PeltaMainDialog::Run(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, bool in_requiredOnly)
{
    io_configuration.GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Show");
    const PeltaMainDialogParams params{ &io_configuration, in_requiredOnly };
    return DialogWindow::RunModal(MAIN_DIALOG_TEMPLATE, in_parent, &PeltaMainDialog::ActionProc,
                                  reinterpret_cast<intptr_t>(&params));
}

intptr_t PeltaMainDialog::ActionProc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    return DispatchShowingErrors(io_dialog, in_message, in_wParam, in_lParam, LOG_CLASS,
                                 &PeltaMainDialog::Dispatch);
}

intptr_t PeltaMainDialog::Dispatch(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    switch (in_message)
    {
    case WM_INITDIALOG:
        Initialize(io_dialog, reinterpret_cast<const PeltaMainDialogParams*>(in_lParam));
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

intptr_t PeltaMainDialog::DispatchCommand(DialogWindow& io_dialog, uintptr_t in_wParam)
{
    // Commands come from a user, after the initialization that stores the configuration.
    if (FindDialogConfiguration(io_dialog) == nullptr)
    {
        return MESSAGE_NOT_HANDLED;
    }
    const int32_t id = CommandId(in_wParam);
    switch (id)
    {
    case IDOK:
        DoOkAction(io_dialog);
        return MESSAGE_HANDLED;
    case IDCANCEL:
        DoCancelAction(io_dialog);
        return MESSAGE_HANDLED;
    case TEST_BUTTON:
        DoTestAction(io_dialog);
        return MESSAGE_HANDLED;
    case LOGGING_BUTTON:
        DoLoggingDialogAction(io_dialog);
        return MESSAGE_HANDLED;
    default:
        break;
    }
    if (!IsOneOf(id, BUTTON_DECIDING_EDITS))
    {
        return MESSAGE_NOT_HANDLED;
    }
    if (CommandNotification(in_wParam) == EN_CHANGE)
    {
        UpdateButtons(io_dialog);
    }
    return MESSAGE_HANDLED;
}

void PeltaMainDialog::Initialize(DialogWindow& io_dialog, const PeltaMainDialogParams* in_params)
{
    PeltaDSNConfiguration& configuration = *in_params->m_configuration;
    StartSetupDialog(io_dialog, configuration, LOG_CLASS);
    Orvik::DSI::DSILog* log = configuration.GetLog();
    const bool isPrompt = configuration.GetMode() == PeltaDSNConfiguration::MODE_PROMPT;
    SetTexts(io_dialog, isPrompt);
    io_dialog.LimitText(NAME_EDIT, NAME_LIMIT);
    io_dialog.LimitText(DESCRIPTION_EDIT, DESCRIPTION_LIMIT);
    SetDialogItemText(io_dialog, NAME_EDIT, configuration.GetDSN());
    SetDialogItemText(io_dialog, DESCRIPTION_EDIT, configuration.GetDescription());
    SetDialogItemText(io_dialog, SERVERS_EDIT, configuration.GetServers());
    SetDialogItemText(io_dialog, MAX_COLUMN_SIZE_EDIT, configuration.GetMaxColumnSize());
    SetDialogItemText(io_dialog, TIMEOUT_EDIT, configuration.GetTimeout());
    SetDialogItemText(io_dialog, RE_ENTRY_TIME_EDIT, configuration.GetReEntryTime());
    switch (configuration.GetMode())
    {
    case PeltaDSNConfiguration::MODE_EXISTING:
        log->LogTrace(PELTA_NAME, LOG_CLASS, "Initialize", "Modifying existing DSN.");
        io_dialog.EnableItem(NAME_EDIT, false);
        break;
    case PeltaDSNConfiguration::MODE_NEW:
        log->LogTrace(PELTA_NAME, LOG_CLASS, "Initialize", "Creating a new DSN.");
        break;
    default:
        log->LogTrace(PELTA_NAME, LOG_CLASS, "Initialize", "Showing a connection dialog.");
        io_dialog.EnableItem(NAME_EDIT, false);
        io_dialog.EnableItem(DESCRIPTION_EDIT, false);
        io_dialog.ShowItem(TEST_BUTTON, false);
        io_dialog.ShowItem(LOGGING_BUTTON, false);
        if (in_params->m_requiredOnly)
        {
            io_dialog.EnableItem(MAX_COLUMN_SIZE_EDIT, false);
        }
        break;
    }
    UpdateButtons(io_dialog);
}

void PeltaMainDialog::SetTexts(DialogWindow& io_dialog, bool in_prompt)
{
    io_dialog.SetTitle(LoadRequiredString(in_prompt ? PROMPT_TITLE : SETUP_TITLE).GetAsWString());
    SetControlTexts(io_dialog, LABEL_TEXTS, std::size(LABEL_TEXTS));
    SetDialogItemText(io_dialog, VERSION_LABEL,
                      orvik_wstring(u"v") + orvik_wstring(PELTA_DRIVER_VERSION) + LoadRequiredString(BITNESS_STRING));
    SetControlTexts(io_dialog, BUTTON_TEXTS, std::size(BUTTON_TEXTS));
}

void PeltaMainDialog::UpdateButtons(DialogWindow& io_dialog)
{
    bool isEnabled = GetDialogItemText(io_dialog, SERVERS_EDIT).GetLength() != 0;
    if (isEnabled && Configuration(io_dialog).GetMode() != PeltaDSNConfiguration::MODE_PROMPT)
    {
        isEnabled = GetDialogItemText(io_dialog, NAME_EDIT).GetLength() != 0;
    }
    io_dialog.EnableItem(IDOK, isEnabled);
    io_dialog.EnableItem(TEST_BUTTON, isEnabled);
}

void PeltaMainDialog::SaveSettings(DialogWindow& io_dialog)
{
    PeltaDSNConfiguration& configuration = Configuration(io_dialog);
    configuration.GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "SaveSettings");
    configuration.SetDSN(GetDialogItemText(io_dialog, NAME_EDIT));
    configuration.SetDescription(GetDialogItemText(io_dialog, DESCRIPTION_EDIT));
    configuration.SetServers(GetDialogItemText(io_dialog, SERVERS_EDIT));
    configuration.SetMaxColumnSize(GetDialogItemText(io_dialog, MAX_COLUMN_SIZE_EDIT));
    configuration.SetTimeout(GetDialogItemText(io_dialog, TIMEOUT_EDIT));
    configuration.SetReEntryTime(GetDialogItemText(io_dialog, RE_ENTRY_TIME_EDIT));
}

void PeltaMainDialog::DoOkAction(DialogWindow& io_dialog)
{
    FindDialogLog(io_dialog)->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoOkAction");
    try
    {
        SaveSettings(io_dialog);
        io_dialog.EndDialog(IDOK);
    }
    catch (...)
    {
        DisplayCaughtSetupError(io_dialog.GetHandle(), FindDialogLog(io_dialog), LOG_CLASS, "DoOkAction");
    }
}

void PeltaMainDialog::DoCancelAction(DialogWindow& io_dialog)
{
    FindDialogLog(io_dialog)->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoCancelAction");
    io_dialog.EndDialog(0);
}

bool PeltaMainDialog::DoLoggingDialogAction(DialogWindow& io_dialog)
{
    FindDialogLog(io_dialog)->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoLoggingDialogAction");
    return PeltaLoggingDialog::Show(io_dialog.GetHandle(), Configuration(io_dialog));
}

void PeltaMainDialog::DoTestAction(DialogWindow& io_dialog)
{
    FindDialogLog(io_dialog)->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoTestAction");
    // A refused name is not caught here: the dialog procedure shows it.
    try
    {
        SaveSettings(io_dialog);
        PeltaTestResultDialog::Show(io_dialog.GetHandle(), Configuration(io_dialog));
    }
    catch (ErrorException& e)
    {
        DisplaySetupError(io_dialog.GetHandle(), FindDialogLog(io_dialog), LOG_CLASS, "DoTestAction", e);
    }
}

} // namespace Pelta
