#pragma once

#include "Support/CriticalSection.h"

#include <cstdint>
#include <deque>

namespace Orvik {
namespace ODBC {

/// A handle value as the application sees it: an unsigned 64-bit integer from 1 up, passed as
/// the pointer-sized ODBC handle. 0 is the null handle and never issued.
typedef uint64_t HandleValue;

/// The one source of handle values for every kind of handle. A released value is issued again,
/// the oldest release first, before a new value is counted out. Safe from any thread.
class HandleGenerator
{
public:
    /// in_firstValue is the first new value the counter gives; the driver starts at 1.
    explicit HandleGenerator(HandleValue in_firstValue = 1);

    HandleGenerator(const HandleGenerator&) = delete;
    HandleGenerator& operator=(const HandleGenerator&) = delete;

    /// The oldest released value, else the next new one. Throws ErrorException "TooManyHandles"
    /// (HY014) once the counter has given out every value, and changes nothing then.
    HandleValue NextHandle();

    /// Makes in_handle available again, after the values released before it.
    void ReleaseHandle(HandleValue in_handle);

private:
    Support::CriticalSection m_lock;
    std::deque<HandleValue> m_released;
    // The next new value; 0 once it has wrapped past the largest value.
    HandleValue m_counter;
};

} // namespace ODBC
} // namespace Orvik
