#pragma once

#include "Support/IFile.h"

#include <cstdarg>

namespace Orvik {
namespace Support {

/// The owner of one open file of the system.
class BinaryFile : public IFile
{
public:
    /// Opens in_name in in_mode, at the end of the file for OPEN_APPEND. Throws ProductException
    /// "InvalidFileName" for an empty name, "UnrecognizedOpenMode" for a mode outside 1 to 6,
    /// "CannotOpenFile" (name, system text) when the system refuses, and "CannotSetFilePosition"
    /// when the end cannot be reached.
    BinaryFile(const std::string& in_name, FileOpenMode in_mode);
    ~BinaryFile() override;

    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool IsOpen() const override { return m_fd >= 0; }
    bool Flush() override;
    const std::string& GetFileName() const override { return m_fileName; }
    int64_t GetPosition() override;
    uint64_t Read(void* out_buffer, uint64_t in_count) override;
    /// Throws ProductException "UnrecognizedOpenMode" for an unknown mode, after closing.
    bool Reopen(FileOpenMode in_mode) override;
    int64_t Seek(int64_t in_distance, int32_t in_origin) override;
    uint64_t Write(const void* in_buffer, uint64_t in_count) override;

    /// The file's size in bytes; 0 when the system cannot tell.
    uint64_t GetSize() const;

    /// Formats the text as printf does in the "C" locale and writes it whole, without a
    /// terminating NUL. A text of up to 256 bytes is formatted on the stack; a longer one in a
    /// buffer of its length.
    void WriteFormatted(const char* in_format, va_list in_arguments);

    /// Writes "\r\n".
    void WriteNewLine();

private:
    /// The open flags of a mode; throws for an unknown mode.
    static int GetOpenFlags(FileOpenMode in_mode);

    void Close();

    int m_fd = -1;
    std::string m_fileName;
};

} // namespace Support
} // namespace Orvik
