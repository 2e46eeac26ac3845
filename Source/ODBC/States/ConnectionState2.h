#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// The connection state allocated, not connected (C2); its operations come with the connection functions.
class ConnectionState2 : public ConnectionState
{
};

} // namespace ODBC
} // namespace Orvik
