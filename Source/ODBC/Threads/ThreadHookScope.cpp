#include "ODBC/Threads/ThreadHookScope.h"

namespace Orvik {
namespace ODBC {

ThreadHookScope::ThreadHookScope(ThreadHook in_hook) : m_hook(in_hook)
{
    if (m_hook != nullptr)
    {
        m_hook(WORKER_STARTED, nullptr);
    }
}

ThreadHookScope::~ThreadHookScope()
{
    if (m_hook != nullptr)
    {
        m_hook(WORKER_ENDED, nullptr);
    }
}

} // namespace ODBC
} // namespace Orvik
