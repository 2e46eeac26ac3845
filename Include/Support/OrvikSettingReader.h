#pragma once

#include "Support/EncodingType.h"
#include "Support/orvik_wstring.h"

#include <map>
#include <string>

namespace Orvik {
namespace Support {

/// The driver-wide settings: the values of the registry key SOFTWARE\<vendor>\<component>,
/// read from the current user's registry or, when that key cannot be opened, the machine's.
/// All values are loaded at the first lookup that finds any and kept for the life of the
/// process; while the key is missing or empty every lookup reads the registry again. Names are
/// compared without regard to case; an absent setting reads as empty text.
///
/// One reader exists per process, between Initialize and Shutdown. Lookups may come from
/// several threads at once.
class OrvikSettingReader
{
public:
    /// Creates the reader when none exists; later calls do nothing.
    static void Initialize(const orvik_wstring& in_vendor, const orvik_wstring& in_component);

    /// Replaces the vendor part of the key. Only a call before the first lookup has an effect
    /// on what is read.
    static void SetBrandingName(const orvik_wstring& in_vendor);

    /// Destroys the reader; a later Initialize creates a new one that reads the registry again.
    static void Shutdown();

    /// The setting's text (UTF-8); empty when absent or when no reader exists. Throws
    /// ProductException "RegKeyNotFound" when the key opens but cannot be read.
    static std::string GetSetting(const std::string& in_name);

    /// ORVIK_APP_ANSI_ENCODING when that variable exists (even empty), else "ANSIENCODING":
    /// ENC_NONE when empty (the caller takes the platform's default), "UTF-16" and "UTF-32" (as
    /// written) their little-endian forms, other names through the encoding registry. Throws
    /// StartupInitException for a name the registry does not know.
    static EncodingType GetAppCharEncoding();

    /// "DRIVERMANAGERENCODING": "UTF-8", "UTF-16" or "UTF-32" exactly, UTF-16LE when empty;
    /// throws StartupInitException for anything else.
    static EncodingType GetDriverManagerEncoding();

    /// "DriverLocale", "en-US" when empty or unreadable.
    static std::string GetDriverLocale();

    /// The message directory, ending in "/": "ERRORMESSAGESPATH", taken relative to
    /// in_defaultDirectory when relative; in_defaultDirectory itself when the setting is empty.
    static std::string GetErrorMessagesPath(const std::string& in_defaultDirectory);

    /// "LogPath" followed by "/"; "./" when empty.
    static std::string GetLogPath();

    /// True only when "TRACETOSTDERR" is exactly "1".
    static bool IsTraceToStdErr();

    // The texts of these settings, parsed by their users.
    static std::string GetLogLevel();
    static std::string GetLogNamespace();
    static std::string GetLogFileSize();
    static std::string GetLogFileCount();
    static std::string GetMemoryManagerStrategy();
    static std::string GetMemoryManagerMemoryLimit();
    static std::string GetMemoryManagerThresholdPercent();

    /// True for an empty path, a path starting with "." and any path not starting with "/".
    static bool IsRelativePath(const std::string& in_path);

    /// The setting's text, loading the registry values first when they are not loaded yet.
    std::string ReadSetting(const std::string& in_name);

private:
    /// Orders ASCII letters without regard to case and every other byte as it is, so that no
    /// locale can change which names are equal.
    struct NameLess
    {
        bool operator()(const std::string& in_left, const std::string& in_right) const;
    };

    OrvikSettingReader(const orvik_wstring& in_vendor, const orvik_wstring& in_component);

    /// Reads the key's values into the settings; true when there were any.
    bool Load();

    // Guarded, like the reader's creation and destruction, by one process-wide lock.
    std::map<std::string, std::string, NameLess> m_settings;
    orvik_wstring m_vendor;
    orvik_wstring m_component;
    bool m_loaded = false;
};

} // namespace Support
} // namespace Orvik
