#include "Platform/OsProcess.h"

#include <unistd.h>

#include <vector>

namespace Orvik {
namespace OS {

std::string ReadSymbolicLink(const char* in_path)
{
    // readlink neither terminates nor reports a cut target, so grow the buffer until the
    // target leaves room to spare.
    std::vector<char> buffer(256);
    for (;;)
    {
        ssize_t length = readlink(in_path, buffer.data(), buffer.size());
        if (length < 0)
        {
            return std::string();
        }
        if (static_cast<size_t>(length) < buffer.size())
        {
            return std::string(buffer.data(), static_cast<size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string GetExecutablePath()
{
    return ReadSymbolicLink("/proc/self/exe");
}

} // namespace OS
} // namespace Orvik
