#pragma once

#include "ODBC/Dispatch/WideOutputString.h"
#include "Support/CriticalSectionLock.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {

namespace Support {
class ErrorException;
}

namespace ODBC {

class Connection;
class Descriptor;
class DiagManager;
class Statement;

/// Holds a handle as one of its calls does, for what an entry point does around a member of the
/// handle: an ANSI form converting the member's outputs, or the posting of a failure that
/// escaped the call. The handle's call lock is held for the hold's whole life (the member takes
/// it again, as its holder may), so that no call on another thread begins between the member's
/// end and what is posted after it; a post also takes the lock under which the handle's calls
/// clear and read their diagnostics, which the cancel functions take alone. What is posted so
/// lands in this call's records only, and no other call clears it or reports it as its own.
class CallHold
{
public:
    /// The statement lock, and the cancel lock for posts.
    explicit CallHold(Statement& io_statement);

    /// The connection-wide lock, and the cancel lock for posts.
    explicit CallHold(Connection& io_connection);

    /// The descriptor's lock for both.
    explicit CallHold(Descriptor& io_descriptor);

    CallHold(const CallHold&) = delete;
    CallHold& operator=(const CallHold&) = delete;

    /// WideOutputString::Deliver, its warning posted on the handle's diagnostics.
    template <typename Length>
    SQLRETURN Deliver(WideOutputString& io_output,
                      SQLRETURN in_result,
                      SQLPOINTER out_buffer,
                      int64_t in_bufferLength,
                      Length* io_length)
    {
        Support::CriticalSectionLock post(m_postLock);
        return io_output.Deliver(in_result, out_buffer, in_bufferLength, io_length, m_diagnostics);
    }

    /// Makes in_exception the handle's one record.
    void PostOnly(const Support::ErrorException& in_exception);

private:
    CallHold(Support::CriticalSection& io_callLock, Support::CriticalSection& io_postLock, DiagManager& io_diagnostics);

    Support::CriticalSectionLock m_hold;
    Support::CriticalSection& m_postLock;
    DiagManager& m_diagnostics;
};

} // namespace ODBC
} // namespace Orvik
