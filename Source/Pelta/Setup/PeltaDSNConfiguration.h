#pragma once

#include "Support/VariantMap.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <map>

namespace Orvik {
namespace DSI {
class DSILog;
}
} // namespace Orvik

namespace Pelta {

class IOdbcInstaller;

/// The settings of one data source while it is set up, or of a connection that prompts for
/// missing settings: names (matched without regard to case, keeping the case they were first
/// stored in) to text values. Filled from the defaults, the ODBC profile and the driver-wide
/// logging settings of the machine's registry, or from a connection's settings; saved to the
/// profile and the registry.
///
/// Saving writes a logging setting to the registry only when it differs from what was loaded,
/// so a value the driver reads in a form setup does not show ("512K", "LOG_DEBUG") is kept, and
/// checks every value before it writes anything.
class PeltaDSNConfiguration
{
public:
    /// What the settings are for.
    enum Mode : int32_t
    {
        MODE_NEW = 0,     ///< a data source being added
        MODE_EXISTING = 1, ///< a data source read from the profile
        MODE_PROMPT = 2   ///< the settings of a prompting connection
    };

    /// Empty settings in MODE_NEW. in_driverName is the driver's name in the installer (empty
    /// for a prompt); in_log (not owned) receives the log lines; in_installer (not owned) reaches
    /// the profile.
    PeltaDSNConfiguration(const Orvik::Support::orvik_wstring& in_driverName,
                          Orvik::DSI::DSILog* in_log,
                          IOdbcInstaller& in_installer);

    /// "Driver" (the driver name), "MaxColumnSize" ("4000"), then the logging settings.
    void LoadDefaults();

    /// The five logging settings from the registry: the level as its number, the file size in
    /// megabytes as the driver reads it (a size under 1 MB shows as 1), the others as they are.
    /// Throws ProductException "RegKeyNotFound" when the registry key cannot be read.
    void LoadLoggingProperties();

    /// MODE_EXISTING: the defaults, the name from in_attributes, then every entry of the data
    /// source's profile section. Throws PeltaSetupException SETUP_INVALID_KEYWORD_VALUE when the
    /// installer refuses the name (an empty one too).
    void Load(const Orvik::Support::orvik_wstring& in_attributes);

    /// Sets "DSN" from the first attribute named DSN (in any case) of in_attributes: attributes
    /// separated by U+0000 or "\", each "name=value". Other attributes are ignored.
    void ParseDSNAttribute(const Orvik::Support::orvik_wstring& in_attributes);

    /// MODE_PROMPT: the settings become exactly in_settings' texts; no defaults.
    void LoadConnectionSettings(const Orvik::Support::VariantMap& in_settings);

    /// io_settings become exactly these settings, as wide text.
    void RetrieveConnectionSettings(Orvik::Support::VariantMap& io_settings) const;

    /// Writes the data source (its section renewed with every setting but "DSN" and the logging
    /// ones) and the changed logging settings (the file size in bytes). Throws
    /// PeltaSetupException: SETUP_INVALID_LOG_FILE_SIZE or SETUP_INVALID_LOG_FILE_COUNT before
    /// anything is written; SETUP_REQUEST_FAILED when the installer fails to write the data
    /// source (entries written before stay); SETUP_REGISTRY_WRITE_FAILED when a registry write
    /// fails (the profile and earlier registry values stay).
    void Save();

    Mode GetMode() const { return m_mode; }

    Orvik::DSI::DSILog* GetLog() const { return m_log; }

    /// One value of the registry key SOFTWARE\Pelta\Driver of the machine, as text; in_default
    /// when the key or the value is missing.
    static Orvik::Support::orvik_wstring ReadRegistryValue(const char* in_name, const char* in_default);

    /// Writes one text value into that key; throws PeltaSetupException
    /// SETUP_REGISTRY_WRITE_FAILED when it cannot.
    static void WriteRegistryValue(const char* in_name, const Orvik::Support::orvik_wstring& in_value);

    // Getters return the value held, or an empty string without inserting anything. Setters
    // store a copy; only SetDSN, SetLogFileCount and SetLogFileSize check first.

    const Orvik::Support::orvik_wstring& GetDSN() const;
    const Orvik::Support::orvik_wstring& GetDescription() const;
    const Orvik::Support::orvik_wstring& GetServers() const;
    const Orvik::Support::orvik_wstring& GetMaxColumnSize() const;
    const Orvik::Support::orvik_wstring& GetTimeout() const;
    const Orvik::Support::orvik_wstring& GetReEntryTime() const;
    const Orvik::Support::orvik_wstring& GetLogLevel() const;
    const Orvik::Support::orvik_wstring& GetLogNamespace() const;
    const Orvik::Support::orvik_wstring& GetLogPath() const;
    const Orvik::Support::orvik_wstring& GetLogFileCount() const;
    const Orvik::Support::orvik_wstring& GetLogFileSize() const;

    /// In MODE_PROMPT an empty name changes nothing. Otherwise throws PeltaSetupException
    /// SETUP_REQUEST_FAILED, storing nothing, when the installer refuses the name.
    void SetDSN(const Orvik::Support::orvik_wstring& in_value);
    void SetDescription(const Orvik::Support::orvik_wstring& in_value);
    void SetServers(const Orvik::Support::orvik_wstring& in_value);
    void SetMaxColumnSize(const Orvik::Support::orvik_wstring& in_value);
    void SetTimeout(const Orvik::Support::orvik_wstring& in_value);
    void SetReEntryTime(const Orvik::Support::orvik_wstring& in_value);
    void SetLogLevel(const Orvik::Support::orvik_wstring& in_value);
    void SetLogPath(const Orvik::Support::orvik_wstring& in_value);

    /// Checks in_value with CheckLogFileCount, then stores it.
    void SetLogFileCount(const Orvik::Support::orvik_wstring& in_value);

    /// Checks in_value with CheckLogFileSize, then stores it.
    void SetLogFileSize(const Orvik::Support::orvik_wstring& in_value);

    /// Accepts empty, or an unsigned 32-bit decimal number (an optional "+", digits only); else
    /// throws PeltaSetupException SETUP_INVALID_LOG_FILE_COUNT.
    static void CheckLogFileCount(const Orvik::Support::orvik_wstring& in_value);

    /// Accepts empty, or a decimal number of megabytes from 0 to 4096 (an optional "+", digits
    /// only); else throws PeltaSetupException SETUP_INVALID_LOG_FILE_SIZE.
    static void CheckLogFileSize(const Orvik::Support::orvik_wstring& in_value);

private:
    using Settings = std::map<Orvik::Support::orvik_wstring, Orvik::Support::orvik_wstring, Orvik::Support::CaseInsensitiveLess>;

    const Orvik::Support::orvik_wstring& Get(const char16_t* in_name) const;
    void Set(const char16_t* in_name, const Orvik::Support::orvik_wstring& in_value);

    /// Whether logging setting in_name is held and differs from what LoadLoggingProperties read.
    bool IsLoggingSettingChanged(const char16_t* in_name) const;

    void CheckChangedLoggingSettings() const;
    void WriteDataSource();
    void WriteLoggingSettings();

    Settings m_settings;
    Orvik::Support::orvik_wstring m_driverName;
    Orvik::DSI::DSILog* m_log;
    Mode m_mode = MODE_NEW;
    IOdbcInstaller& m_installer;
    /// The logging settings as LoadLoggingProperties stored them.
    Settings m_loadedLogging;
};

} // namespace Pelta
