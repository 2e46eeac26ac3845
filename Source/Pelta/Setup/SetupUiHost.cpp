#include "Pelta/Setup/SetupUiHost.h"

#include "Pelta/Setup/DialogUi.h"
#include "Pelta/Setup/NullSetupUi.h"
#include "Pelta/Setup/TerminalDialogHost.h"
#include "Platform/OsStepChannel.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace Pelta {

namespace {

std::atomic<ISetupUi*> s_installed{ nullptr };

typedef ISetupUi* (*GetSetupUiFunction)();

constexpr char TERMINAL_REQUEST[] = "tty";

// A process without a window for setup can still have a person at its terminal; only an
// application that has a user to ask (it passed a window) or a request by the environment lets
// setup talk to that terminal.
bool IsTerminalWanted(WindowHandle in_owner)
{
    const char* requested = std::getenv(SetupUiHost::UI_VARIABLE);
    const bool isRequested = requested != nullptr && std::strcmp(requested, TERMINAL_REQUEST) == 0;
    return (in_owner != nullptr || isRequested) && TerminalDialogHost::IsAvailable();
}

} // namespace

ISetupUi& SetupUiHost::Get(WindowHandle in_owner)
{
    if (ISetupUi* installed = s_installed.load())
    {
        return *installed;
    }
    const auto getUi = reinterpret_cast<GetSetupUiFunction>(Orvik::OS::FindProgramFunction(HOST_EXPORT));
    ISetupUi* hosted = getUi != nullptr ? getUi() : nullptr;
    if (hosted != nullptr)
    {
        return *hosted;
    }
    if (DialogUi* active = DialogUi::GetActive())
    {
        return *active;
    }
    if (IsTerminalWanted(in_owner))
    {
        static TerminalDialogHost s_terminal;
        static DialogUi s_terminalUi(s_terminal);
        return s_terminalUi;
    }
    static NullSetupUi s_null;
    return s_null;
}

void SetupUiHost::Install(ISetupUi* in_ui)
{
    s_installed.store(in_ui);
}

} // namespace Pelta
