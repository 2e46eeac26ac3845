#include "DSI/DSIFileLogger.h"

#include "DSI/LogTimestamp.h"
#include "Platform/OsTime.h"
#include "Support/FileHandler.h"
#include "Support/OrvikSettingReader.h"
#include "Support/SettingParsers.h"
#include "Support/ThreadUtils.h"

#include <cstdio>

namespace Orvik {
namespace DSI {

using Support::OrvikSettingReader;

namespace {

constexpr uint64_t DEFAULT_LOG_FILE_SIZE = 20971520;
constexpr uint32_t DEFAULT_LOG_FILE_COUNT = 50;
constexpr size_t LINE_RESERVE = 256;

// Appends in_name with every "%" doubled: the line is a printf format, and a name is no
// directive.
void AppendLiteral(const char* in_name, std::string& io_line)
{
    for (const char* c = in_name != nullptr ? in_name : ""; *c != '\0'; ++c)
    {
        io_line += *c;
        if (*c == '%')
        {
            io_line += '%';
        }
    }
}

void WriteToStandardError(const std::string& in_format, va_list in_arguments)
{
    std::vfprintf(stderr, in_format.c_str(), in_arguments);
    std::fputs("\n", stderr);
    std::fflush(stderr);
}

} // namespace

DSIFileLogger::DSIFileLogger(const std::string& in_fileName)
    : m_file(std::make_unique<Support::FileHandler>(
          OrvikSettingReader::GetLogPath() + in_fileName,
          Support::ParseByteSize(OrvikSettingReader::GetLogFileSize(), DEFAULT_LOG_FILE_SIZE),
          Support::ParseUInt32OrDefault(OrvikSettingReader::GetLogFileCount(), DEFAULT_LOG_FILE_COUNT)))
{
}

DSIFileLogger::~DSIFileLogger() = default;

void DSIFileLogger::WriteLine(int32_t in_level,
                              const char* /* in_namespace */,
                              const char* in_class,
                              const char* in_method,
                              const char* in_format,
                              std::string& io_line)
{
    LogTimestamp::Append(OS::GetLocalTime(), io_line);
    io_line += ' ';
    io_line += GetLevelName(in_level);
    io_line += ' ';
    io_line += std::to_string(Support::ThreadUtils::GetCurrentThreadId());
    io_line += ' ';
    AppendLiteral(in_class, io_line);
    io_line += "::";
    AppendLiteral(in_method, io_line);
    io_line += ": ";
    io_line += in_format != nullptr ? in_format : "";
}

void DSIFileLogger::WriteEntry(int32_t in_level,
                               const char* in_namespace,
                               const char* in_class,
                               const char* in_method,
                               const char* in_format,
                               va_list in_arguments)
{
    try
    {
        std::string line;
        line.reserve(LINE_RESERVE);
        WriteLine(in_level, in_namespace, in_class, in_method, in_format, line);
        // The file consumes its copy of the arguments; standard error gets a fresh one when
        // the file fails half way.
        va_list forFile;
        va_copy(forFile, in_arguments);
        bool written = false;
        try
        {
            if (m_file->IsOpen())
            {
                m_file->Write(line.c_str(), forFile);
                written = true;
            }
        }
        catch (...)
        {
        }
        va_end(forFile);
        if (!written)
        {
            WriteToStandardError(line, in_arguments);
        }
    }
    catch (...)
    {
        // No failure of logging reaches the caller.
    }
}

} // namespace DSI
} // namespace Orvik
