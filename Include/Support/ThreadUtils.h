#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// Thread services of the platform.
class ThreadUtils
{
public:
    ThreadUtils() = delete;

    /// The system's id of the calling thread, as log lines show it.
    static uint32_t GetCurrentThreadId();
};

} // namespace Support
} // namespace Orvik
