#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// The connection state connected, without statements (C4); its operations come with the connection functions.
class ConnectionState4 : public ConnectionState
{
};

} // namespace ODBC
} // namespace Orvik
