#include "Platform/RegistryKey.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvik {
namespace OS {

namespace {

// A registry file is a few lines; anything far larger is not one (or is a device that never
// ends) and is refused rather than read into memory.
const size_t MAX_FILE_SIZE = 16 * 1024 * 1024;

class FileDescriptor
{
public:
    explicit FileDescriptor(int in_fd) : m_fd(in_fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
        {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }

    /// Closes now and reports the result, so that a failed close of written data is seen.
    int Close()
    {
        int result = close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

std::string GetEnvironment(const char* in_name)
{
    const char* value = std::getenv(in_name);
    return value == nullptr ? std::string() : std::string(value);
}

// Reads a whole file. Returns 0 or an errno; ENOENT when it does not exist.
int ReadFile(const std::string& in_path, std::string& out_text)
{
    out_text.clear();
    FileDescriptor file(open(in_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
    {
        return errno;
    }
    // Only a regular file is read: a FIFO would wait for a writer, a device might never end.
    struct stat status;
    if (fstat(file.Get(), &status) != 0)
    {
        return errno;
    }
    if (!S_ISREG(status.st_mode))
    {
        return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    }
    char block[8192];
    for (;;)
    {
        ssize_t count = read(file.Get(), block, sizeof(block));
        if (count < 0 && errno == EINTR)
        {
            continue;
        }
        if (count < 0)
        {
            return errno;
        }
        if (count == 0)
        {
            return 0;
        }
        if (out_text.size() + static_cast<size_t>(count) > MAX_FILE_SIZE)
        {
            return EFBIG;
        }
        out_text.append(block, static_cast<size_t>(count));
    }
}

int WriteAll(int in_fd, const std::string& in_text)
{
    size_t done = 0;
    while (done < in_text.size())
    {
        ssize_t count = write(in_fd, in_text.data() + done, in_text.size() - done);
        if (count < 0 && errno == EINTR)
        {
            continue;
        }
        if (count < 0)
        {
            return errno;
        }
        done += static_cast<size_t>(count);
    }
    return 0;
}

// Creates every missing directory of the path's parent.
int MakeParentDirectories(const std::string& in_path)
{
    for (size_t slash = in_path.find('/', 1); slash != std::string::npos;
         slash = in_path.find('/', slash + 1))
    {
        if (mkdir(in_path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST)
        {
            return errno;
        }
    }
    return 0;
}

// Writes the text to a temporary file beside the target, syncs it and renames it over the target.
int ReplaceFile(const std::string& in_path, const std::string& in_text)
{
    std::string temporary = in_path + ".XXXXXX";
    FileDescriptor file(mkostemp(&temporary[0], O_CLOEXEC));
    if (file.Get() < 0)
    {
        return errno;
    }
    int error = WriteAll(file.Get(), in_text);
    if (error == 0 && (fchmod(file.Get(), 0644) != 0 || fsync(file.Get()) != 0))
    {
        error = errno;
    }
    if (file.Close() != 0 && error == 0)
    {
        error = errno;
    }
    if (error == 0 && rename(temporary.c_str(), in_path.c_str()) != 0)
    {
        error = errno;
    }
    if (error != 0)
    {
        unlink(temporary.c_str());
    }
    return error;
}

int SetTextValueLocked(const std::string& in_path,
                       const std::string& in_keyPath,
                       const std::string& in_name,
                       const std::string& in_text)
{
    std::string text;
    int error = ReadFile(in_path, text);
    if (error != 0 && error != ENOENT)
    {
        return error;
    }
    RegistryDocument document(text);
    if (!document.SetText(in_keyPath, in_name, in_text))
    {
        return EINVAL;
    }
    return ReplaceFile(in_path, document.ToText());
}

} // namespace

std::string RegistryKey::GetFilePath(RegistryRoot in_root)
{
    const bool user = in_root == RegistryRoot::CurrentUser;
    std::string path = GetEnvironment(user ? "PELTA_REGISTRY_HKCU" : "PELTA_REGISTRY_HKLM");
    if (!path.empty())
    {
        return path;
    }
    if (!user)
    {
        return "/etc/pelta/registry.reg";
    }
    std::string config = GetEnvironment("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/')
    {
        std::string home = GetEnvironment("HOME");
        if (home.empty())
        {
            return std::string();
        }
        config = home + "/.config";
    }
    return config + "/pelta/registry.reg";
}

bool RegistryKey::Open(RegistryRoot in_root, const std::string& in_keyPath)
{
    m_values.clear();
    m_readError = 0;
    const std::string path = GetFilePath(in_root);
    if (path.empty())
    {
        return false;
    }
    std::string text;
    int error = ReadFile(path, text);
    if (error == ENOENT || error == ENOTDIR)
    {
        return false;
    }
    if (error != 0)
    {
        m_readError = error;
        return true;
    }
    RegistryDocument document(text);
    if (!document.HasKey(in_keyPath))
    {
        return false;
    }
    m_values = document.GetValues(in_keyPath);
    return true;
}

bool RegistryKey::QueryValues(std::vector<RegistryValue>& out_values) const
{
    if (m_readError != 0)
    {
        errno = m_readError;
        return false;
    }
    out_values = m_values;
    return true;
}

int RegistryKey::SetTextValue(RegistryRoot in_root,
                              const std::string& in_keyPath,
                              const std::string& in_name,
                              const std::string& in_text)
{
    const std::string path = GetFilePath(in_root);
    if (path.empty())
    {
        return ENOENT;
    }
    int error = MakeParentDirectories(path);
    if (error != 0)
    {
        return error;
    }
    FileDescriptor lock(open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.Get() < 0)
    {
        return errno;
    }
    while (flock(lock.Get(), LOCK_EX) != 0)
    {
        if (errno != EINTR)
        {
            return errno;
        }
    }
    // The lock is released when its descriptor closes, after the rename.
    return SetTextValueLocked(path, in_keyPath, in_name, in_text);
}

} // namespace OS
} // namespace Orvik
