#pragma once

#include "DSI/DSIEnvironment.h"

namespace Pelta {

/// The back end's data-store environment: the base's properties; it makes PeltaConnections.
class PeltaEnvironment : public Orvik::DSI::DSIEnvironment
{
public:
    /// An environment of in_driver (not owned).
    explicit PeltaEnvironment(Orvik::DSI::DSIDriver* in_driver);
    ~PeltaEnvironment() override;

    /// A new, unconnected PeltaConnection of this environment.
    std::unique_ptr<Orvik::DSI::DSIConnection> CreateConnection() override;
};

} // namespace Pelta
