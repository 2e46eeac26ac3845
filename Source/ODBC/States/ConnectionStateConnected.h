#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// A connection that has a data-store connection (or is being browsed to one) but no statements:
/// it refuses to connect again and disconnects the data store.
class ConnectionStateConnected : public ConnectionState
{
public:
    /// "ConnAlreadyEst" (08002).
    SQLRETURN SQLBrowseConnectW(Connection& io_connection,
                                SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength) override;
    SQLRETURN SQLConnectW(Connection& io_connection,
                          SQLWCHAR* in_serverName,
                          SQLSMALLINT in_serverNameLength,
                          SQLWCHAR* in_userName,
                          SQLSMALLINT in_userNameLength,
                          SQLWCHAR* in_authentication,
                          SQLSMALLINT in_authenticationLength) override;
    SQLRETURN SQLDriverConnectW(Connection& io_connection,
                                SQLHWND in_window,
                                SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength,
                                SQLUSMALLINT in_driverCompletion) override;

    /// Disconnects the data-store connection.
    SQLRETURN SQLDisconnect(Connection& io_connection) override;

    /// SQL_INVALID_HANDLE: the connection has no statement.
    SQLRETURN SQLExecute(Connection& io_connection, Statement& io_statement) override;
    SQLRETURN SQLExecDirectW(Connection& io_connection,
                             Statement& io_statement,
                             SQLWCHAR* in_statementText,
                             SQLINTEGER in_textLength) override;

    /// Statements: internal error; descriptors as the base frees them.
    void SQLFreeHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle) override;

    /// SQL_ATTR_PACKET_SIZE cannot change once connected ("AttrCantBeSetNow", HY011).
    void SQLSetConnectAttr(Connection& io_connection,
                           SQLINTEGER in_attribute,
                           SQLPOINTER in_value,
                           SQLINTEGER in_stringLength) override;

    /// "FuncSeqErr" (HY010).
    SQLRETURN ExecuteCatalogFunction(Connection& io_connection,
                                     Statement& io_statement,
                                     int32_t in_functionId,
                                     const std::vector<Support::Variant>& in_arguments) override;
};

} // namespace ODBC
} // namespace Orvik
