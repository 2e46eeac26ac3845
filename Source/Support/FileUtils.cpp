#include "Support/FileUtils.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace Orvik {
namespace Support {

int FileUtils::DeleteFile(const std::string& in_name)
{
    return std::remove(in_name.c_str()) == 0 ? 0 : -1;
}

int FileUtils::RenameFile(const std::string& in_oldName, const std::string& in_newName)
{
    if (renameat2(AT_FDCWD, in_oldName.c_str(), AT_FDCWD, in_newName.c_str(), RENAME_NOREPLACE) == 0)
    {
        return 0;
    }
    if (errno != EINVAL)
    {
        return -1;
    }
    // A file system without the no-replace flag: test first, at the cost of a race with
    // another process creating the target in between.
    struct stat target;
    if (lstat(in_newName.c_str(), &target) == 0)
    {
        errno = EEXIST;
        return -1;
    }
    return std::rename(in_oldName.c_str(), in_newName.c_str()) == 0 ? 0 : -1;
}

void FileUtils::SplitPath(const std::string& in_path, std::string& out_directory, std::string& out_fileName)
{
    const size_t separator = in_path.find_last_of("/\\");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    out_directory = in_path.substr(0, nameStart);
    out_fileName = in_path.substr(nameStart);
}

void FileUtils::SplitExtension(const std::string& in_fileName, std::string& out_stem, std::string& out_extension)
{
    const size_t dot = in_fileName.rfind('.');
    if (dot == std::string::npos || dot < 2)
    {
        out_stem = in_fileName;
        out_extension.clear();
        return;
    }
    out_stem = in_fileName.substr(0, dot);
    out_extension = in_fileName.substr(dot);
}

} // namespace Support
} // namespace Orvik
