#pragma once

#include "ODBC/Handles/ODBCHandle.h"
#include "Support/CriticalSection.h"
#include "Support/SharedPtr.h"
#include "Support/Variant.h"

#include <sql.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Orvik {

namespace DSI {
class DSIConnection;
class DSILog;
class DSIMessageSource;
} // namespace DSI

namespace Support {
class AttributeData;
}

namespace ODBC {

class ConnectionAttributes;
class ConnectionSettings;
class ConnectionState;
class ConnectionStateTracker;
class ConnectionTransactionState;
class Descriptor;
class DiagManager;
class Environment;
class ExplicitAppDescriptor;
class HandleClosing;
class Statement;

/// The object behind one connection handle. Each ODBC member takes the connection's locks, clears
/// its diagnostics, logs, and hands the call to the connection's current state (C2 to C6), which
/// follows from the connection's bookkeeping on every call; failures become records and
/// SQL_ERROR. The connection owns its data-store connection, diagnostics, attributes,
/// statements, transaction state and the settings of a browse dialogue; its environment owns it.
///
/// Three call frames: the cancellable one (connect, disconnect, SQLEndTran, SQLSetConnectAttr,
/// catalog functions) holds the cancel lock only to start and end, so that SQLCancelHandle can
/// reach a running call; the execution frame (SQLExecDirect, SQLExecute) is the same but leaves
/// a pending cancel for the statement; the guarded frame holds the cancel lock throughout.
class Connection : public ODBCHandle
{
public:
    /// A connection of io_environment over in_dsiConnection, registered as its transaction
    /// listener; its diagnostics follow the environment's ODBC version.
    Connection(Environment& io_environment, std::unique_ptr<DSI::DSIConnection> in_dsiConnection);

    /// Frees the statements, disconnects the data store when connected, then the rest.
    ~Connection();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The ODBC functions of a connection handle; strings in the driver manager's encoding.

    SQLRETURN SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE* out_handle);
    SQLRETURN SQLBrowseConnectW(SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength);
    SQLRETURN SQLCancelHandle();
    SQLRETURN SQLConnectW(SQLWCHAR* in_serverName,
                          SQLSMALLINT in_serverNameLength,
                          SQLWCHAR* in_userName,
                          SQLSMALLINT in_userNameLength,
                          SQLWCHAR* in_authentication,
                          SQLSMALLINT in_authenticationLength);
    SQLRETURN SQLDisconnect();
    SQLRETURN SQLDriverConnectW(SQLHWND in_window,
                                SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength,
                                SQLUSMALLINT in_driverCompletion);
    /// in_handleType is SQL_HANDLE_ENV when the environment ends the transactions of all its
    /// connections.
    SQLRETURN SQLEndTran(SQLSMALLINT in_handleType, SQLSMALLINT in_completionType);
    SQLRETURN SQLExecDirectW(Statement& io_statement, SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    SQLRETURN SQLExecute(Statement& io_statement);
    SQLRETURN SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle);
    SQLRETURN SQLGetConnectAttr(SQLINTEGER in_attribute,
                                SQLPOINTER out_value,
                                SQLINTEGER in_bufferLength,
                                SQLINTEGER* out_stringLength);
    SQLRETURN SQLGetFunctions(SQLUSMALLINT in_functionId, SQLUSMALLINT* out_supported);
    SQLRETURN SQLGetInfoW(SQLUSMALLINT in_infoType,
                          SQLPOINTER out_value,
                          SQLSMALLINT in_bufferLength,
                          SQLSMALLINT* out_stringLength);
    SQLRETURN SQLNativeSqlW(SQLWCHAR* in_statementText,
                            SQLINTEGER in_textLength,
                            SQLWCHAR* out_statementText,
                            SQLINTEGER in_bufferLength,
                            SQLINTEGER* out_textLength);
    SQLRETURN SQLSetConnectAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength);

    /// A catalog function of io_statement (its id and arguments as Statement takes them).
    SQLRETURN ExecuteCatalogFunction(Statement& io_statement,
                                     int32_t in_functionId,
                                     const std::vector<Support::Variant>& in_arguments);

    // Statements.

    /// Closes the connection, its statements and descriptors to new calls for its free: false
    /// while a call runs on one of them or a task on the connection or a statement; io_closing
    /// opens again what it closed unless the free goes ahead.
    bool CloseToCalls(HandleClosing& io_closing);

    /// The same for the statements alone, which a disconnect frees.
    bool CloseStatementsToCalls(HandleClosing& io_closing);

    /// Takes in_statement over and counts it.
    void AddStatement(std::unique_ptr<Statement> in_statement);

    /// Takes in_statement out of the connection's statements and counts, handing it to the
    /// caller to delete; throws ODBCInternalException "InvalidStmt" when it is not one of this
    /// connection's.
    std::unique_ptr<Statement> RemoveStatement(Statement* in_statement);

    /// Frees every statement and its handle.
    void DeleteAllStatements();
    bool HasStatements();

    /// Whether a statement of the connection is still used by a call.
    bool HasBusyStatements();

    /// SQLCloseCursor on every statement with an open cursor.
    void CloseAllCursors();

    /// Names io_statement in_name. Throws "CursorNameTooLong" (34000) beyond SQL_MAX_CURSOR_NAME_LEN
    /// and "DuplicateCursorName" (3C000) for another statement's name.
    void SetCursorNameForStatement(const Support::orvik_wstring& in_name, Statement& io_statement);

    /// Tells every statement that the transaction ended; called by the transaction state.
    void EndTransactionOfStatements(SQLSMALLINT in_completionType, bool in_flag);

    /// A statement opened or closed its cursor.
    void NotifyCursorOpened();
    void NotifyCursorClosed();
    bool HasOpenCursors();

    /// SQL_ATTR_ASYNC_ENABLE for every statement, now and when made.
    void SetStatementsAsync(bool in_isOn);
    bool AreStatementsAsync();

    // Descriptors the application allocated on the connection.

    /// Takes in_descriptor over.
    void AddDescriptor(std::unique_ptr<ExplicitAppDescriptor> in_descriptor);

    /// Takes in_descriptor out of the connection's descriptors, handing it to the caller to
    /// delete; throws ODBCInternalException "InvalidExplAppDesc" when it is not one of this
    /// connection's.
    std::unique_ptr<ExplicitAppDescriptor> RemoveDescriptor(Descriptor* in_descriptor);

    // Transactions.

    /// Opens a transaction before io_statement's call needs one (none in auto-commit mode).
    /// Returns whether the call may go on; when not, the reason is posted on the statement's
    /// diagnostics (the connection's without a statement).
    bool BeginTransaction(Statement* io_statement);

    /// Commits or rolls back the open transaction, then tells the statements; nothing without one.
    /// Throws "TransNotSupported" (HYC00) when the data source has no transactions.
    void CommitTransaction(bool in_flag);
    void RollbackTransaction(bool in_flag);

    bool IsInTransaction();
    void NotifyStatementsOfEndTransaction();
    void SetAutoCommit(bool in_isOn);

    /// Whether the data source supports transactions (SQL_TXN_CAPABLE is not 0).
    bool SupportsTransactions();

    /// Remembers that the application turned auto-commit off before connecting.
    void SetDeferredAutocommitOff();

    // Information and state.

    /// The value of information type in_infoType, owned by its holder: the data-store driver,
    /// environment or connection through the key maps, else the connection's own table; null when
    /// nobody holds it.
    Support::AttributeData* GetInfoProperty(int32_t in_infoType);

    /// The current state object.
    ConnectionState& GetState();

    bool IsConnected();
    bool IsRunning();

    /// The data source that a connect call is about to connect to: the "DSN" setting, empty
    /// without one. SQL_DATA_SOURCE_NAME answers it once the call returns.
    void SetDataSourceName(const Support::orvik_wstring& in_name);

    /// The locale of the connection's messages, which its statements and descriptors take over.
    std::string GetLocale();

    Environment& GetEnvironment() { return m_environment; }
    DSI::DSIConnection& GetDSIConnection() { return *m_dsiConnection; }
    DiagManager& GetDiagManager() { return *m_diagnostics; }
    DSI::DSIMessageSource* GetMessageSource() { return m_messageSource.Get(); }
    ConnectionAttributes& GetAttributes() { return *m_attributes; }
    DSI::DSILog* GetLog() { return m_log; }

    /// The settings kept by a browse dialogue, or null.
    ConnectionSettings* GetSettings() { return m_settings.get(); }
    void SetSettings(std::unique_ptr<ConnectionSettings> in_settings);

    /// The connection-wide lock, which some statement functions take before their own.
    Support::CriticalSection& GetConnectionLock() { return m_connectionLock; }

    /// The lock SQLCancelHandle takes, and the frames while they clear and read the diagnostics
    /// (see CallHold).
    Support::CriticalSection& GetCancelLock() { return m_cancelLock; }

    /// Logs the entrance of in_method of in_class at TRACE.
    void LogEntrance(const char* in_class, const char* in_method);

private:
    enum class Frame
    {
        CANCELLABLE,
        EXECUTION
    };

    template <typename Call>
    SQLRETURN RunCancellable(Frame in_frame, const char* in_method, const char* in_step, Call in_call);

    template <typename Call>
    SQLRETURN RunGuarded(const char* in_method, bool in_canSkipLock, Call in_call);

    /// SQL_SUCCESS_WITH_INFO for SQL_SUCCESS when a warning was posted.
    SQLRETURN WithWarnings(SQLRETURN in_result);

    void ClearPendingCancel();
    void SetRunning(bool in_isRunning);

    /// What every connect call does once its state returned.
    void AfterConnect(SQLRETURN in_result, bool in_isBrowse);
    void ApplyDeferredAutocommitOff();
    void UpdateAutoCommitFlag();
    void UpdateDataSourceName();
    void UpdateLocale();
    void FillInfoTable();

    void LogInfo(const char* in_method, const char* in_format, const char* in_name, int64_t in_number);
    void LogCatalogCall(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments);

    std::unique_ptr<ConnectionTransactionState> m_transactionState;
    std::unique_ptr<ConnectionStateTracker> m_tracker;
    Environment& m_environment;
    std::unique_ptr<DSI::DSIConnection> m_dsiConnection;
    Support::SharedPtr<DSI::DSIMessageSource> m_messageSource;
    std::unique_ptr<DiagManager> m_diagnostics;
    std::unique_ptr<ConnectionAttributes> m_attributes;
    std::unique_ptr<ConnectionSettings> m_settings;
    DSI::DSILog* m_log;
    std::vector<std::unique_ptr<ExplicitAppDescriptor>> m_descriptors;
    Support::CriticalSection m_connectionLock;
    Support::CriticalSection m_descriptorListLock;
    Support::CriticalSection m_cancelLock;
    Support::CriticalSection m_infoLock;
    Support::CriticalSection m_statementListLock;
    std::vector<std::unique_ptr<Statement>> m_statements;
    std::map<uint16_t, std::unique_ptr<Support::AttributeData>> m_infoTable;
    Support::orvik_wstring m_dataSourceName;
    bool m_isRunning = false;
    bool m_isDeferredAutocommitOff = false;
    bool m_areStatementsAsync = false;
    bool m_isCancelPending = false;
};

} // namespace ODBC
} // namespace Orvik
