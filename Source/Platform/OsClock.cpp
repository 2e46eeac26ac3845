#include "Platform/OsClock.h"

#include <time.h>

namespace Orvik {
namespace OS {

int64_t GetMonotonicMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace OS
} // namespace Orvik
