#include "ODBC/States/ConnectionStateStatement.h"

#include "DSI/DSIConnection.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/Handles/Statement.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "ConnectionStateStatement";

} // namespace

SQLRETURN ConnectionStateStatement::SQLBrowseConnectW(Connection&, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT, SQLSMALLINT*)
{
    RefuseConnect();
}

SQLRETURN ConnectionStateStatement::SQLConnectW(Connection&, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT)
{
    RefuseConnect();
}

SQLRETURN ConnectionStateStatement::SQLDriverConnectW(Connection&,
                                                      SQLHWND,
                                                      SQLWCHAR*,
                                                      SQLSMALLINT,
                                                      SQLWCHAR*,
                                                      SQLSMALLINT,
                                                      SQLSMALLINT*,
                                                      SQLUSMALLINT)
{
    RefuseConnect();
}

SQLRETURN ConnectionStateStatement::SQLDisconnect(Connection& io_connection)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLDisconnect");
    // A call that began on a statement since the connection looked refuses the disconnect here,
    // where the statements are closed to calls all at once.
    HandleClosing closing;
    if (!io_connection.CloseStatementsToCalls(closing))
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    }
    closing.Keep();
    io_connection.DeleteAllStatements();
    io_connection.GetDSIConnection().Disconnect();
    return SQL_SUCCESS;
}

SQLRETURN ConnectionStateStatement::SQLEndTran(Connection& io_connection, SQLSMALLINT, SQLSMALLINT in_completionType)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLEndTran");
    EndTransaction(io_connection, in_completionType);
    return SQL_SUCCESS;
}

void ConnectionStateStatement::EndTransaction(Connection& io_connection, SQLSMALLINT in_completionType)
{
    if (in_completionType == SQL_COMMIT)
    {
        io_connection.CommitTransaction(false);
    }
    else if (in_completionType == SQL_ROLLBACK)
    {
        io_connection.RollbackTransaction(false);
    }
    else
    {
        throw ErrorException(DIAG_INVALID_TRANSACTION_OPCODE, ODBC_COMPONENT_ID, u"InvalidTransType", -1, -1);
    }
}

template <typename Execution>
SQLRETURN ConnectionStateStatement::ExecuteInTransaction(Connection& io_connection,
                                                         Statement& io_statement,
                                                         Execution in_execution)
{
    if (!io_connection.BeginTransaction(&io_statement))
    {
        return SQL_ERROR;
    }
    const SQLRETURN result = in_execution();
    if (result != SQL_ERROR && !io_connection.IsInTransaction())
    {
        io_connection.NotifyStatementsOfEndTransaction();
    }
    return result;
}

SQLRETURN ConnectionStateStatement::SQLExecute(Connection& io_connection, Statement& io_statement)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLExecute");
    return ExecuteInTransaction(io_connection, io_statement, [&] { return io_statement.SQLExecute(); });
}

SQLRETURN ConnectionStateStatement::SQLExecDirectW(Connection& io_connection,
                                                   Statement& io_statement,
                                                   SQLWCHAR* in_statementText,
                                                   SQLINTEGER in_textLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLExecDirectW");
    return ExecuteInTransaction(io_connection, io_statement,
                                [&] { return io_statement.SQLExecDirectW(in_statementText, in_textLength); });
}

void ConnectionStateStatement::SQLSetConnectAttr(Connection& io_connection,
                                                 SQLINTEGER in_attribute,
                                                 SQLPOINTER in_value,
                                                 SQLINTEGER in_stringLength)
{
    if (in_attribute == SQL_ATTR_PACKET_SIZE)
    {
        RefuseAttributeNow();
    }
    ConnectionState::SQLSetConnectAttr(io_connection, in_attribute, in_value, in_stringLength);
}

SQLRETURN ConnectionStateStatement::ExecuteCatalogFunction(Connection& io_connection,
                                                           Statement& io_statement,
                                                           int32_t in_functionId,
                                                           const std::vector<Variant>& in_arguments)
{
    LogEntrance(io_connection, LOG_CLASS, "ExecuteCatalogFunction");
    if (!io_connection.BeginTransaction(&io_statement))
    {
        return SQL_ERROR;
    }
    return io_statement.ExecuteCatalogFunction(in_functionId, in_arguments);
}

} // namespace ODBC
} // namespace Orvik
