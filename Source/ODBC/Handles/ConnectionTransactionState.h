#pragma once

#include "Support/CriticalSection.h"

#include <sql.h>

namespace Orvik {
namespace ODBC {

class Connection;

/// A connection's transaction flags: whether it commits automatically, whether a transaction is
/// open, and an ended transaction whose end the statements have not been told yet. The
/// environment counts the open transactions of its connections. Registered as the data-store
/// connection's transaction listener; the notices come from the connection's own members.
class ConnectionTransactionState
{
public:
    explicit ConnectionTransactionState(Connection& io_connection);
    virtual ~ConnectionTransactionState();

    ConnectionTransactionState(const ConnectionTransactionState&) = delete;
    ConnectionTransactionState& operator=(const ConnectionTransactionState&) = delete;

    /// A transaction opens: counted by the environment, which may refuse a second one
    /// ("MultipleTransNotSupported") or a data source without transactions ("TransNotSupported").
    /// Throws ODBCInternalException "InvalidTransState" while one is open or its end is not yet
    /// told.
    virtual void NotifyBegin();

    /// The open transaction was committed or rolled back: no longer counted, its end pending for
    /// the statements with the completion type and in_flag. Throws "InvalidTransState" when none
    /// is open.
    virtual void NotifyCommit(bool in_flag);
    virtual void NotifyRollback(bool in_flag);

    /// Takes back a transaction whose begin failed in the data store: no longer open or counted,
    /// and no end to tell the statements, which never saw it begin.
    void UndoBegin();

    /// Tells every statement of the connection of a pending end of transaction, then forgets it.
    void NotifyStatements();

    bool IsInTransaction();
    bool IsAutoCommit();
    void GetFlags(bool& out_isInTransaction, bool& out_isAutoCommit);
    void SetAutoCommit(bool in_isOn);

private:
    void NotifyEnd(SQLSMALLINT in_completionType, bool in_flag);

    Support::CriticalSection m_lock;
    Connection& m_connection;
    SQLSMALLINT m_completionType = SQL_ROLLBACK;
    bool m_isAutoCommit = true;
    bool m_isInTransaction = false;
    bool m_isNotificationPending = false;
    bool m_endFlag = false;
};

} // namespace ODBC
} // namespace Orvik
