#pragma once

#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

/// A loaded module, named by any address inside it.
using ModuleHandle = const void*;

/// The module that holds the driver's code.
ModuleHandle GetDriverModuleHandle();

/// The directory of the module holding in_module, ending in "/", with no limit on its length.
/// Computed once per process under a lock and kept; later calls return a copy of it whatever
/// module they name. While the system cannot tell the module's file name the result is the
/// null string and the next call asks again. A copy, so that any thread may call at any time.
orvik_wstring GetDriverModuleDirectory(ModuleHandle in_module);

} // namespace Support
} // namespace Orvik
