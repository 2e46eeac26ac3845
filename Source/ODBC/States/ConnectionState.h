#pragma once

namespace Orvik {
namespace ODBC {

/// A state of the ODBC connection state machine (C2 to C6): a stateless object, shared by every
/// connection in that state, that checks each connection function against the state and carries
/// it out. The connection functions join this interface with the connection states themselves.
class ConnectionState
{
public:
    virtual ~ConnectionState() = default;

    ConnectionState(const ConnectionState&) = delete;
    ConnectionState& operator=(const ConnectionState&) = delete;

protected:
    ConnectionState() = default;
};

} // namespace ODBC
} // namespace Orvik
