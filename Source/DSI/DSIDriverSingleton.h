#pragma once

#include "Support/DriverModuleDirectory.h"

#include <cstdint>

namespace Orvik {
namespace DSI {

class IDriver;

/// The one data-store driver in use in the process. It does not own the driver: the ODBC
/// layer's module deletes it at termination, after setting null here.
class DSIDriverSingleton
{
public:
    DSIDriverSingleton() = delete;

    /// Publishes in_driver (null is allowed and does nothing more). Otherwise gives the driver
    /// in_module and copies its properties 7, 8 and 9 for GetCopiedSize. Called once by the
    /// module start-up, and on each call of the DSN setup entry.
    static void SetDriver(IDriver* in_driver, Support::ModuleHandle in_module);

    /// The published driver; null before SetDriver.
    static IDriver* GetDriver();

    /// Driver property 7, 8 or 9 as copied by the last SetDriver with a driver (65532 before);
    /// throws InvalidArgumentException for another key.
    static int32_t GetCopiedSize(int32_t in_key);
};

} // namespace DSI
} // namespace Orvik
