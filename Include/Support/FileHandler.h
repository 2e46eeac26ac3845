#pragma once

#include "Support/BinaryFile.h"
#include "Support/CriticalSection.h"

#include <memory>
#include <vector>

namespace Orvik {
namespace Support {

/// A file that lines are appended to and that is rotated by size: when it reaches the maximum
/// size it becomes copy 1 ("<stem>.1<extension>"), every copy moves up one number, the copy
/// that would pass the maximum count is deleted, and an empty file is started. At most the
/// maximum count of files exist: the file and its copies.
///
/// The file is opened once, at the first write or IsOpen; when that open (or the one after a
/// rotation) fails, the handler stays without a file.
class FileHandler
{
public:
    /// in_maxFileSize 0 never rotates; in_maxFileCount 0 throws InvalidArgumentException.
    /// Opens nothing.
    FileHandler(const std::string& in_path, uint64_t in_maxFileSize, uint32_t in_maxFileCount);

    FileHandler(const FileHandler&) = delete;
    FileHandler& operator=(const FileHandler&) = delete;

    /// Opens the file if no open was tried yet; true when a file is open.
    bool IsOpen();

    /// Writes one line: the text formatted as printf does, then "\r\n"; rotates when the file
    /// has reached the maximum size. Throws ProductException "CannotOpenFile" (path) when there
    /// is no open file. Lines of concurrent writers never interleave.
    void Write(const char* in_format, va_list in_arguments);

private:
    void OpenOnce();
    void Rotate();

    /// The name of copy in_number.
    std::string GetCopyName(uint64_t in_number) const;

    /// The numbers of the copies that exist, within the maximum count, highest first. Found by
    /// listing the directory, so that neither memory nor time grows with the maximum count.
    std::vector<uint64_t> FindCopies() const;

    bool m_openAttempted = false;
    uint64_t m_maxFileSize;
    uint32_t m_maxFileCount;
    CriticalSection m_lock;
    std::string m_path;
    std::unique_ptr<BinaryFile> m_file;
    std::string m_directory; // with its trailing "/", or empty for the current directory
    std::string m_stem;
    std::string m_extension;
};

} // namespace Support
} // namespace Orvik
