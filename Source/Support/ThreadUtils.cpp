#include "Support/ThreadUtils.h"

#include "Platform/OsThreads.h"
#include "Support/ProductException.h"

#include <system_error>

namespace Orvik {
namespace Support {

uint32_t ThreadUtils::GetCurrentThreadId()
{
    return OS::GetCurrentThreadId();
}

std::thread ThreadUtils::StartThread(ThreadFunction in_function, void* in_argument)
{
    try
    {
        return std::thread(in_function, in_argument);
    }
    catch (const std::system_error&)
    {
        throw ProductException("ThreadCreationFailed");
    }
}

} // namespace Support
} // namespace Orvik
