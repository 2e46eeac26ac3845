#include "ODBC/Tasks/SQLConnectWTask.h"

#include "ODBC/Dispatch/DispatchedCalls.h"
#include "ODBC/Handles/Connection.h"

namespace Orvik {
namespace ODBC {

SQLConnectWTask::SQLConnectWTask(Connection& io_owner, const SQLConnectWArgs& in_args)
    : ODBCTask(io_owner.GetDiagManager(), SQLConnectWCall::TaskName), m_owner(io_owner), m_args(in_args)
{
    m_serverName.Capture(m_args.ServerName, m_args.NameLength1);
    m_userName.Capture(m_args.UserName, m_args.NameLength2);
    m_authentication.Capture(m_args.Authentication, m_args.NameLength3);
}

SQLRETURN SQLConnectWTask::Call()
{
    return SQLConnectWCall::Call(m_owner, m_args);
}

} // namespace ODBC
} // namespace Orvik
