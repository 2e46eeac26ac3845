#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// The connection state connected, in a transaction or with an open cursor (C6); its operations come with the connection functions.
class ConnectionState6 : public ConnectionState
{
};

} // namespace ODBC
} // namespace Orvik
