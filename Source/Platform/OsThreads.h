#pragma once

#include <cstdint>

namespace Orvik {
namespace OS {

/// The kernel's id of the calling thread (gettid), as log lines show it.
uint32_t GetCurrentThreadId();

} // namespace OS
} // namespace Orvik
