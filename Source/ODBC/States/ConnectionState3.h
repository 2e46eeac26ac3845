#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// The connection state a browse connection in progress (C3); its operations come with the connection functions.
class ConnectionState3 : public ConnectionState
{
};

} // namespace ODBC
} // namespace Orvik
