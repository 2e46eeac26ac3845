#pragma once

#include "ODBC/States/ConnectionState.h"

namespace Orvik {
namespace ODBC {

/// A connection without a data-store connection: it connects (SQLConnect, SQLDriverConnect, the
/// first step of SQLBrowseConnect) and refuses what needs a connection.
class ConnectionStateAllocated : public ConnectionState
{
public:
    /// Statements and descriptors: "NoEstConn" (08003).
    SQLRETURN SQLAllocHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE* out_handle) override;

    /// The first step of a browse dialogue: SQL_NEED_DATA with the request string while settings
    /// are missing or the completed string does not fit, and after a refused login; otherwise it
    /// connects.
    SQLRETURN SQLBrowseConnectW(Connection& io_connection,
                                SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength) override;

    /// Connects to the data source named in_serverName with the user and password given;
    /// "UnableToEstConn" (08001) names the required settings missing.
    SQLRETURN SQLConnectW(Connection& io_connection,
                          SQLWCHAR* in_serverName,
                          SQLSMALLINT in_serverNameLength,
                          SQLWCHAR* in_userName,
                          SQLSMALLINT in_userNameLength,
                          SQLWCHAR* in_authentication,
                          SQLSMALLINT in_authenticationLength) override;

    /// "NoEstConn" (08003).
    SQLRETURN SQLDisconnect(Connection& io_connection) override;

    /// Connects with a connection string, prompting as in_driverCompletion asks: SQL_DRIVER_PROMPT
    /// always, SQL_DRIVER_COMPLETE and SQL_DRIVER_COMPLETE_REQUIRED when required settings are
    /// missing, SQL_DRIVER_NOPROMPT never ("UnableToEstConn", 08001). A cancelled dialog gives
    /// SQL_NO_DATA; a cut completed string still connects, with 01004.
    SQLRETURN SQLDriverConnectW(Connection& io_connection,
                                SQLHWND in_window,
                                SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength,
                                SQLUSMALLINT in_driverCompletion) override;

    /// SQL_INVALID_HANDLE: without a connection no statement exists.
    SQLRETURN SQLExecute(Connection& io_connection, Statement& io_statement) override;
    SQLRETURN SQLExecDirectW(Connection& io_connection,
                             Statement& io_statement,
                             SQLWCHAR* in_statementText,
                             SQLINTEGER in_textLength) override;

    /// Statements: internal error; descriptors as the base frees them.
    void SQLFreeHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle) override;

    /// "FuncSeqErr" (HY010).
    SQLRETURN SQLGetFunctions(Connection& io_connection, SQLUSMALLINT in_functionId, SQLUSMALLINT* out_supported) override;

    /// "NoEstConn" (08003).
    void SQLNativeSqlW(Connection& io_connection,
                       SQLWCHAR* in_statementText,
                       SQLINTEGER in_textLength,
                       SQLWCHAR* out_statementText,
                       SQLINTEGER in_bufferLength,
                       SQLINTEGER* out_textLength) override;

    /// An attribute without a value: SQL_NO_DATA for SQL_ATTR_ACCESS_MODE to SQL_ATTR_TRACEFILE
    /// (101 to 105) and SQL_ATTR_ODBC_CURSORS (110), "NoEstConn" (08003) for the others.
    void SQLGetConnectAttr(Connection& io_connection,
                           SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;

    /// The translation attributes need a connection ("NoEstConn", 08003).
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
