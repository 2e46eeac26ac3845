#include "Platform/OsFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvik {
namespace OS {

std::FILE* OpenRegularFileForReading(const std::string& in_path)
{
    const int fd = open(in_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
    {
        return nullptr;
    }
    struct stat status;
    const int flags = fcntl(fd, F_GETFL);
    std::FILE* file = nullptr;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && flags >= 0 &&
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
    {
        file = fdopen(fd, "r");
    }
    if (file == nullptr)
    {
        close(fd);
    }
    return file;
}

} // namespace OS
} // namespace Orvik
