#include "Pelta/DllMainHook.h"

#include <atomic>

namespace Pelta {

namespace {

// Constant-initialised, so the library constructor may record into it before any other static
// of the library is built.
std::atomic<Orvik::Support::ModuleHandle> s_module{nullptr};

// The loader's attach and detach, as the entry hook expects them.
__attribute__((constructor)) void AttachLibrary()
{
    DllMainHook(Orvik::Support::GetDriverModuleHandle(), DLL_REASON_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void DetachLibrary()
{
    DllMainHook(Orvik::Support::GetDriverModuleHandle(), DLL_REASON_PROCESS_DETACH, nullptr);
}

} // namespace

int32_t DllMainHook(Orvik::Support::ModuleHandle in_module, uint32_t in_reason, void* /* in_reserved */)
{
    if (in_reason == DLL_REASON_PROCESS_ATTACH)
    {
        s_module.store(in_module);
    }
    return 1;
}

Orvik::Support::ModuleHandle GetRecordedModuleHandle()
{
    return s_module.load();
}

} // namespace Pelta
