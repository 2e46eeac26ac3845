#pragma once

#include "Support/SizedBuffer.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// A wide input string of a task, copied at the task's creation so that the call on the worker
/// never reads the application's buffer: the call gets the copy and its length in code units.
/// A null text and a negative length other than SQL_NTS are left as the application gave
/// them, to reach the call as they would on the application's thread.
class OwnedInputString
{
public:
    OwnedInputString() = default;

    OwnedInputString(const OwnedInputString&) = delete;
    OwnedInputString& operator=(const OwnedInputString&) = delete;

    /// Copies the text and points io_text and io_length at the copy.
    void Capture(SQLWCHAR*& io_text, SQLSMALLINT& io_length);
    void Capture(SQLWCHAR*& io_text, SQLINTEGER& io_length);

private:
    /// Copies the text; its length in code units, or SQL_NTS for a text measured longer than
    /// in_maxLength, whose copy is then terminated.
    int64_t Copy(const SQLWCHAR* in_text, int32_t in_length, int64_t in_maxLength);

    Support::SizedBuffer m_buffer;
};

} // namespace ODBC
} // namespace Orvik
