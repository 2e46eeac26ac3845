#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// What the data-store driver may want to know about the pool's workers: the event (0 when a
/// worker starts, 1 when it ends) and a reserved argument that is always null.
typedef void (*ThreadHook)(int32_t in_event, void* in_reserved);

/// Tells the thread hook, when there is one, that the worker on whose stack the scope lies
/// started (when made) and ends (when it goes, also by an exception).
class ThreadHookScope
{
public:
    static constexpr int32_t WORKER_STARTED = 0;
    static constexpr int32_t WORKER_ENDED = 1;

    explicit ThreadHookScope(ThreadHook in_hook);
    ~ThreadHookScope();

    ThreadHookScope(const ThreadHookScope&) = delete;
    ThreadHookScope& operator=(const ThreadHookScope&) = delete;

private:
    ThreadHook m_hook;
};

} // namespace ODBC
} // namespace Orvik
