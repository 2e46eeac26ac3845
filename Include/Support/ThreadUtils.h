#pragma once

#include <cstdint>
#include <thread>

namespace Orvik {
namespace Support {

/// Thread services of the platform.
class ThreadUtils
{
public:
    ThreadUtils() = delete;

    /// The entry function of a thread; it receives the argument given to StartThread.
    using ThreadFunction = void (*)(void* io_argument);

    /// Starts a thread, with the default stack size, that calls in_function with in_argument.
    /// The thread is joinable: the caller joins it (as the worker pool does when it stops), so
    /// that no driver code runs after the library is unloaded. Throws ProductException
    /// "ThreadCreationFailed" when the system cannot start a thread; nothing runs then.
    static std::thread StartThread(ThreadFunction in_function, void* in_argument);

    /// The system's id of the calling thread, as log lines show it.
    static uint32_t GetCurrentThreadId();
};

} // namespace Support
} // namespace Orvik
