#pragma once

#include <string>

namespace Orvik {
namespace OS {

/// An address inside the module that this code is linked into: the driver library, or a
/// program that links the core library directly.
const void* GetThisModuleAddress();

/// The file name of the loaded module that holds in_address, made absolute against the current
/// directory when the loader recorded a relative one; empty when the system cannot tell (also
/// for a program started through PATH).
std::string GetModuleFileName(const void* in_address);

} // namespace OS
} // namespace Orvik
