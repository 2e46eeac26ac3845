#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// A connected connection with statements: statement executions and catalog functions run in a
/// transaction of their own in manual-commit mode.
class ConnectionStateStatement : public ConnectionState
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

    /// Frees the statements, then disconnects the data-store connection.
    SQLRETURN SQLDisconnect(Connection& io_connection) override;

    /// Commits (SQL_COMMIT) or rolls back (SQL_ROLLBACK) the open transaction; any other
    /// completion type is "InvalidTransType" (HY012).
    SQLRETURN SQLEndTran(Connection& io_connection, SQLSMALLINT in_handleType, SQLSMALLINT in_completionType) override;

    /// Opens a transaction when the statement needs one, then runs the statement's member; in
    /// auto-commit mode the statements are told that the statement's work ended.
    SQLRETURN SQLExecute(Connection& io_connection, Statement& io_statement) override;
    SQLRETURN SQLExecDirectW(Connection& io_connection,
                             Statement& io_statement,
                             SQLWCHAR* in_statementText,
                             SQLINTEGER in_textLength) override;

    /// SQL_ATTR_PACKET_SIZE cannot change once connected ("AttrCantBeSetNow", HY011).
    void SQLSetConnectAttr(Connection& io_connection,
                           SQLINTEGER in_attribute,
                           SQLPOINTER in_value,
                           SQLINTEGER in_stringLength) override;

    /// Opens a transaction when the statement needs one, then runs the catalog function.
    SQLRETURN ExecuteCatalogFunction(Connection& io_connection,
                                     Statement& io_statement,
                                     int32_t in_functionId,
                                     const std::vector<Support::Variant>& in_arguments) override;

protected:
    /// Commits or rolls back as in_completionType says.
    static void EndTransaction(Connection& io_connection, SQLSMALLINT in_completionType);

    /// in_execution in a transaction, as SQLExecute and SQLExecDirectW run.
    template <typename Execution>
    static SQLRETURN ExecuteInTransaction(Connection& io_connection, Statement& io_statement, Execution in_execution);
};

} // namespace ODBC
} // namespace Orvik
