#pragma once

#include "ODBC/States/ConnectionStateStatement.h"

namespace Orvik {
namespace ODBC {

/// The connection state of an open transaction, or of an open cursor in auto-commit mode (C6).
class ConnectionState6 : public ConnectionStateStatement
{
public:
    /// "InvalidTransState" (25000): the transaction must end first.
    SQLRETURN SQLDisconnect(Connection& io_connection) override;

    /// Ends the transaction. For the environment's end of all transactions (SQL_HANDLE_ENV), a
    /// connection with statements whose cursors survive the end (SQL_CB_PRESERVE) opens the next
    /// transaction at once; SQL_ERROR when that fails. Any other handle type: SQL_ERROR.
    SQLRETURN SQLEndTran(Connection& io_connection, SQLSMALLINT in_handleType, SQLSMALLINT in_completionType) override;

    /// SQL_ATTR_TXN_ISOLATION and SQL_ATTR_PACKET_SIZE: "AttrCantBeSetNow" (HY011); turning
    /// auto-commit on commits the open transaction first.
    void SQLSetConnectAttr(Connection& io_connection,
                           SQLINTEGER in_attribute,
                           SQLPOINTER in_value,
                           SQLINTEGER in_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
