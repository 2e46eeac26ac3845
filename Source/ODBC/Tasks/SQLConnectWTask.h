#pragma once

#include "ODBC/Dispatch/ArgumentRecords.h"
#include "ODBC/Tasks/ODBCTask.h"
#include "ODBC/Tasks/OwnedInputString.h"

namespace Orvik {
namespace ODBC {

class Connection;

/// The task of SQLConnectW: the server name, user name and authentication are copied when the
/// task is made.
class SQLConnectWTask : public ODBCTask
{
public:
    SQLConnectWTask(Connection& io_owner, const SQLConnectWArgs& in_args);

private:
    SQLRETURN Call() override;

    Connection& m_owner;
    SQLConnectWArgs m_args;
    OwnedInputString m_serverName;
    OwnedInputString m_userName;
    OwnedInputString m_authentication;
};

} // namespace ODBC
} // namespace Orvik
