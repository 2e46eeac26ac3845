#include "ODBC/States/ConnectionStateConnected.h"

#include "DSI/DSIConnection.h"
#include "ODBC/Handles/Connection.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "ConnectionStateConnected";

} // namespace

SQLRETURN ConnectionStateConnected::SQLBrowseConnectW(Connection& io_connection,
                                                      SQLWCHAR*,
                                                      SQLSMALLINT,
                                                      SQLWCHAR*,
                                                      SQLSMALLINT,
                                                      SQLSMALLINT*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLBrowseConnectW");
    RefuseConnect();
}

SQLRETURN ConnectionStateConnected::SQLConnectW(Connection& io_connection,
                                                SQLWCHAR*,
                                                SQLSMALLINT,
                                                SQLWCHAR*,
                                                SQLSMALLINT,
                                                SQLWCHAR*,
                                                SQLSMALLINT)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLConnectW");
    RefuseConnect();
}

SQLRETURN ConnectionStateConnected::SQLDriverConnectW(Connection& io_connection,
                                                      SQLHWND,
                                                      SQLWCHAR*,
                                                      SQLSMALLINT,
                                                      SQLWCHAR*,
                                                      SQLSMALLINT,
                                                      SQLSMALLINT*,
                                                      SQLUSMALLINT)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLDriverConnectW");
    RefuseConnect();
}

SQLRETURN ConnectionStateConnected::SQLDisconnect(Connection& io_connection)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLDisconnect");
    io_connection.GetDSIConnection().Disconnect();
    return SQL_SUCCESS;
}

SQLRETURN ConnectionStateConnected::SQLExecute(Connection& io_connection, Statement&)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLExecute");
    return SQL_INVALID_HANDLE;
}

SQLRETURN ConnectionStateConnected::SQLExecDirectW(Connection& io_connection, Statement&, SQLWCHAR*, SQLINTEGER)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLExecDirectW");
    return SQL_INVALID_HANDLE;
}

void ConnectionStateConnected::SQLFreeHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLFreeHandle");
    FreeWithoutStatements(io_connection, in_handleType, in_handle);
}

void ConnectionStateConnected::SQLSetConnectAttr(Connection& io_connection,
                                                 SQLINTEGER in_attribute,
                                                 SQLPOINTER in_value,
                                                 SQLINTEGER in_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLSetConnectAttr");
    if (in_attribute == SQL_ATTR_PACKET_SIZE)
    {
        RefuseAttributeNow();
    }
    ConnectionState::SQLSetConnectAttr(io_connection, in_attribute, in_value, in_stringLength);
}

SQLRETURN ConnectionStateConnected::ExecuteCatalogFunction(Connection& io_connection,
                                                           Statement&,
                                                           int32_t,
                                                           const std::vector<Variant>&)
{
    LogEntrance(io_connection, LOG_CLASS, "ExecuteCatalogFunction");
    RefuseSequence();
}

} // namespace ODBC
} // namespace Orvik
