#pragma once

// Test helper: the driver-wide settings from a private registry file, with a fresh settings
// reader for each set of values, as the module creates it.

#include "Support/OrvikSettingReader.h"

#include "Common/TemporaryDirectory.h"

#include <string>

namespace Orvik {
namespace Testing {

class DriverSettings
{
public:
    DriverSettings() { Use(""); }
    ~DriverSettings() { Support::OrvikSettingReader::Shutdown(); }

    DriverSettings(const DriverSettings&) = delete;
    DriverSettings& operator=(const DriverSettings&) = delete;

    /// Makes in_values (registry lines such as "\"LogLevel\"=\"6\"\n") the driver's settings.
    void Use(const std::string& in_values)
    {
        WriteTextFile(m_user, "[SOFTWARE\\Pelta\\Driver]\n" + in_values);
        Support::OrvikSettingReader::Shutdown();
        Support::OrvikSettingReader::Initialize(u"Orvik", u"Driver");
        Support::OrvikSettingReader::SetBrandingName(u"Pelta");
    }

    /// A registry line setting in_name to the text in_value.
    static std::string Value(const std::string& in_name, const std::string& in_value)
    {
        return "\"" + in_name + "\"=\"" + in_value + "\"\n";
    }

    /// A private directory for files the test makes; removed with the helper.
    const TemporaryDirectory& Directory() const { return m_directory; }

private:
    TemporaryDirectory m_directory;
    std::string m_user = m_directory / "user.reg";
    ScopedEnvironment m_userVariable{ "PELTA_REGISTRY_HKCU", m_user };
    ScopedEnvironment m_machineVariable{ "PELTA_REGISTRY_HKLM", m_directory / "machine.reg" };
};

} // namespace Testing
} // namespace Orvik
