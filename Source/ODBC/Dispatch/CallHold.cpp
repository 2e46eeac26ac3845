#include "ODBC/Dispatch/CallHold.h"

#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

CallHold::CallHold(Statement& io_statement)
    : CallHold(io_statement.GetStatementLock(), io_statement.GetCancelLock(), io_statement.GetDiagManager())
{
}

CallHold::CallHold(Connection& io_connection)
    : CallHold(io_connection.GetConnectionLock(), io_connection.GetCancelLock(), io_connection.GetDiagManager())
{
}

CallHold::CallHold(Descriptor& io_descriptor)
    : CallHold(io_descriptor.GetLock(), io_descriptor.GetLock(), io_descriptor.GetDiagManager())
{
}

CallHold::CallHold(CriticalSection& io_callLock, CriticalSection& io_postLock, DiagManager& io_diagnostics)
    : m_hold(io_callLock), m_postLock(io_postLock), m_diagnostics(io_diagnostics)
{
}

void CallHold::PostOnly(const ErrorException& in_exception)
{
    CriticalSectionLock post(m_postLock);
    m_diagnostics.Clear();
    m_diagnostics.PostError(in_exception);
}

} // namespace ODBC
} // namespace Orvik
