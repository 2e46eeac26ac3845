#pragma once

#include <cstdint>

namespace Orvik {
namespace OS {

/// Milliseconds of a monotonic clock that never steps back and keeps running while the process
/// sleeps; only differences between two readings mean anything.
int64_t GetMonotonicMilliseconds();

} // namespace OS
} // namespace Orvik
