#include "Support/BinaryFile.h"

#include "Support/GetLastErrorText.h"
#include "Support/ProductException.h"
#include "Support/Utf8Text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace Orvik {
namespace Support {

namespace {

// Most log lines fit here, so that writing them allocates nothing.
const size_t STACK_FORMAT_SIZE = 256;

// Formats as the "C" locale does, so that a host application's LC_NUMERIC cannot change the
// numbers in a log line. uselocale changes the calling thread's locale only.
int FormatInCLocale(char* out_buffer, size_t in_size, const char* in_format, va_list in_arguments)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t());
    const locale_t previous = uselocale(cLocale);
    const int length = std::vsnprintf(out_buffer, in_size, in_format, in_arguments);
    uselocale(previous);
    return length;
}

} // namespace

int BinaryFile::GetOpenFlags(FileOpenMode in_mode)
{
    switch (in_mode)
    {
    case OPEN_READ: return O_RDONLY;
    case OPEN_WRITE_TRUNCATE: return O_WRONLY | O_CREAT | O_TRUNC;
    case OPEN_APPEND: return O_WRONLY | O_CREAT;
    case OPEN_READ_WRITE: return O_RDWR;
    case OPEN_READ_WRITE_TRUNCATE: return O_RDWR | O_CREAT | O_TRUNC;
    case OPEN_READ_WRITE_CREATE: return O_RDWR | O_CREAT;
    }
    throw ProductException(orvik_wstring("UnrecognizedOpenMode"));
}

BinaryFile::BinaryFile(const std::string& in_name, FileOpenMode in_mode) : m_fileName(in_name)
{
    if (in_name.empty())
    {
        throw ProductException(orvik_wstring("InvalidFileName"));
    }
    m_fd = open(in_name.c_str(), GetOpenFlags(in_mode) | O_CLOEXEC, 0666);
    if (m_fd < 0)
    {
        // Taken before anything else can change errno.
        orvik_wstring reason = GetLastErrorText();
        throw ProductException(orvik_wstring("CannotOpenFile"), { WStringFromUtf8(in_name), std::move(reason) });
    }
    if (in_mode == OPEN_APPEND && lseek(m_fd, 0, SEEK_END) < 0)
    {
        Close();
        throw ProductException(orvik_wstring("CannotSetFilePosition"));
    }
}

BinaryFile::~BinaryFile()
{
    Close();
}

void BinaryFile::Close()
{
    if (m_fd >= 0)
    {
        close(m_fd);
        m_fd = -1;
    }
}

bool BinaryFile::Flush()
{
    return fsync(m_fd) == 0;
}

int64_t BinaryFile::GetPosition()
{
    Flush();
    return lseek(m_fd, 0, SEEK_CUR);
}

uint64_t BinaryFile::Read(void* out_buffer, uint64_t in_count)
{
    ssize_t count;
    do
    {
        count = read(m_fd, out_buffer, in_count);
    } while (count < 0 && errno == EINTR);
    return count < 0 ? 0 : static_cast<uint64_t>(count);
}

bool BinaryFile::Reopen(FileOpenMode in_mode)
{
    Close();
    m_fd = open(m_fileName.c_str(), GetOpenFlags(in_mode) | O_CLOEXEC, 0666);
    return m_fd >= 0;
}

int64_t BinaryFile::Seek(int64_t in_distance, int32_t in_origin)
{
    const int whence = in_origin == SEEK_FROM_START ? SEEK_SET : in_origin == SEEK_FROM_END ? SEEK_END : SEEK_CUR;
    return lseek(m_fd, in_distance, whence);
}

uint64_t BinaryFile::Write(const void* in_buffer, uint64_t in_count)
{
    const char* bytes = static_cast<const char*>(in_buffer);
    uint64_t done = 0;
    while (done < in_count)
    {
        ssize_t count = write(m_fd, bytes + done, in_count - done);
        if (count < 0 && errno == EINTR)
        {
            continue;
        }
        if (count <= 0)
        {
            break;
        }
        done += static_cast<uint64_t>(count);
    }
    return done;
}

uint64_t BinaryFile::GetSize() const
{
    struct stat status;
    return fstat(m_fd, &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

void BinaryFile::WriteFormatted(const char* in_format, va_list in_arguments)
{
    va_list measuring;
    va_copy(measuring, in_arguments);
    const int length = FormatInCLocale(nullptr, 0, in_format, measuring);
    va_end(measuring);
    if (length < 0)
    {
        return;
    }
    // vsnprintf writes a NUL after the text, so each buffer has one byte more than the text.
    char stackBuffer[STACK_FORMAT_SIZE + 1];
    std::vector<char> heapBuffer;
    char* buffer = stackBuffer;
    if (static_cast<size_t>(length) > STACK_FORMAT_SIZE)
    {
        heapBuffer.resize(static_cast<size_t>(length) + 1);
        buffer = heapBuffer.data();
    }
    FormatInCLocale(buffer, static_cast<size_t>(length) + 1, in_format, in_arguments);
    Write(buffer, static_cast<uint64_t>(length));
}

void BinaryFile::WriteNewLine()
{
    Write("\r\n", 2);
}

} // namespace Support
} // namespace Orvik
