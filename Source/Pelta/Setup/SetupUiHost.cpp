#include "Pelta/Setup/SetupUiHost.h"

#include "Pelta/Setup/NullSetupUi.h"
#include "Platform/OsStepChannel.h"

#include <atomic>

namespace Pelta {

namespace {

std::atomic<ISetupUi*> s_installed{ nullptr };

typedef ISetupUi* (*GetSetupUiFunction)();

} // namespace

ISetupUi& SetupUiHost::Get()
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
    static NullSetupUi s_null;
    return s_null;
}

void SetupUiHost::Install(ISetupUi* in_ui)
{
    s_installed.store(in_ui);
}

} // namespace Pelta
