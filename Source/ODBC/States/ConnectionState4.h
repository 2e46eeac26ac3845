#pragma once

#include "ODBC/States/ConnectionStateConnected.h"

namespace Orvik {
namespace ODBC {

/// The connection state connected, without statements (C4).
class ConnectionState4 : public ConnectionStateConnected
{
};

} // namespace ODBC
} // namespace Orvik
