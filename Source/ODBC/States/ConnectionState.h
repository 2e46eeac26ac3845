#pragma once

#include "Support/Variant.h"

#include <sql.h>

#include <cstdint>
#include <vector>

namespace Orvik {
namespace ODBC {

class Connection;
class ConnectionSettings;
class Statement;

/// A state of the ODBC connection state machine (C2 to C6): a stateless object, shared by every
/// connection in that state, that checks each connection function against the state and carries
/// it out. Operations without a result report failure only by raising; errors are ErrorExceptions
/// with the ODBC layer's message keys, which the connection posts.
///
/// The operations here are the ones every state shares (the "base"); each state refuses what the
/// ODBC state tables refuse.
class ConnectionState
{
public:
    virtual ~ConnectionState() = default;

    ConnectionState(const ConnectionState&) = delete;
    ConnectionState& operator=(const ConnectionState&) = delete;

    /// A statement, or an explicit descriptor, on the connection.
    virtual SQLRETURN SQLAllocHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE* out_handle);

    virtual SQLRETURN SQLBrowseConnectW(Connection& io_connection,
                                        SQLWCHAR* in_connectionString,
                                        SQLSMALLINT in_stringLength,
                                        SQLWCHAR* out_connectionString,
                                        SQLSMALLINT in_bufferLength,
                                        SQLSMALLINT* out_stringLength) = 0;

    /// Cancels the data-store connection's call while one runs.
    virtual SQLRETURN SQLCancelHandle(Connection& io_connection);

    virtual SQLRETURN SQLConnectW(Connection& io_connection,
                                  SQLWCHAR* in_serverName,
                                  SQLSMALLINT in_serverNameLength,
                                  SQLWCHAR* in_userName,
                                  SQLSMALLINT in_userNameLength,
                                  SQLWCHAR* in_authentication,
                                  SQLSMALLINT in_authenticationLength) = 0;

    virtual SQLRETURN SQLDisconnect(Connection& io_connection) = 0;

    virtual SQLRETURN SQLDriverConnectW(Connection& io_connection,
                                        SQLHWND in_window,
                                        SQLWCHAR* in_connectionString,
                                        SQLSMALLINT in_stringLength,
                                        SQLWCHAR* out_connectionString,
                                        SQLSMALLINT in_bufferLength,
                                        SQLSMALLINT* out_stringLength,
                                        SQLUSMALLINT in_driverCompletion) = 0;

    /// Nothing to end: SQL_SUCCESS.
    virtual SQLRETURN SQLEndTran(Connection& io_connection, SQLSMALLINT in_handleType, SQLSMALLINT in_completionType);

    /// The statement's own member.
    virtual SQLRETURN SQLExecute(Connection& io_connection, Statement& io_statement);
    virtual SQLRETURN SQLExecDirectW(Connection& io_connection,
                                     Statement& io_statement,
                                     SQLWCHAR* in_statementText,
                                     SQLINTEGER in_textLength);

    /// Frees a statement or an explicit descriptor of the connection.
    virtual void SQLFreeHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle);

    virtual SQLRETURN SQLGetFunctions(Connection& io_connection, SQLUSMALLINT in_functionId, SQLUSMALLINT* out_supported);

    /// The same in every state: the value of the information type, written for the application.
    void SQLGetInfoW(Connection& io_connection,
                     SQLUSMALLINT in_infoType,
                     SQLPOINTER out_value,
                     SQLSMALLINT in_bufferLength,
                     SQLSMALLINT* out_stringLength);

    /// The statement text as the data store would run it.
    virtual void SQLNativeSqlW(Connection& io_connection,
                               SQLWCHAR* in_statementText,
                               SQLINTEGER in_textLength,
                               SQLWCHAR* out_statementText,
                               SQLINTEGER in_bufferLength,
                               SQLINTEGER* out_textLength);

    virtual void SQLGetConnectAttr(Connection& io_connection,
                                   SQLINTEGER in_attribute,
                                   SQLPOINTER out_value,
                                   SQLINTEGER in_bufferLength,
                                   SQLINTEGER* out_stringLength);

    virtual void SQLSetConnectAttr(Connection& io_connection,
                                   SQLINTEGER in_attribute,
                                   SQLPOINTER in_value,
                                   SQLINTEGER in_stringLength);

    virtual SQLRETURN ExecuteCatalogFunction(Connection& io_connection,
                                             Statement& io_statement,
                                             int32_t in_functionId,
                                             const std::vector<Support::Variant>& in_arguments) = 0;

protected:
    ConnectionState() = default;

    /// The refusals of a connection without a data-store connection (C2, C3): statements and
    /// descriptors need a connection ("NoEstConn", 08003); other handle types are internal errors.
    [[noreturn]] static void RefuseAllocation(SQLSMALLINT in_handleType);

    /// C2 to C4 have no statement to free; descriptors are freed as the base frees them.
    void FreeWithoutStatements(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle);

    /// "ConnAlreadyEst" (08002).
    [[noreturn]] static void RefuseConnect();

    /// "NoEstConn" (08003).
    [[noreturn]] static void RefuseNotConnected();

    /// "FuncSeqErr" (HY010).
    [[noreturn]] static void RefuseSequence();

    /// "AttrCantBeSetNow" (HY011).
    [[noreturn]] static void RefuseAttributeNow();

    static void LogEntrance(Connection& io_connection, const char* in_class, const char* in_method);

    /// Posts "StrRightTruncWarn" (01004) for a cut output connection string.
    static void PostTruncation(Connection& io_connection);

    /// Writes in_settings' output connection string for the application and posts
    /// "StrRightTruncWarn" (01004) when it was cut; returns whether it was.
    static bool WriteOutString(Connection& io_connection,
                               const ConnectionSettings& in_settings,
                               SQLWCHAR* out_connectionString,
                               SQLSMALLINT in_bufferLength,
                               SQLSMALLINT* out_stringLength);

    /// Connects the data-store connection with in_settings.
    static void ConnectDataStore(Connection& io_connection, ConnectionSettings& io_settings);

    /// SQL_ERROR when the connection's diagnostics hold an error, else in_result.
    static SQLRETURN UnlessErrorPosted(Connection& io_connection, SQLRETURN in_result);
};

} // namespace ODBC
} // namespace Orvik
