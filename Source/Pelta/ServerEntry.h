#pragma once

#include <cstdint>
#include <string>

namespace Pelta {

/// One configured server in a connection's server queues.
struct ServerEntry
{
    /// The "Servers" entry as configured, "host:port".
    std::string server;
    /// When the server was taken out of rotation, on the monotonic millisecond clock.
    int64_t leaveTime = 0;
};

} // namespace Pelta
