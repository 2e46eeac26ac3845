#include "ODBC/States/EnvironmentState2Connection.h"

#include "ODBC/Driver/Driver.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/States/EnvironmentState1Allocated.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "EnvironmentState2Connection";

} // namespace

EnvironmentState2Connection::EnvironmentState2Connection(Environment& io_environment,
                                                         std::unique_ptr<Connection> in_firstConnection)
    : EnvironmentState(io_environment)
{
    m_environment.AddConnection(std::move(in_firstConnection));
}

EnvironmentStateResult
EnvironmentState2Connection::SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE, SQLHANDLE* out_handle)
{
    LogEntrance(LOG_CLASS, "SQLAllocHandle");
    AdoptConnection(MakeConnection(in_handleType), false, out_handle);
    return EnvironmentStateResult();
}

EnvironmentStateResult EnvironmentState2Connection::SQLEndTran(SQLSMALLINT in_completionType)
{
    LogEntrance(LOG_CLASS, "SQLEndTran");
    if (in_completionType != SQL_COMMIT && in_completionType != SQL_ROLLBACK)
    {
        throw ErrorException(DIAG_INVALID_TRANSACTION_OPCODE, ODBC_COMPONENT_ID, u"InvalidTransType", -1, -1);
    }
    EnvironmentStateResult result;
    try
    {
        result.m_result = in_completionType == SQL_COMMIT ? m_environment.CommitTransactions()
                                                          : m_environment.RollbackTransactions();
    }
    catch (...)
    {
        // The connections' own failures are on their diagnostics.
        result.m_result = SQL_ERROR;
    }
    return result;
}

std::unique_ptr<EnvironmentState> EnvironmentState2Connection::SQLFreeHandle(SQLSMALLINT, SQLHANDLE in_handle)
{
    Driver& driver = m_environment.GetDriver();
    const HandleValue handle = reinterpret_cast<HandleValue>(in_handle);
    Connection* connection = driver.GetConnection(handle);
    if (connection == nullptr || &connection->GetEnvironment() != &m_environment)
    {
        throw ODBCInternalException(u"InvalidConn");
    }
    // A call still runs on the connection or on one of its statements or descriptors,
    // asynchronously or on another thread; once they are closed, none begins.
    HandleClosing closing;
    if (!connection->CloseToCalls(closing))
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    }
    closing.Keep();
    // The handle goes first, so that no lookup finds the connection while it is destroyed.
    driver.UnregisterConnection(handle);
    m_environment.RemoveConnection(connection);
    if (m_environment.GetConnectionCount() != 0)
    {
        return nullptr;
    }
    return std::make_unique<EnvironmentState1Allocated>(m_environment);
}

void EnvironmentState2Connection::SQLSetEnvAttr(SQLINTEGER, SQLPOINTER, SQLINTEGER)
{
    throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
}

} // namespace ODBC
} // namespace Orvik
