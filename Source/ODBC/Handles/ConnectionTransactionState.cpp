#include "ODBC/Handles/ConnectionTransactionState.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

ConnectionTransactionState::ConnectionTransactionState(Connection& io_connection) : m_connection(io_connection) {}

ConnectionTransactionState::~ConnectionTransactionState() = default;

void ConnectionTransactionState::NotifyBegin()
{
    CriticalSectionLock lock(m_lock);
    if (m_isInTransaction || m_isNotificationPending)
    {
        throw ODBCInternalException(u"InvalidTransState");
    }
    m_connection.GetEnvironment().RegisterTransaction(m_connection);
    m_isInTransaction = true;
}

void ConnectionTransactionState::NotifyCommit(bool in_flag)
{
    NotifyEnd(SQL_COMMIT, in_flag);
}

void ConnectionTransactionState::NotifyRollback(bool in_flag)
{
    NotifyEnd(SQL_ROLLBACK, in_flag);
}

void ConnectionTransactionState::NotifyEnd(SQLSMALLINT in_completionType, bool in_flag)
{
    CriticalSectionLock lock(m_lock);
    if (!m_isInTransaction)
    {
        throw ODBCInternalException(u"InvalidTransState");
    }
    m_connection.GetEnvironment().UnregisterTransaction();
    m_isInTransaction = false;
    m_isNotificationPending = true;
    m_completionType = in_completionType;
    m_endFlag = in_flag;
}

void ConnectionTransactionState::UndoBegin()
{
    CriticalSectionLock lock(m_lock);
    if (m_isInTransaction)
    {
        m_connection.GetEnvironment().UnregisterTransaction();
        m_isInTransaction = false;
    }
}

void ConnectionTransactionState::NotifyStatements()
{
    CriticalSectionLock lock(m_lock);
    if (m_isNotificationPending)
    {
        m_connection.EndTransactionOfStatements(m_completionType, m_endFlag);
        m_isNotificationPending = false;
    }
}

bool ConnectionTransactionState::IsInTransaction()
{
    CriticalSectionLock lock(m_lock);
    return m_isInTransaction;
}

bool ConnectionTransactionState::IsAutoCommit()
{
    CriticalSectionLock lock(m_lock);
    return m_isAutoCommit;
}

void ConnectionTransactionState::GetFlags(bool& out_isInTransaction, bool& out_isAutoCommit)
{
    CriticalSectionLock lock(m_lock);
    out_isInTransaction = m_isInTransaction;
    out_isAutoCommit = m_isAutoCommit;
}

void ConnectionTransactionState::SetAutoCommit(bool in_isOn)
{
    CriticalSectionLock lock(m_lock);
    m_isAutoCommit = in_isOn;
}

} // namespace ODBC
} // namespace Orvik
