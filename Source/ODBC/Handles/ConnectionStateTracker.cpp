#include "ODBC/Handles/ConnectionStateTracker.h"

#include "ODBC/Handles/ConnectionTransactionState.h"
#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

void Subtract(uint64_t& io_count, uint64_t in_count)
{
    io_count = in_count < io_count ? io_count - in_count : 0;
}

} // namespace

ConnectionStateTracker::ConnectionStateTracker(ConnectionTransactionState& io_transactionState)
    : m_transactionState(io_transactionState)
{
}

void ConnectionStateTracker::AddStatement()
{
    CriticalSectionLock lock(m_lock);
    ++m_statementCount;
}

void ConnectionStateTracker::RemoveStatements(uint64_t in_count)
{
    CriticalSectionLock lock(m_lock);
    Subtract(m_statementCount, in_count);
}

void ConnectionStateTracker::AddOpenCursor()
{
    CriticalSectionLock lock(m_lock);
    ++m_openCursorCount;
}

void ConnectionStateTracker::RemoveOpenCursors(uint64_t in_count)
{
    CriticalSectionLock lock(m_lock);
    Subtract(m_openCursorCount, in_count);
}

bool ConnectionStateTracker::HasOpenCursors()
{
    CriticalSectionLock lock(m_lock);
    return m_openCursorCount > 0;
}

void ConnectionStateTracker::SetConnected()
{
    CriticalSectionLock lock(m_lock);
    m_isConnected = true;
}

void ConnectionStateTracker::SetBrowseInProgress()
{
    CriticalSectionLock lock(m_lock);
    m_isBrowseInProgress = true;
}

void ConnectionStateTracker::ClearConnection()
{
    CriticalSectionLock lock(m_lock);
    m_isConnected = false;
    m_isBrowseInProgress = false;
}

bool ConnectionStateTracker::IsConnected()
{
    CriticalSectionLock lock(m_lock);
    return m_isConnected;
}

bool ConnectionStateTracker::IsBrowseInProgress()
{
    CriticalSectionLock lock(m_lock);
    return m_isBrowseInProgress;
}

int32_t ConnectionStateTracker::GetStateNumber()
{
    CriticalSectionLock lock(m_lock);
    if (!m_isConnected)
    {
        return m_isBrowseInProgress ? 3 : 2;
    }
    bool isInTransaction = false;
    bool isAutoCommit = false;
    m_transactionState.GetFlags(isInTransaction, isAutoCommit);
    if (isInTransaction || (isAutoCommit && m_openCursorCount > 0))
    {
        return 6;
    }
    return m_statementCount > 0 ? 5 : 4;
}

} // namespace ODBC
} // namespace Orvik
