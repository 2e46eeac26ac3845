#pragma once

#include "Support/DriverModuleDirectory.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace DSI {

class IDriver;

/// The one data-store driver in use in the process. It does not own the driver: the ODBC
/// layer's module deletes it at termination, after setting null here.
class DSIDriverSingleton
{
public:
    DSIDriverSingleton() = delete;

    /// The back end's entry: a new data-store driver (the caller owns it) and, in out_module,
    /// the module handle of the library.
    typedef std::unique_ptr<IDriver> (*DriverFactory)(Support::ModuleHandle& out_module);

    /// Publishes in_driver (null is allowed and does nothing more). Otherwise gives the driver
    /// in_module and copies its properties 7, 8 and 9 for GetCopiedSize.
    static void SetDriver(IDriver* in_driver, Support::ModuleHandle in_module);

    /// The published driver; when there is none, the one in_factory makes, published as
    /// SetDriver publishes it. The module start-up and the DSN setup entry both come here, so a
    /// process has one driver however they interleave: making and publishing hold one lock,
    /// which SetDriver takes too. A factory's exception passes out with nothing published.
    static IDriver* GetOrPublishDriver(DriverFactory in_factory);

    /// The published driver; null before SetDriver.
    static IDriver* GetDriver();

    /// Driver property 7, 8 or 9 as copied by the last SetDriver with a driver (65532 before);
    /// throws InvalidArgumentException for another key.
    static int32_t GetCopiedSize(int32_t in_key);
};

} // namespace DSI
} // namespace Orvik
