#pragma once

#include "Support/CriticalSection.h"

namespace Orvik {
namespace ODBC {

/// The part that Connection and Statement share for dispatching: the dispatch lock, which the
/// entry points hold for a whole synchronous call (the holding thread may take it again), and the
/// asynchronous flag, which chooses between running a call at once and queueing it; the flag is
/// read and changed under the dispatch lock.
class ODBCHandle
{
public:
    ODBCHandle(const ODBCHandle&) = delete;
    ODBCHandle& operator=(const ODBCHandle&) = delete;

    Support::CriticalSection& GetDispatchLock() { return m_dispatchLock; }

    /// Stores the asynchronous flag under the dispatch lock.
    void SetAsyncEnabled(bool in_isEnabled);

    /// The asynchronous flag, read under the dispatch lock.
    bool IsAsyncEnabled();

protected:
    ODBCHandle() = default;
    ~ODBCHandle() = default;

private:
    Support::CriticalSection m_dispatchLock;
    bool m_isAsyncEnabled = false;
};

} // namespace ODBC
} // namespace Orvik
