#pragma once

#include "ODBC/States/ConnectionStateAllocated.h"

namespace Orvik {
namespace ODBC {

/// The connection state allocated, not connected (C2).
class ConnectionState2 : public ConnectionStateAllocated
{
};

} // namespace ODBC
} // namespace Orvik
