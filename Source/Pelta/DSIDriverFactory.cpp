#include "Pelta/DSIDriverFactory.h"

#include "Pelta/DllMainHook.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaDriver.h"
#include "Support/OrvikSettingReader.h"

namespace Pelta {

std::unique_ptr<Orvik::DSI::IDriver> DSIDriverFactory(Orvik::Support::ModuleHandle& out_module)
{
    out_module = GetRecordedModuleHandle();
    Orvik::Support::OrvikSettingReader::SetBrandingName(PELTA_WIDE_NAME);
    return std::make_unique<PeltaDriver>();
}

} // namespace Pelta
