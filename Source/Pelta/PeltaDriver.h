#pragma once

#include "DSI/DSIDriver.h"

#include <memory>

namespace Pelta {

/// The back end's data-store driver: the base's properties with the back end's name, version
/// and UTF-8 data encodings, the message file "PeltaMessages" for component 117, the vendor
/// name "Pelta", and its own log file "Pelta_driver.log".
class PeltaDriver : public Orvik::DSI::DSIDriver
{
public:
    PeltaDriver();
    ~PeltaDriver() override;

    /// A new PeltaEnvironment of this driver.
    std::unique_ptr<Orvik::DSI::DSIEnvironment> CreateEnvironment() override;

    /// The driver's own log on "Pelta_driver.log"; the base's log file is never made.
    Orvik::DSI::DSILog* GetDriverLog() override;

private:
    std::unique_ptr<Orvik::DSI::DSILog> m_log;
};

} // namespace Pelta
