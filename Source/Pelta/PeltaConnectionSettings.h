#pragma once

#include "Pelta/ServerEntry.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

namespace Pelta {

/// What a connection's statements share: the numeric settings, the default endpoint and the
/// server pool. Each configured server is in exactly one of the two queues.
struct PeltaConnectionSettings
{
    /// Column size reported for result columns and parameters; not a limit on data.
    uint32_t maxColumnSize = 4000;
    /// "http://" + first server + "/_sql?types": where a client without a pool sends.
    std::string endpoint;
    /// Servers in rotation; the front is used next.
    std::deque<ServerEntry> activeServers;
    /// Servers out of rotation, in the order they left.
    std::deque<ServerEntry> inactiveServers;
    /// Time limit of a liveness check, in seconds.
    uint32_t timeout = 5;
    /// Seconds a server stays out of rotation.
    uint32_t reEntryTime = 30;
    /// Guards the two queues: the statements of a connection may run on several threads.
    std::recursive_mutex serverLock;
};

} // namespace Pelta
