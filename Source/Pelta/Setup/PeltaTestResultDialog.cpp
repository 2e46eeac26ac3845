#include "Pelta/Setup/PeltaTestResultDialog.h"

#include "DSI/DSIConnection.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "DSI/IDriver.h"
#include "Pelta/DSIDriverFactory.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"
#include "Pelta/Setup/DriverUse.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/SetupDialogSupport.h"
#include "Pelta/Setup/SetupStrings.h"
#include "Support/ErrorException.h"
#include "Support/VariantMap.h"

#include <memory>
#include <string>

using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;
using Orvik::Support::VariantMap;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaTestResultDialog";
constexpr int32_t TEST_RESULT_DIALOG_TEMPLATE = 102;
constexpr int32_t RESULT_EDIT = 1018;

constexpr int32_t TITLE_STRING = 128;
constexpr int32_t OK_STRING = 115;
constexpr int32_t FAILED_STRING = 129;
constexpr int32_t SUCCESS_STRING = 130;

// "name=value;" for every setting, in the map's order.
std::string DescribeSettings(const VariantMap& in_settings)
{
    std::string text;
    for (const auto& setting : in_settings)
    {
        text += setting.first.GetAsUTF8() + "=" + setting.second.GetString() + ";";
    }
    return text;
}

} // namespace

bool PeltaTestResultDialog::Show(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration)
{
    io_configuration.GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Show");
    return DialogWindow::RunModal(TEST_RESULT_DIALOG_TEMPLATE, in_parent, &PeltaTestResultDialog::ActionProc,
                                  reinterpret_cast<intptr_t>(&io_configuration))
           == IDOK;
}

intptr_t PeltaTestResultDialog::ActionProc(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    return DispatchShowingErrors(io_dialog, in_message, in_wParam, in_lParam, LOG_CLASS,
                                 &PeltaTestResultDialog::Dispatch);
}

intptr_t PeltaTestResultDialog::Dispatch(DialogWindow& io_dialog, uint32_t in_message, uintptr_t in_wParam, intptr_t in_lParam)
{
    switch (in_message)
    {
    case WM_INITDIALOG:
        Initialize(io_dialog, reinterpret_cast<PeltaDSNConfiguration*>(in_lParam));
        return MESSAGE_HANDLED;
    case WM_COMMAND:
        // Only OK ends the dialog: Escape and the close box leave it open.
        if (CommandId(in_wParam) != IDOK || FindDialogLog(io_dialog) == nullptr)
        {
            return MESSAGE_NOT_HANDLED;
        }
        DoOkAction(io_dialog);
        return MESSAGE_HANDLED;
    case WM_DESTROY:
    case WM_NCDESTROY:
        return MESSAGE_HANDLED;
    default:
        return MESSAGE_NOT_HANDLED;
    }
}

void PeltaTestResultDialog::Initialize(DialogWindow& io_dialog, PeltaDSNConfiguration* io_configuration)
{
    StartSetupDialog(io_dialog, *io_configuration, LOG_CLASS);
    Orvik::DSI::DSILog* log = io_configuration->GetLog();
    SetTexts(io_dialog);
    orvik_wstring result(u"");
    try
    {
        SetWaitCursor();
        TestConnection(*io_configuration);
        log->LogInfo(PELTA_NAME, LOG_CLASS, "Initialize", "Test connected successfully.");
        result = LoadResourceString(SUCCESS_STRING);
    }
    catch (ErrorException& e)
    {
        const orvik_wstring message = GetLocalizedMessage(e);
        log->LogError(PELTA_NAME, LOG_CLASS, "Initialize", "%s", message.GetAsAnsiString().c_str());
        result = LoadResourceString(FAILED_STRING) + message;
    }
    SetArrowCursor();
    SetDialogItemText(io_dialog, RESULT_EDIT, result);
}

void PeltaTestResultDialog::SetTexts(DialogWindow& io_dialog)
{
    io_dialog.SetTitle(LoadRequiredString(TITLE_STRING).GetAsWString());
    SetDialogItemText(io_dialog, IDOK, LoadRequiredString(OK_STRING));
}

void PeltaTestResultDialog::TestConnection(const PeltaDSNConfiguration& in_configuration)
{
    Orvik::DSI::DSILog* log = in_configuration.GetLog();
    // Released in reverse: the response map, the connection, the environment, the settings.
    VariantMap settings;
    in_configuration.RetrieveConnectionSettings(settings);
    if (log->GetLogLevel() >= Orvik::DSI::LOG_INFO)
    {
        log->LogInfo(PELTA_NAME, LOG_CLASS, "Initialize", "Testing connection using settings: %s",
                     DescribeSettings(settings).c_str());
    }
    // The driver that setup runs on; one made for the test when none is in use.
    const DriverUse driver(&DSIDriverFactory);
    const std::unique_ptr<Orvik::DSI::DSIEnvironment> environment = (*driver).CreateEnvironment();
    const std::unique_ptr<Orvik::DSI::DSIConnection> connection = environment->CreateConnection();
    Orvik::DSI::ConnSettingRequestMap responses;
    connection->UpdateConnectionSettings(settings, responses);
    connection->Connect(settings);
    connection->Disconnect();
}

void PeltaTestResultDialog::DoOkAction(DialogWindow& io_dialog)
{
    FindDialogLog(io_dialog)->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoOkAction");
    io_dialog.EndDialog(IDOK);
}

} // namespace Pelta
