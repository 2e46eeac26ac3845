#pragma once

#include "Support/DriverModuleDirectory.h"

#include <cstdint>

namespace Pelta {

/// The reasons the loader calls the library's entry hook with.
enum DllMainReason : uint32_t
{
    DLL_REASON_PROCESS_DETACH = 0,
    DLL_REASON_PROCESS_ATTACH = 1,
    DLL_REASON_THREAD_ATTACH = 2,
    DLL_REASON_THREAD_DETACH = 3
};

/// The library's entry hook: on process attach it records in_module, the handle that the driver
/// factory hands on; every other reason keeps the recorded handle. Always returns 1. The
/// library's constructor and destructor call it with the attach and detach reasons.
int32_t DllMainHook(Orvik::Support::ModuleHandle in_module, uint32_t in_reason, void* in_reserved);

/// The module handle recorded on process attach; null before.
Orvik::Support::ModuleHandle GetRecordedModuleHandle();

} // namespace Pelta
