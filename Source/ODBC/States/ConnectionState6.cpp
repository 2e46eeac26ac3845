#include "ODBC/States/ConnectionState6.h"

#include "ODBC/Handles/Connection.h"
#include "Support/AttributeData.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "ConnectionState6";

} // namespace

SQLRETURN ConnectionState6::SQLDisconnect(Connection&)
{
    throw ErrorException(DIAG_INVALID_TRANSACTION_STATE, ODBC_COMPONENT_ID, u"InvalidTransState", -1, -1);
}

SQLRETURN ConnectionState6::SQLEndTran(Connection& io_connection, SQLSMALLINT in_handleType, SQLSMALLINT in_completionType)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLEndTran");
    if (in_handleType != SQL_HANDLE_ENV && in_handleType != SQL_HANDLE_DBC)
    {
        return SQL_ERROR;
    }
    // A failed commit or rollback reaches the connection, which posts why.
    EndTransaction(io_connection, in_completionType);
    if (in_handleType == SQL_HANDLE_DBC || !io_connection.HasStatements())
    {
        return SQL_SUCCESS;
    }
    const AttributeData* behaviour = io_connection.GetInfoProperty(
        in_completionType == SQL_COMMIT ? SQL_CURSOR_COMMIT_BEHAVIOR : SQL_CURSOR_ROLLBACK_BEHAVIOR);
    if (behaviour != nullptr && behaviour->GetUInt16Value() == SQL_CB_PRESERVE && !io_connection.BeginTransaction(nullptr))
    {
        return SQL_ERROR;
    }
    return SQL_SUCCESS;
}

void ConnectionState6::SQLSetConnectAttr(Connection& io_connection,
                                         SQLINTEGER in_attribute,
                                         SQLPOINTER in_value,
                                         SQLINTEGER in_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLSetConnectAttr");
    if (in_attribute == SQL_ATTR_TXN_ISOLATION || in_attribute == SQL_ATTR_PACKET_SIZE)
    {
        RefuseAttributeNow();
    }
    if (in_attribute == SQL_ATTR_AUTOCOMMIT && reinterpret_cast<intptr_t>(in_value) == SQL_AUTOCOMMIT_ON)
    {
        io_connection.CommitTransaction(false);
    }
    ConnectionState::SQLSetConnectAttr(io_connection, in_attribute, in_value, in_stringLength);
}

} // namespace ODBC
} // namespace Orvik
