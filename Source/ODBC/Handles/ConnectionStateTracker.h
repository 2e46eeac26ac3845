#pragma once

#include "Support/CriticalSection.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

class ConnectionTransactionState;

/// The bookkeeping from which a connection's ODBC state (C2 to C6) follows: how many statements
/// it has, how many of them have an open cursor, whether it is connected and whether a browse
/// dialogue is under way. Every operation runs under the tracker's lock.
class ConnectionStateTracker
{
public:
    explicit ConnectionStateTracker(ConnectionTransactionState& io_transactionState);

    ConnectionStateTracker(const ConnectionStateTracker&) = delete;
    ConnectionStateTracker& operator=(const ConnectionStateTracker&) = delete;

    void AddStatement();
    /// Counts never go below 0.
    void RemoveStatements(uint64_t in_count);
    void AddOpenCursor();
    void RemoveOpenCursors(uint64_t in_count);
    bool HasOpenCursors();

    void SetConnected();
    void SetBrowseInProgress();
    /// Clears the connected and browse-in-progress flags together.
    void ClearConnection();
    bool IsConnected();
    bool IsBrowseInProgress();

    /// The number of the connection's state: not connected, 3 while browsing, else 2; connected,
    /// 6 with an open transaction or (committing automatically) an open cursor, else 5 with
    /// statements, else 4. The transaction flags are read under their own lock inside the
    /// tracker's.
    int32_t GetStateNumber();

private:
    Support::CriticalSection m_lock;
    ConnectionTransactionState& m_transactionState;
    uint64_t m_statementCount = 0;
    uint64_t m_openCursorCount = 0;
    bool m_isConnected = false;
    bool m_isBrowseInProgress = false;
};

} // namespace ODBC
} // namespace Orvik
