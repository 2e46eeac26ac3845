#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// The connection state connected, with statements and no open transaction or cursor (C5); its operations come with the connection functions.
class ConnectionState5 : public ConnectionState
{
};

} // namespace ODBC
} // namespace Orvik
