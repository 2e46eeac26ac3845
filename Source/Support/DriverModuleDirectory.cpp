#include "Support/DriverModuleDirectory.h"

#include "Platform/OsModule.h"
#include "Support/CriticalSection.h"
#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace Support {

namespace {

CriticalSection& GetDirectoryLock()
{
    static CriticalSection s_lock;
    return s_lock;
}

orvik_wstring& GetStoredDirectory()
{
    static orvik_wstring s_directory;
    return s_directory;
}

} // namespace

ModuleHandle GetDriverModuleHandle()
{
    return OS::GetThisModuleAddress();
}

orvik_wstring GetDriverModuleDirectory(ModuleHandle in_module)
{
    CriticalSectionLock lock(GetDirectoryLock());
    orvik_wstring& directory = GetStoredDirectory();
    if (directory.IsNull())
    {
        const std::string path = OS::GetModuleFileName(in_module);
        const size_t lastSlash = path.rfind('/');
        if (lastSlash != std::string::npos)
        {
            // File names on Linux are bytes; the driver's are UTF-8.
            directory = orvik_wstring(path.data(), static_cast<int32_t>(lastSlash + 1), ENC_UTF8);
        }
    }
    return directory;
}

} // namespace Support
} // namespace Orvik
