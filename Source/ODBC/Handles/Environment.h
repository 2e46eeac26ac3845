#pragma once

#include "Support/CriticalSection.h"
#include "Support/SharedPtr.h"

#include <sql.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {

namespace DSI {
class DSIEnvironment;
class DSILog;
class DSIMessageSource;
} // namespace DSI

namespace ODBC {

class Connection;
class DiagManager;
class Driver;
class EnvironmentAttributes;
class EnvironmentState;

/// The object behind one environment handle: its attributes, its diagnostics, its current
/// state and its connections, over the data-store environment it owns. Each ODBC member clears
/// the diagnostics, hands the call to the current state under the environment lock, installs
/// the state that comes back, and turns every failure into a record and SQL_ERROR.
class Environment
{
public:
    /// An environment of in_driver over in_dsiEnvironment, in the state "allocated" (E1).
    Environment(Driver& in_driver, std::unique_ptr<DSI::DSIEnvironment> in_dsiEnvironment);

    /// Deletes the connections, in the order they were allocated, then the rest.
    ~Environment();

    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    /// SQLAllocHandle(SQL_HANDLE_DBC) on this environment; the new handle in out_handle.
    SQLRETURN SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE in_inputHandle, SQLHANDLE* out_handle);

    /// SQLEndTran on this environment: commits or rolls back every connection in a transaction.
    SQLRETURN SQLEndTran(SQLSMALLINT in_completionType);

    /// SQLFreeHandle of connection in_handle.
    SQLRETURN SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle);

    /// SQLGetEnvAttr: SQL_NO_DATA without a record for an attribute that has no value.
    SQLRETURN SQLGetEnvAttr(SQLINTEGER in_attribute,
                            SQLPOINTER out_value,
                            SQLINTEGER in_bufferLength,
                            SQLINTEGER* out_stringLength);

    SQLRETURN SQLSetEnvAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength);

    /// Takes in_connection over, after the connections allocated before.
    void AddConnection(std::unique_ptr<Connection> in_connection);

    /// Deletes in_connection when it is one of this environment's; whether it was.
    bool RemoveConnection(Connection* in_connection);

    size_t GetConnectionCount();

    /// Whether a call still uses one of the connections or one of their statements.
    bool HasBusyConnections();

    /// Ends the transaction of every connection that has one, in the order they were allocated:
    /// SQL_SUCCESS when all ended so, SQL_SUCCESS_WITH_INFO when one ended with a warning; the
    /// first SQL_ERROR stops there and is returned, and the connections after it keep theirs.
    SQLRETURN CommitTransactions();

    /// Counts the transaction that in_connection opens. Throws ODBCInternalException
    /// "MultipleTransNotSupported" for a second one when the data source does not report
    /// SQL_MULTIPLE_ACTIVE_TXN "Y", and "TransNotSupported" (HYC00) for a data source without
    /// transactions.
    void RegisterTransaction(Connection& in_connection);

    /// A counted transaction ended.
    void UnregisterTransaction();
    SQLRETURN RollbackTransactions();

    Driver& GetDriver() { return m_driver; }
    DSI::DSIEnvironment& GetDSIEnvironment() { return *m_dsiEnvironment; }
    DiagManager& GetDiagManager() { return *m_diagnostics; }
    EnvironmentAttributes& GetAttributes() { return *m_attributes; }
    DSI::DSILog* GetLog() { return m_log; }

private:
    SQLRETURN EndTransactions(SQLSMALLINT in_completionType);

    /// Posts the failure of member in_method and returns SQL_ERROR; never throws.
    SQLRETURN PostFailure(const char* in_method);

    /// SQL_SUCCESS_WITH_INFO for SQL_SUCCESS when a warning was posted.
    SQLRETURN WithWarnings(SQLRETURN in_result);

    void LogEntrance(const char* in_method);
    void LogAttribute(const char* in_method, SQLINTEGER in_attribute);

    Driver& m_driver;
    std::unique_ptr<DSI::DSIEnvironment> m_dsiEnvironment;
    std::unique_ptr<EnvironmentState> m_state;
    DSI::DSILog* m_log;
    Support::SharedPtr<DSI::DSIMessageSource> m_messageSource;
    std::unique_ptr<DiagManager> m_diagnostics;
    std::unique_ptr<EnvironmentAttributes> m_attributes;
    Support::CriticalSection m_lock;
    std::vector<std::unique_ptr<Connection>> m_connections;
    Support::CriticalSection m_transactionCountLock;
    uint64_t m_transactionCount = 0;
};

} // namespace ODBC
} // namespace Orvik
