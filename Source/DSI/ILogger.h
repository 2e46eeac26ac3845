#pragma once

#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {
class ErrorException;
}

namespace DSI {

/// The log levels, from nothing to everything. An entry is written when its level is at or
/// below the logger's level.
enum LogLevel : int32_t
{
    LOG_OFF = 0,
    LOG_FATAL = 1,
    LOG_ERROR = 2,
    LOG_WARNING = 3,
    LOG_INFO = 4,
    LOG_DEBUG = 5,
    LOG_TRACE = 6
};

// GCC checks printf-style arguments of the level operations; the implicit "this" is argument 1.
#define ORVIK_LOG_FORMAT __attribute__((format(printf, 5, 6)))

/// The logging interface of every layer. Namespace, class and method are the caller's constant
/// names (such as "Orvik::ODBC", "Connection", "SQLSetConnectAttr"); the namespace only filters
/// and never appears in a line. Logging never reports a failure to its caller.
class ILogger
{
public:
    virtual ~ILogger() = default;

    /// The locale in which exception texts are logged (a name such as "en-US").
    virtual std::string GetLocale() const = 0;

    /// The level: LOG_OFF to LOG_TRACE.
    virtual int32_t GetLogLevel() const = 0;

    /// One entry at LOG_DEBUG: in_format with its arguments, as printf writes them.
    virtual void LogDebug(const char* in_namespace, const char* in_class, const char* in_method,
                          const char* in_format, ...) ORVIK_LOG_FORMAT = 0;

    /// One entry at LOG_ERROR.
    virtual void LogError(const char* in_namespace, const char* in_class, const char* in_method,
                          const char* in_format, ...) ORVIK_LOG_FORMAT = 0;

    /// One entry at LOG_ERROR holding the text of in_exception.
    virtual void LogErrorException(const char* in_namespace,
                                   const char* in_class,
                                   const char* in_method,
                                   const Support::ErrorException& in_exception) = 0;

    /// One entry at LOG_FATAL.
    virtual void LogFatal(const char* in_namespace, const char* in_class, const char* in_method,
                          const char* in_format, ...) ORVIK_LOG_FORMAT = 0;

    /// One entry at LOG_TRACE reading "+++++ enter +++++"; every public operation calls it first.
    virtual void LogFunctionEntrance(const char* in_namespace, const char* in_class, const char* in_method) = 0;

    /// One entry at LOG_INFO.
    virtual void LogInfo(const char* in_namespace, const char* in_class, const char* in_method,
                         const char* in_format, ...) ORVIK_LOG_FORMAT = 0;

    /// One entry at LOG_TRACE.
    virtual void LogTrace(const char* in_namespace, const char* in_class, const char* in_method,
                          const char* in_format, ...) ORVIK_LOG_FORMAT = 0;

    /// One entry at LOG_WARNING.
    virtual void LogWarning(const char* in_namespace, const char* in_class, const char* in_method,
                            const char* in_format, ...) ORVIK_LOG_FORMAT = 0;

    /// Replaces the locale.
    virtual void SetLocale(const std::string& in_locale) = 0;

    /// Replaces the level.
    virtual void SetLogLevel(int32_t in_level) = 0;

protected:
    ILogger() = default;
};

} // namespace DSI
} // namespace Orvik
