#include "Platform/OsModule.h"

#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <unistd.h>

namespace Orvik {
namespace OS {

namespace {

std::string GetCurrentDirectory()
{
    // getcwd allocates a buffer of the length it needs when given none.
    std::unique_ptr<char, decltype(&std::free)> directory(getcwd(nullptr, 0), &std::free);
    return directory ? std::string(directory.get()) : std::string();
}

} // namespace

const void* GetThisModuleAddress()
{
    return reinterpret_cast<const void*>(&GetThisModuleAddress);
}

std::string GetModuleFileName(const void* in_address)
{
    Dl_info info{};
    if (dladdr(in_address, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0')
    {
        return std::string();
    }
    std::string name(info.dli_fname);
    if (name[0] == '/')
    {
        return name;
    }
    if (name.find('/') == std::string::npos)
    {
        // Only a program started through PATH is recorded by a bare name; where it lies is
        // not known here.
        return std::string();
    }
    std::string directory = GetCurrentDirectory();
    return directory.empty() ? std::string() : directory + "/" + name;
}

} // namespace OS
} // namespace Orvik
