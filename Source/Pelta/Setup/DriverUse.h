#pragma once

#include "DSI/DSIDriverSingleton.h"

namespace Orvik {
namespace DSI {
class IDriver;
}
} // namespace Orvik

namespace Pelta {

/// One use of the process's data-store driver while it lives: the driver the ODBC side runs on,
/// or one made for this use and deleted after it, so that setup never leaves a driver behind and
/// no two drivers write one log.
class DriverUse
{
public:
    /// in_factory makes the driver when the process has none in use.
    explicit DriverUse(Orvik::DSI::DSIDriverSingleton::DriverFactory in_factory)
        : m_driver(Orvik::DSI::DSIDriverSingleton::AcquireDriver(in_factory))
    {
    }
    ~DriverUse() { Orvik::DSI::DSIDriverSingleton::ReleaseDriver(); }
    DriverUse(const DriverUse&) = delete;
    DriverUse& operator=(const DriverUse&) = delete;

    Orvik::DSI::IDriver& operator*() const { return *m_driver; }

private:
    Orvik::DSI::IDriver* m_driver;
};

} // namespace Pelta
