#pragma once

#include "ODBC/States/ConnectionStateStatement.h"

namespace Orvik {
namespace ODBC {

/// The connection state connected with statements, no transaction or cursor open (C5).
class ConnectionState5 : public ConnectionStateStatement
{
};

} // namespace ODBC
} // namespace Orvik
