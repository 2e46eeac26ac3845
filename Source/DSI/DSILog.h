#pragma once

#include "DSI/ILogger.h"

#include <atomic>
#include <cstdarg>
#include <memory>

namespace Orvik {
namespace Support {
class CriticalSection;
class orvik_wstring;
} // namespace Support

namespace DSI {

/// The level, namespace filter and locale of a log, and the level operations over them. An
/// entry below the level costs one comparison: nothing is formatted, locked or allocated.
/// Deriving classes say where entries go (WriteEntry).
///
/// Construction reads the settings "LogLevel" (through ParseLogLevel; off when missing),
/// "LogNamespace" (the filter; empty admits all) and "DriverLocale" (default "en-US") once;
/// later changes of the settings do not reach the log.
class DSILog : public ILogger
{
public:
    ~DSILog() override;

    DSILog(const DSILog&) = delete;
    DSILog& operator=(const DSILog&) = delete;

    std::string GetLocale() const override;
    int32_t GetLogLevel() const final { return m_level.load(std::memory_order_relaxed); }

    void LogDebug(const char* in_namespace, const char* in_class, const char* in_method,
                  const char* in_format, ...) override ORVIK_LOG_FORMAT;
    void LogError(const char* in_namespace, const char* in_class, const char* in_method,
                  const char* in_format, ...) override ORVIK_LOG_FORMAT;

    /// The text comes from the data-store driver's message source in this log's locale, or is
    /// the exception's description when no driver exists or the text cannot be made.
    void LogErrorException(const char* in_namespace,
                           const char* in_class,
                           const char* in_method,
                           const Support::ErrorException& in_exception) override;

    void LogFatal(const char* in_namespace, const char* in_class, const char* in_method,
                  const char* in_format, ...) override ORVIK_LOG_FORMAT;
    /// Every ODBC call enters here: with tracing off it costs one load, inline where the caller
    /// holds a DSILog.
    void LogFunctionEntrance(const char* in_namespace, const char* in_class, const char* in_method) final
    {
        if (GetLogLevel() >= LOG_TRACE)
        {
            LogEntranceLine(in_namespace, in_class, in_method);
        }
    }
    void LogInfo(const char* in_namespace, const char* in_class, const char* in_method,
                 const char* in_format, ...) override ORVIK_LOG_FORMAT;
    void LogTrace(const char* in_namespace, const char* in_class, const char* in_method,
                  const char* in_format, ...) override ORVIK_LOG_FORMAT;
    void LogWarning(const char* in_namespace, const char* in_class, const char* in_method,
                    const char* in_format, ...) override ORVIK_LOG_FORMAT;

    /// The exception's text from the data-store driver's message source in in_locale; its
    /// description when no driver exists or the text cannot be made. Never throws.
    static std::string ExceptionText(const Support::ErrorException& in_exception, const std::string& in_locale);

    void SetLocale(const std::string& in_locale) override;
    void SetLogLevel(int32_t in_level) override { m_level.store(in_level, std::memory_order_relaxed); }

    /// True when an entry of in_level and in_namespace would be written.
    bool IsEnabled(int32_t in_level, const char* in_namespace) const;

    /// A level setting: "Off", "Fatal", "Error", "Warning", "Info", "Debug", "Trace" or 0 to 6,
    /// in any letter case and with an optional "LOG_" prefix; empty text gives LOG_OFF; another
    /// decimal number is clamped to 0..6; anything else gives LOG_OFF.
    static int32_t ParseLogLevel(const char* in_text);

    /// The same for wide text.
    static int32_t ParseLogLevel(const Support::orvik_wstring& in_text);

    /// The five-character name of a level in a line; "UNKWN" outside 0..6.
    static const char* GetLevelName(int32_t in_level);

protected:
    DSILog();

    /// Writes one entry whatever the level and filter; the level operations call it once they
    /// have admitted the entry. in_arguments belong to in_format.
    virtual void WriteEntry(int32_t in_level,
                            const char* in_namespace,
                            const char* in_class,
                            const char* in_method,
                            const char* in_format,
                            va_list in_arguments) = 0;

private:
    /// The entrance entry of LogFunctionEntrance, out of line.
    void LogEntranceLine(const char* in_namespace, const char* in_class, const char* in_method);

    void Write(int32_t in_level, const char* in_namespace, const char* in_class, const char* in_method,
               const char* in_format, va_list in_arguments);

    std::atomic<int32_t> m_level;
    const std::string m_namespaceFilter;
    // Guards m_locale against SetLocale; held by pointer to keep this widely included header light.
    const std::unique_ptr<Support::CriticalSection> m_localeLock;
    std::string m_locale;
};

} // namespace DSI
} // namespace Orvik
