#include "DSI/DSILog.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/IDriver.h"
#include "Support/CriticalSection.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/NumberConverter.h"
#include "Support/OrvikSettingReader.h"

#include <cstring>
#include <iterator>

namespace Orvik {
namespace DSI {

using Support::CriticalSectionLock;
using Support::OrvikSettingReader;

namespace {

// The names of the levels in a line, indexed by level.
constexpr const char* LEVEL_NAMES[] = { "OFF  ", "FATAL", "ERROR", "WARN ", "INFO ", "DEBUG", "TRACE" };

// The words of the level setting, indexed by level; the level's digit is accepted as well.
constexpr const char* LEVEL_WORDS[] = { "Off", "Fatal", "Error", "Warning", "Info", "Debug", "Trace" };

constexpr const char* LEVEL_PREFIX = "LOG_";
constexpr size_t LEVEL_PREFIX_LENGTH = 4;

char AsciiLower(char in_char)
{
    return in_char >= 'A' && in_char <= 'Z' ? static_cast<char>(in_char - 'A' + 'a') : in_char;
}

// Compares at most in_count characters, ASCII letters without regard to case, so that no locale
// can change the outcome.
bool StartsEqualIgnoringAsciiCase(const char* in_left, const char* in_right, size_t in_count)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        if (AsciiLower(in_left[i]) != AsciiLower(in_right[i]))
        {
            return false;
        }
        if (in_left[i] == '\0')
        {
            return true;
        }
    }
    return true;
}

bool EqualsIgnoringAsciiCase(const char* in_left, const char* in_right)
{
    return StartsEqualIgnoringAsciiCase(in_left, in_right, std::strlen(in_right) + 1);
}

// The level named by a word or a digit, or -1.
int32_t FindLevelWord(const char* in_text)
{
    for (int32_t level = 0; level < static_cast<int32_t>(std::size(LEVEL_WORDS)); ++level)
    {
        const char digit[] = { static_cast<char>('0' + level), '\0' };
        if (EqualsIgnoringAsciiCase(in_text, LEVEL_WORDS[level]) || std::strcmp(in_text, digit) == 0)
        {
            return level;
        }
    }
    return -1;
}

} // namespace

DSILog::DSILog()
    : m_level(ParseLogLevel(OrvikSettingReader::GetLogLevel().c_str())),
      m_namespaceFilter(OrvikSettingReader::GetLogNamespace()),
      m_localeLock(std::make_unique<Support::CriticalSection>()),
      m_locale(OrvikSettingReader::GetDriverLocale())
{
}

DSILog::~DSILog() = default;

std::string DSILog::GetLocale() const
{
    CriticalSectionLock lock(*m_localeLock);
    return m_locale;
}

void DSILog::SetLocale(const std::string& in_locale)
{
    CriticalSectionLock lock(*m_localeLock);
    m_locale = in_locale;
}

bool DSILog::IsEnabled(int32_t in_level, const char* in_namespace) const
{
    if (GetLogLevel() < in_level)
    {
        return false;
    }
    const char* name = in_namespace != nullptr ? in_namespace : "";
    return std::strncmp(name, m_namespaceFilter.c_str(), m_namespaceFilter.size()) == 0;
}

void DSILog::Write(int32_t in_level, const char* in_namespace, const char* in_class, const char* in_method,
                   const char* in_format, va_list in_arguments)
{
    if (IsEnabled(in_level, in_namespace))
    {
        WriteEntry(in_level, in_namespace, in_class, in_method, in_format, in_arguments);
    }
}

// Each level operation tests the level before it touches its arguments, so that a disabled
// entry costs one comparison.
#define ORVIK_DSILOG_LEVEL_OPERATION(operation, level)                                            \
    void DSILog::operation(const char* in_namespace, const char* in_class, const char* in_method, \
                           const char* in_format, ...)                                            \
    {                                                                                             \
        if (GetLogLevel() < (level))                                                              \
        {                                                                                         \
            return;                                                                               \
        }                                                                                         \
        va_list arguments;                                                                        \
        va_start(arguments, in_format);                                                           \
        Write((level), in_namespace, in_class, in_method, in_format, arguments);                  \
        va_end(arguments);                                                                        \
    }

ORVIK_DSILOG_LEVEL_OPERATION(LogFatal, LOG_FATAL)
ORVIK_DSILOG_LEVEL_OPERATION(LogError, LOG_ERROR)
ORVIK_DSILOG_LEVEL_OPERATION(LogWarning, LOG_WARNING)
ORVIK_DSILOG_LEVEL_OPERATION(LogInfo, LOG_INFO)
ORVIK_DSILOG_LEVEL_OPERATION(LogDebug, LOG_DEBUG)
ORVIK_DSILOG_LEVEL_OPERATION(LogTrace, LOG_TRACE)
#undef ORVIK_DSILOG_LEVEL_OPERATION

void DSILog::LogEntranceLine(const char* in_namespace, const char* in_class, const char* in_method)
{
    LogTrace(in_namespace, in_class, in_method, "+++++ enter +++++");
}

std::string DSILog::ExceptionText(const Support::ErrorException& in_exception, const std::string& in_locale)
{
    try
    {
        if (IDriver* driver = DSIDriverSingleton::GetDriver())
        {
            const Support::SharedPtr<DSIMessageSource> source = driver->GetMessageSource();
            Support::ErrorException copy(in_exception);
            return copy.GetMessageText(source.Get(), in_locale).GetAsUTF8();
        }
    }
    catch (...)
    {
    }
    return in_exception.ToString().GetAsUTF8();
}

void DSILog::LogErrorException(const char* in_namespace,
                               const char* in_class,
                               const char* in_method,
                               const Support::ErrorException& in_exception)
{
    if (!IsEnabled(LOG_ERROR, in_namespace))
    {
        return;
    }
    LogError(in_namespace, in_class, in_method, "%s", ExceptionText(in_exception, GetLocale()).c_str());
}

int32_t DSILog::ParseLogLevel(const char* in_text)
{
    if (in_text == nullptr || *in_text == '\0')
    {
        return LOG_OFF;
    }
    const char* word = in_text;
    if (std::strlen(in_text) > LEVEL_PREFIX_LENGTH && StartsEqualIgnoringAsciiCase(in_text, LEVEL_PREFIX, LEVEL_PREFIX_LENGTH))
    {
        word += LEVEL_PREFIX_LENGTH;
    }
    const int32_t named = FindLevelWord(word);
    if (named >= 0)
    {
        return named;
    }
    try
    {
        const int32_t number = Support::NumberConverter::ConvertStringToInt32(in_text, true);
        return number < LOG_OFF ? LOG_OFF : (number > LOG_TRACE ? LOG_TRACE : number);
    }
    catch (const Support::ErrorException&)
    {
        return LOG_OFF;
    }
}

int32_t DSILog::ParseLogLevel(const Support::orvik_wstring& in_text)
{
    return ParseLogLevel(in_text.GetAsUTF8().c_str());
}

const char* DSILog::GetLevelName(int32_t in_level)
{
    const bool known = in_level >= LOG_OFF && in_level <= LOG_TRACE;
    return known ? LEVEL_NAMES[in_level] : "UNKWN";
}

} // namespace DSI
} // namespace Orvik
