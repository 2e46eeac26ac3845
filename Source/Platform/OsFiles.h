#pragma once

#include <cstdio>
#include <string>

namespace Orvik {
namespace OS {

/// A stream for reading the regular file at in_path (close-on-exec), or null when the path
/// names no regular file or it cannot be opened. Opening never waits: a FIFO or a device is
/// refused instead of read.
std::FILE* OpenRegularFileForReading(const std::string& in_path);

} // namespace OS
} // namespace Orvik
