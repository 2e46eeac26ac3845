#include "Support/ThreadUtils.h"

#include "Platform/OsThreads.h"

namespace Orvik {
namespace Support {

uint32_t ThreadUtils::GetCurrentThreadId()
{
    return OS::GetCurrentThreadId();
}

} // namespace Support
} // namespace Orvik
