#include "Pelta/Setup/PeltaDSNConfiguration.h"

#include "DSI/DSILog.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/Setup/IOdbcInstaller.h"
#include "Pelta/Setup/PeltaSetupException.h"
#include "Platform/RegistryKey.h"
#include "Support/ErrorException.h"
#include "Support/NumberConverter.h"
#include "Support/RegistryReader.h"
#include "Support/SettingParsers.h"

using Orvik::Support::ErrorException;
using Orvik::Support::NumberConverter;
using Orvik::Support::orvik_wstring;
using Orvik::Support::Variant;
using Orvik::Support::VariantMap;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaDSNConfiguration";
constexpr char REGISTRY_ROOT[] = "HKEY_LOCAL_MACHINE";
const std::string REGISTRY_KEY = std::string("SOFTWARE\\") + PELTA_NAME + "\\Driver";

constexpr char16_t DRIVER[] = u"Driver";
constexpr char16_t DSN[] = u"DSN";
constexpr char16_t DESCRIPTION[] = u"DESCRIPTION";
constexpr char16_t LOG_LEVEL[] = u"LogLevel";
constexpr char16_t LOG_NAMESPACE[] = u"LogNamespace";
constexpr char16_t LOG_PATH[] = u"LogPath";
constexpr char16_t LOG_FILE_COUNT[] = u"LogFileCount";
constexpr char16_t LOG_FILE_SIZE[] = u"LogFileSize";

constexpr char16_t DEFAULT_MAX_COLUMN_SIZE[] = u"4000";
constexpr uint64_t BYTES_PER_MEGABYTE = 1048576;
constexpr uint64_t DEFAULT_LOG_FILE_SIZE = 20971520;
constexpr char DEFAULT_LOG_FILE_SIZE_TEXT[] = "20971520";
constexpr uint16_t LARGEST_LOG_FILE_SIZE = 4096;

// The logging settings in the order they are loaded and written; none of them goes into the
// profile, and neither does "DSN".
constexpr const char16_t* LOGGING_SETTINGS[] = { LOG_LEVEL, LOG_NAMESPACE, LOG_PATH, LOG_FILE_COUNT, LOG_FILE_SIZE };

bool IsProfileEntry(const orvik_wstring& in_name)
{
    if (in_name.IsEqual(DSN, false))
    {
        return false;
    }
    for (const char16_t* logging : LOGGING_SETTINGS)
    {
        if (in_name.IsEqual(logging, false))
        {
            return false;
        }
    }
    return true;
}

std::string Utf8Name(const char16_t* in_name)
{
    return orvik_wstring(in_name).GetAsUTF8();
}

// The megabytes that the driver's own reading of a registry size gives. A size under a
// megabyte is a limit, not "no limit" (0): it shows as 1.
orvik_wstring MegabytesOf(const orvik_wstring& in_registryText)
{
    const uint64_t bytes = Orvik::Support::ParseByteSize(in_registryText.GetAsUTF8(), DEFAULT_LOG_FILE_SIZE);
    const uint64_t megabytes = bytes / BYTES_PER_MEGABYTE;
    return NumberConverter::ConvertUInt64ToWString(bytes != 0 && megabytes == 0 ? 1 : megabytes);
}

// The registry text of a checked file size in megabytes: its bytes; empty stays empty, which
// the driver reads as its default.
orvik_wstring BytesOf(const orvik_wstring& in_megabytes)
{
    if (in_megabytes.GetLength() == 0)
    {
        return in_megabytes;
    }
    return NumberConverter::ConvertUInt64ToWString(NumberConverter::ConvertWStringToUInt64(in_megabytes, true)
                                                   * BYTES_PER_MEGABYTE);
}

// The attribute text for the log: its separators shown as ";".
std::string LoggedAttributes(const orvik_wstring& in_attributes)
{
    orvik_wstring shown = in_attributes;
    shown.Replace(orvik_wstring(u"\0", 1), orvik_wstring(u";"));
    return shown.GetAsUTF8();
}

bool IsAttributeSeparator(char16_t in_unit)
{
    return in_unit == u'\0' || in_unit == u'\\';
}

} // namespace

PeltaDSNConfiguration::PeltaDSNConfiguration(const orvik_wstring& in_driverName,
                                             Orvik::DSI::DSILog* in_log,
                                             IOdbcInstaller& in_installer)
    : m_driverName(in_driverName), m_log(in_log), m_installer(in_installer)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "PeltaDSNConfiguration");
}

void PeltaDSNConfiguration::LoadDefaults()
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "LoadDefaults");
    Set(DRIVER, m_driverName);
    Set(SETTING_MAX_COLUMN_SIZE, orvik_wstring(DEFAULT_MAX_COLUMN_SIZE));
    LoadLoggingProperties();
}

void PeltaDSNConfiguration::LoadLoggingProperties()
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "LoadLoggingProperties");
    const int32_t level = Orvik::DSI::DSILog::ParseLogLevel(ReadRegistryValue("LogLevel", "0"));
    Set(LOG_LEVEL, NumberConverter::ConvertInt32ToWString(level));
    Set(LOG_NAMESPACE, ReadRegistryValue("LogNamespace", ""));
    Set(LOG_PATH, ReadRegistryValue("LogPath", ""));
    Set(LOG_FILE_COUNT, ReadRegistryValue("LogFileCount", "50"));
    Set(LOG_FILE_SIZE, MegabytesOf(ReadRegistryValue("LogFileSize", DEFAULT_LOG_FILE_SIZE_TEXT)));
    for (const char16_t* name : LOGGING_SETTINGS)
    {
        m_loadedLogging[orvik_wstring(name)] = Get(name);
    }
}

void PeltaDSNConfiguration::Load(const orvik_wstring& in_attributes)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Load");
    m_mode = MODE_EXISTING;
    LoadDefaults();
    ParseDSNAttribute(in_attributes);
    const orvik_wstring dsn = GetDSN();
    if (!m_installer.ValidDSN(dsn))
    {
        throw PeltaSetupException(SETUP_INVALID_KEYWORD_VALUE);
    }
    if (dsn.GetLength() == 0)
    {
        return;
    }
    for (const orvik_wstring& name : m_installer.GetEntryNames(dsn))
    {
        // The section is named by the data source; an entry of that name would make a save
        // write another section.
        if (!name.IsEqual(DSN, false))
        {
            m_settings[name] = m_installer.GetEntry(dsn, name);
        }
    }
}

void PeltaDSNConfiguration::ParseDSNAttribute(const orvik_wstring& in_attributes)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "ParseDSNAttribute");
    m_log->LogInfo(PELTA_NAME, LOG_CLASS, "ParseDSNAttribute", "%s", LoggedAttributes(in_attributes).c_str());
    const int32_t length = in_attributes.GetLength();
    const char16_t* text = in_attributes.GetBuffer();
    for (int32_t start = 0; start < length;)
    {
        int32_t end = start;
        while (end < length && !IsAttributeSeparator(text[end]))
        {
            ++end;
        }
        const orvik_wstring piece(text + start, end - start);
        const int32_t equals = piece.Find(orvik_wstring(u"="));
        if (equals >= 0 && piece.Substr(0, equals).IsEqual(DSN, false))
        {
            SetDSN(piece.Substr(equals + 1));
            return;
        }
        start = end + 1;
    }
}

void PeltaDSNConfiguration::LoadConnectionSettings(const VariantMap& in_settings)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "LoadConnectionSettings");
    m_settings.clear();
    for (const auto& setting : in_settings)
    {
        m_settings.emplace(setting.first, setting.second.GetWString());
    }
    m_mode = MODE_PROMPT;
}

void PeltaDSNConfiguration::RetrieveConnectionSettings(VariantMap& io_settings) const
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "RetrieveConnectionSettings");
    io_settings.clear();
    for (const auto& setting : m_settings)
    {
        io_settings.emplace(setting.first, Variant(setting.second));
    }
}

void PeltaDSNConfiguration::Save()
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Save");
    CheckChangedLoggingSettings();
    WriteDataSource();
    WriteLoggingSettings();
}

orvik_wstring PeltaDSNConfiguration::ReadRegistryValue(const char* in_name, const char* in_default)
{
    VariantMap values;
    Orvik::Support::RegistryReader(true).ReadValues(values, orvik_wstring(REGISTRY_ROOT), orvik_wstring(REGISTRY_KEY),
                                                    orvik_wstring(), false);
    const auto found = values.find(orvik_wstring(in_name));
    return found != values.end() ? found->second.GetWString() : orvik_wstring(in_default);
}

void PeltaDSNConfiguration::WriteRegistryValue(const char* in_name, const orvik_wstring& in_value)
{
    if (Orvik::OS::RegistryKey::SetTextValue(Orvik::OS::RegistryRoot::LocalMachine, REGISTRY_KEY, in_name,
                                             in_value.GetAsUTF8())
        != 0)
    {
        throw PeltaSetupException(SETUP_REGISTRY_WRITE_FAILED);
    }
}

const orvik_wstring& PeltaDSNConfiguration::GetDSN() const { return Get(DSN); }
const orvik_wstring& PeltaDSNConfiguration::GetDescription() const { return Get(DESCRIPTION); }
const orvik_wstring& PeltaDSNConfiguration::GetServers() const { return Get(SETTING_SERVERS); }
const orvik_wstring& PeltaDSNConfiguration::GetMaxColumnSize() const { return Get(SETTING_MAX_COLUMN_SIZE); }
const orvik_wstring& PeltaDSNConfiguration::GetTimeout() const { return Get(SETTING_TIMEOUT); }
const orvik_wstring& PeltaDSNConfiguration::GetReEntryTime() const { return Get(SETTING_RE_ENTRY_TIME); }
const orvik_wstring& PeltaDSNConfiguration::GetLogLevel() const { return Get(LOG_LEVEL); }
const orvik_wstring& PeltaDSNConfiguration::GetLogNamespace() const { return Get(LOG_NAMESPACE); }
const orvik_wstring& PeltaDSNConfiguration::GetLogPath() const { return Get(LOG_PATH); }
const orvik_wstring& PeltaDSNConfiguration::GetLogFileCount() const { return Get(LOG_FILE_COUNT); }
const orvik_wstring& PeltaDSNConfiguration::GetLogFileSize() const { return Get(LOG_FILE_SIZE); }

void PeltaDSNConfiguration::SetDSN(const orvik_wstring& in_value)
{
    if (m_mode == MODE_PROMPT && in_value.GetLength() == 0)
    {
        return;
    }
    if (!m_installer.ValidDSN(in_value))
    {
        throw PeltaSetupException(SETUP_REQUEST_FAILED);
    }
    Set(DSN, in_value);
}

void PeltaDSNConfiguration::SetDescription(const orvik_wstring& in_value) { Set(DESCRIPTION, in_value); }
void PeltaDSNConfiguration::SetServers(const orvik_wstring& in_value) { Set(SETTING_SERVERS, in_value); }
void PeltaDSNConfiguration::SetMaxColumnSize(const orvik_wstring& in_value) { Set(SETTING_MAX_COLUMN_SIZE, in_value); }
void PeltaDSNConfiguration::SetTimeout(const orvik_wstring& in_value) { Set(SETTING_TIMEOUT, in_value); }
void PeltaDSNConfiguration::SetReEntryTime(const orvik_wstring& in_value) { Set(SETTING_RE_ENTRY_TIME, in_value); }
void PeltaDSNConfiguration::SetLogLevel(const orvik_wstring& in_value) { Set(LOG_LEVEL, in_value); }
void PeltaDSNConfiguration::SetLogPath(const orvik_wstring& in_value) { Set(LOG_PATH, in_value); }

void PeltaDSNConfiguration::SetLogFileCount(const orvik_wstring& in_value)
{
    CheckLogFileCount(in_value);
    Set(LOG_FILE_COUNT, in_value);
}

void PeltaDSNConfiguration::SetLogFileSize(const orvik_wstring& in_value)
{
    CheckLogFileSize(in_value);
    Set(LOG_FILE_SIZE, in_value);
}

void PeltaDSNConfiguration::CheckLogFileCount(const orvik_wstring& in_value)
{
    try
    {
        if (in_value.GetLength() != 0)
        {
            NumberConverter::ConvertWStringToUInt32(in_value, true);
        }
    }
    catch (const ErrorException&)
    {
        throw PeltaSetupException(SETUP_INVALID_LOG_FILE_COUNT);
    }
}

void PeltaDSNConfiguration::CheckLogFileSize(const orvik_wstring& in_value)
{
    bool valid = true;
    try
    {
        valid = in_value.GetLength() == 0 || NumberConverter::ConvertWStringToUInt16(in_value, true) <= LARGEST_LOG_FILE_SIZE;
    }
    catch (const ErrorException&)
    {
        valid = false;
    }
    if (!valid)
    {
        throw PeltaSetupException(SETUP_INVALID_LOG_FILE_SIZE);
    }
}

const orvik_wstring& PeltaDSNConfiguration::Get(const char16_t* in_name) const
{
    static const orvik_wstring EMPTY(u"");
    const auto found = m_settings.find(orvik_wstring(in_name));
    return found != m_settings.end() ? found->second : EMPTY;
}

void PeltaDSNConfiguration::Set(const char16_t* in_name, const orvik_wstring& in_value)
{
    m_settings[orvik_wstring(in_name)] = in_value;
}

bool PeltaDSNConfiguration::IsLoggingSettingChanged(const char16_t* in_name) const
{
    const orvik_wstring name(in_name);
    const auto held = m_settings.find(name);
    if (held == m_settings.end())
    {
        return false;
    }
    const auto loaded = m_loadedLogging.find(name);
    return loaded == m_loadedLogging.end() || loaded->second != held->second;
}

void PeltaDSNConfiguration::CheckChangedLoggingSettings() const
{
    if (IsLoggingSettingChanged(LOG_FILE_COUNT))
    {
        CheckLogFileCount(GetLogFileCount());
    }
    if (IsLoggingSettingChanged(LOG_FILE_SIZE))
    {
        CheckLogFileSize(GetLogFileSize());
    }
}

void PeltaDSNConfiguration::WriteDataSource()
{
    const orvik_wstring& dsn = GetDSN();
    if (!m_installer.WriteDSNToIni(dsn, m_driverName))
    {
        throw PeltaSetupException(SETUP_REQUEST_FAILED);
    }
    for (const auto& setting : m_settings)
    {
        if (IsProfileEntry(setting.first) && !m_installer.WriteEntry(dsn, setting.first, setting.second))
        {
            throw PeltaSetupException(SETUP_REQUEST_FAILED);
        }
    }
}

void PeltaDSNConfiguration::WriteLoggingSettings()
{
    for (const char16_t* name : LOGGING_SETTINGS)
    {
        if (IsLoggingSettingChanged(name))
        {
            const orvik_wstring& value = Get(name);
            WriteRegistryValue(Utf8Name(name).c_str(), name == LOG_FILE_SIZE ? BytesOf(value) : value);
        }
    }
}

} // namespace Pelta
