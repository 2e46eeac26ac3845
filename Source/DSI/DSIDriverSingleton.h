#pragma once

#include "Support/DriverModuleDirectory.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace DSI {

class IDriver;

/// The one data-store driver in use in the process: published by its owner (SetDriver), or made
/// and owned here for as long as it is in use (AcquireDriver, ReleaseDriver).
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

    /// Takes one use of the process's driver and returns it: the published driver, or, when none
    /// is published, one that in_factory makes and publishes as SetDriver does. The module
    /// start-up and the DSN setup entry both come here, so a process never has two drivers
    /// however they interleave; uses are counted under one lock, which SetDriver takes too. A
    /// factory's exception passes out with nothing published and no use taken.
    static IDriver* AcquireDriver(DriverFactory in_factory);

    /// Gives one use back. When the last use goes, a driver that AcquireDriver made is
    /// unpublished and deleted; one published through SetDriver stays, belonging to its owner.
    static void ReleaseDriver();

    /// The published driver; null before SetDriver.
    static IDriver* GetDriver();

    /// Driver property 7, 8 or 9 as copied by the last SetDriver with a driver (65532 before);
    /// throws InvalidArgumentException for another key.
    static int32_t GetCopiedSize(int32_t in_key);
};

} // namespace DSI
} // namespace Orvik
