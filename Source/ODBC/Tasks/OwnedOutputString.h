#pragma once

#include "Support/SizedBuffer.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// A wide output string of a task: the call on the worker writes into a buffer of the task's,
/// of the size the application asked for, and the call that collects the task gets the text in
/// its own buffer. Only a given buffer of a positive length is replaced; otherwise the call gets
/// the application's pointer and length as they were.
class OwnedOutputString
{
public:
    OwnedOutputString() = default;

    OwnedOutputString(const OwnedOutputString&) = delete;
    OwnedOutputString& operator=(const OwnedOutputString&) = delete;

    /// Points io_buffer at a buffer of the task's of in_bufferLength bytes (in_lengthInBytes) or
    /// code units.
    template <typename PointerT>
    void Capture(PointerT& io_buffer, SQLSMALLINT in_bufferLength, bool in_lengthInBytes)
    {
        if (io_buffer != nullptr && in_bufferLength > 0)
        {
            io_buffer = static_cast<PointerT>(static_cast<void*>(Allocate(in_bufferLength, in_lengthInBytes)));
        }
    }

    /// Copies the text the call wrote (in_textLength, the length it reported) into the
    /// collecting call's out_buffer of in_bufferLength, cut at a whole character. True when it
    /// was cut to a buffer smaller than the one the task was created with: a cut into the task's
    /// own buffer the call has already reported. A null out_buffer takes nothing.
    bool CopyTo(void* out_buffer, SQLSMALLINT in_bufferLength, int64_t in_textLength) const;

private:
    uint8_t* Allocate(SQLSMALLINT in_bufferLength, bool in_lengthInBytes);

    Support::SizedBuffer m_buffer;
    SQLSMALLINT m_bufferLength = 0;
    bool m_isLengthInBytes = false;
    bool m_isCaptured = false;
};

} // namespace ODBC
} // namespace Orvik
