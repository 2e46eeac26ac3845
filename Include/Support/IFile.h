#pragma once

#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

/// How a file is opened. The numbers are part of the interface.
enum FileOpenMode : int32_t
{
    OPEN_READ = 1,                  ///< read; the file must exist
    OPEN_WRITE_TRUNCATE = 2,        ///< write; created, or truncated to empty
    OPEN_APPEND = 3,                ///< write; created, or opened at its end
    OPEN_READ_WRITE = 4,            ///< read and write; the file must exist
    OPEN_READ_WRITE_TRUNCATE = 5,   ///< read and write; created, or truncated to empty
    OPEN_READ_WRITE_CREATE = 6      ///< read and write; created, or opened at position 0
};

/// Where a seek counts from; any other value counts from the current position.
enum FileSeekOrigin : int32_t
{
    SEEK_FROM_START = 3,
    SEEK_FROM_END = 4
};

/// A file the driver reads or writes.
class IFile
{
public:
    virtual ~IFile() = default;

    /// True while a file is open.
    virtual bool IsOpen() const = 0;

    /// Asks the system to write the file's buffers through; true on success.
    virtual bool Flush() = 0;

    /// The name the file was opened with.
    virtual const std::string& GetFileName() const = 0;

    /// The current position after a flush; -1 on failure.
    virtual int64_t GetPosition() = 0;

    /// Reads up to in_count bytes into out_buffer; the count read, 0 on failure.
    virtual uint64_t Read(void* out_buffer, uint64_t in_count) = 0;

    /// Closes the file and opens its name again in in_mode; false when that open fails.
    virtual bool Reopen(FileOpenMode in_mode) = 0;

    /// Moves the position by in_distance from in_origin; the new position, -1 on failure.
    virtual int64_t Seek(int64_t in_distance, int32_t in_origin) = 0;

    /// Writes in_count bytes of in_buffer; the count written, 0 on failure.
    virtual uint64_t Write(const void* in_buffer, uint64_t in_count) = 0;

protected:
    IFile() = default;
};

} // namespace Support
} // namespace Orvik
