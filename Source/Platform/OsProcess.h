#pragma once

#include <string>

namespace Orvik {
namespace OS {

/// The target of the symbolic link at in_path, however long; empty when it cannot be read.
std::string ReadSymbolicLink(const char* in_path);

/// The full path of the running program's executable file, as the kernel reports it
/// (/proc/self/exe); empty when the kernel cannot tell.
std::string GetExecutablePath();

} // namespace OS
} // namespace Orvik
