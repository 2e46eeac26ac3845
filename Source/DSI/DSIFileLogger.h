#pragma once

#include "DSI/DSILog.h"

#include <memory>

namespace Orvik {
namespace Support {
class FileHandler;
}

namespace DSI {

/// A log that appends its lines to a rotating file in the "LogPath" directory, or to standard
/// error when that file cannot be opened or written. A line reads: time with milliseconds,
/// the five-character level, the thread id, class "::" method ": " and the message, then
/// "\r\n" in the file and "\n" on standard error. Lines of different threads never interleave
/// in the file.
class DSIFileLogger : public DSILog
{
public:
    /// A log on in_fileName in the "LogPath" directory ("." when empty), rotated at
    /// "LogFileSize" bytes (default 20 MB; 0 never) with at most "LogFileCount" files (default
    /// 50). The file is opened for appending when the first line is written.
    explicit DSIFileLogger(const std::string& in_fileName);
    ~DSIFileLogger() override;

protected:
    void WriteEntry(int32_t in_level,
                    const char* in_namespace,
                    const char* in_class,
                    const char* in_method,
                    const char* in_format,
                    va_list in_arguments) override;

    /// Appends to io_line the line's prefix and then in_format: the printf format of the whole
    /// line. A "%" in the class or method name is doubled, so that it is written as it is.
    virtual void WriteLine(int32_t in_level,
                           const char* in_namespace,
                           const char* in_class,
                           const char* in_method,
                           const char* in_format,
                           std::string& io_line);

private:
    std::unique_ptr<Support::FileHandler> m_file;
};

} // namespace DSI
} // namespace Orvik
