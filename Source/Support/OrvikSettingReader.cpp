#include "Support/OrvikSettingReader.h"

#include "Support/CriticalSection.h"
#include "Support/CriticalSectionLock.h"
#include "Support/EncodingRegistry.h"
#include "Support/Platform.h"
#include "Support/RegistryReader.h"
#include "Support/StartupInitException.h"

#include <algorithm>
#include <cstdlib>

namespace Orvik {
namespace Support {

namespace {

const char* const ANSI_ENCODING_VARIABLE = "ORVIK_APP_ANSI_ENCODING";
const char* const ANSI_ENCODING_ILLEGAL = "ANSIEncoding setting is not a legal encoding.";
const char* const DM_ENCODING_ILLEGAL = "DriverManagerEncoding setting is not a legal encoding.";
const char* const DM_ENCODING_DEFAULT = "DriverManagerEncoding setting not loaded, using default: UTF-16_LE.";

OrvikSettingReader* s_reader = nullptr;

// Guards the reader's creation and destruction and every lookup. Made at the first use, so
// that it exists whichever static initialiser asks first, and never destroyed: the module's
// tear-down runs from a static destructor at process exit and still shuts the reader down
// through it.
CriticalSection& ReaderLock()
{
    static CriticalSection* const lock = new CriticalSection();
    return *lock;
}

char FoldAscii(char in_char)
{
    return (in_char >= 'a' && in_char <= 'z') ? static_cast<char>(in_char - 'a' + 'A') : in_char;
}

// A setting whose read fails counts as empty: for the encodings and the locale a broken
// registry file must not stop the driver, it only loses the setting.
std::string GetSettingOrEmpty(const char* in_name)
{
    try
    {
        return OrvikSettingReader::GetSetting(in_name);
    }
    catch (const ErrorException&)
    {
        return std::string();
    }
}

std::string WithSlash(const std::string& in_directory)
{
    return in_directory + "/";
}

} // namespace

bool OrvikSettingReader::NameLess::operator()(const std::string& in_left, const std::string& in_right) const
{
    const size_t length = std::min(in_left.size(), in_right.size());
    for (size_t i = 0; i < length; ++i)
    {
        const unsigned char left = static_cast<unsigned char>(FoldAscii(in_left[i]));
        const unsigned char right = static_cast<unsigned char>(FoldAscii(in_right[i]));
        if (left != right)
        {
            return left < right;
        }
    }
    return in_left.size() < in_right.size();
}

OrvikSettingReader::OrvikSettingReader(const orvik_wstring& in_vendor, const orvik_wstring& in_component)
    : m_vendor(in_vendor), m_component(in_component)
{
}

void OrvikSettingReader::Initialize(const orvik_wstring& in_vendor, const orvik_wstring& in_component)
{
    CriticalSectionLock lock(ReaderLock());
    if (s_reader == nullptr)
    {
        s_reader = new OrvikSettingReader(in_vendor, in_component);
    }
}

void OrvikSettingReader::SetBrandingName(const orvik_wstring& in_vendor)
{
    CriticalSectionLock lock(ReaderLock());
    if (s_reader != nullptr)
    {
        s_reader->m_vendor = in_vendor;
    }
}

void OrvikSettingReader::Shutdown()
{
    CriticalSectionLock lock(ReaderLock());
    delete s_reader;
    s_reader = nullptr;
}

std::string OrvikSettingReader::GetSetting(const std::string& in_name)
{
    CriticalSectionLock lock(ReaderLock());
    return s_reader == nullptr ? std::string() : s_reader->ReadSetting(in_name);
}

std::string OrvikSettingReader::ReadSetting(const std::string& in_name)
{
    CriticalSectionLock lock(ReaderLock());
    if (!m_loaded && !Load())
    {
        return std::string();
    }
    // A miss inserts nothing: lookups of absent names never change the map.
    auto found = m_settings.find(in_name);
    return found == m_settings.end() ? std::string() : found->second;
}

bool OrvikSettingReader::Load()
{
    VariantMap values;
    RegistryReader(false).ReadValues(
        values, orvik_wstring(u""), orvik_wstring(u"SOFTWARE\\") + m_vendor, m_component, false);
    if (values.empty())
    {
        return false;
    }
    for (const auto& value : values)
    {
        m_settings[value.first.GetAsAnsiString()] = value.second.GetString();
    }
    m_loaded = true;
    return true;
}

EncodingType OrvikSettingReader::GetAppCharEncoding()
{
    Platform::Trace("OrvikSettingReader::GetAppCharEncoding()");
    const char* variable = std::getenv(ANSI_ENCODING_VARIABLE);
    const std::string name = variable != nullptr ? std::string(variable) : GetSettingOrEmpty("ANSIENCODING");
    if (name.empty())
    {
        return ENC_NONE;
    }
    if (name == "UTF-16")
    {
        return ENC_UTF16_LE;
    }
    if (name == "UTF-32")
    {
        return ENC_UTF32_LE;
    }
    try
    {
        return EncodingRegistry::GetEncodingType(name);
    }
    catch (const ErrorException&)
    {
        Platform::Trace(ANSI_ENCODING_ILLEGAL);
        throw StartupInitException(orvik_wstring(ANSI_ENCODING_ILLEGAL));
    }
}

EncodingType OrvikSettingReader::GetDriverManagerEncoding()
{
    Platform::Trace("OrvikSettingReader::GetDriverManagerEncoding()");
    struct Choice { const char* m_name; EncodingType m_encoding; };
    static const Choice CHOICES[] = {
        { "UTF-8", ENC_UTF8 },
        { "UTF-16", ENC_UTF16_LE },
        { "UTF-32", ENC_UTF32_LE },
    };
    const std::string name = GetSettingOrEmpty("DRIVERMANAGERENCODING");
    if (name.empty())
    {
        Platform::Trace(DM_ENCODING_DEFAULT);
        return ENC_UTF16_LE;
    }
    for (const Choice& choice : CHOICES)
    {
        if (name == choice.m_name)
        {
            return choice.m_encoding;
        }
    }
    Platform::Trace(DM_ENCODING_ILLEGAL);
    throw StartupInitException(orvik_wstring(DM_ENCODING_ILLEGAL));
}

std::string OrvikSettingReader::GetDriverLocale()
{
    const std::string locale = GetSettingOrEmpty("DriverLocale");
    return locale.empty() ? "en-US" : locale;
}

std::string OrvikSettingReader::GetErrorMessagesPath(const std::string& in_defaultDirectory)
{
    const std::string path = GetSetting("ERRORMESSAGESPATH");
    if (path.empty())
    {
        return in_defaultDirectory;
    }
    return WithSlash(IsRelativePath(path) ? in_defaultDirectory + path : path);
}

std::string OrvikSettingReader::GetLogPath()
{
    const std::string path = GetSetting("LogPath");
    return WithSlash(path.empty() ? "." : path);
}

bool OrvikSettingReader::IsTraceToStdErr()
{
    return GetSetting("TRACETOSTDERR") == "1";
}

std::string OrvikSettingReader::GetLogLevel()
{
    return GetSetting("LogLevel");
}

std::string OrvikSettingReader::GetLogNamespace()
{
    return GetSetting("LogNamespace");
}

std::string OrvikSettingReader::GetLogFileSize()
{
    return GetSetting("LogFileSize");
}

std::string OrvikSettingReader::GetLogFileCount()
{
    return GetSetting("LogFileCount");
}

std::string OrvikSettingReader::GetMemoryManagerStrategy()
{
    return GetSetting("MemoryManagerStrategy");
}

std::string OrvikSettingReader::GetMemoryManagerMemoryLimit()
{
    return GetSetting("MemoryManagerMemoryLimit");
}

std::string OrvikSettingReader::GetMemoryManagerThresholdPercent()
{
    return GetSetting("MemoryManagerThresholdPercent");
}

bool OrvikSettingReader::IsRelativePath(const std::string& in_path)
{
    return in_path.empty() || in_path[0] != '/';
}

} // namespace Support
} // namespace Orvik
