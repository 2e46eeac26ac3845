#include "Platform/OsThreads.h"

#include <unistd.h>

namespace Orvik {
namespace OS {

uint32_t GetCurrentThreadId()
{
    return static_cast<uint32_t>(gettid());
}

} // namespace OS
} // namespace Orvik
