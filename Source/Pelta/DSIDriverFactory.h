#pragma once

#include "Support/DriverModuleDirectory.h"

#include <memory>

namespace Orvik {
namespace DSI {
class IDriver;
}
} // namespace Orvik

namespace Pelta {

/// The back end's one entry: hands out the module handle recorded when the library was
/// loaded, makes the driver-wide settings come from the key SOFTWARE\Pelta\Driver (before any of
/// them is read), and returns a new PeltaDriver, which the caller owns.
std::unique_ptr<Orvik::DSI::IDriver> DSIDriverFactory(Orvik::Support::ModuleHandle& out_module);

} // namespace Pelta
