#pragma once

// Test helper: the ODBC profile of one test process. unixODBC reads its files through
// ODBCSYSINI and ODBCINI and keeps what it read for the life of the process, so the profile is
// made once, before the first ODBC call, and its data sources never change afterwards. The
// driver's section is the installed entry template with the built library's path; the driver's
// own settings files are private too, so that the machine's settings never reach a test.

#include "Common/TemporaryDirectory.h"

#include <map>
#include <string>

namespace Pelta {
namespace Test {

class OdbcProfile
{
public:
    /// Writes odbcinst.ini from in_entryTemplate with in_library in place of @PELTA_LIBRARY@,
    /// and odbc.ini with in_dataSources (name -> "Key=Value" lines), then points unixODBC and
    /// the driver's settings at them.
    OdbcProfile(const std::string& in_entryTemplate,
                const std::string& in_library,
                const std::map<std::string, std::string>& in_dataSources)
    {
        std::string entry = Orvik::Testing::ReadTextFile(in_entryTemplate);
        const std::string placeholder = "@PELTA_LIBRARY@";
        for (size_t at = entry.find(placeholder); at != std::string::npos; at = entry.find(placeholder))
        {
            entry.replace(at, placeholder.size(), in_library);
        }
        Orvik::Testing::WriteTextFile(m_directory / "odbcinst.ini", entry);
        std::string sources = "[ODBC Data Sources]\n";
        for (const auto& source : in_dataSources)
        {
            sources += source.first + " = Pelta\n";
        }
        for (const auto& source : in_dataSources)
        {
            sources += "\n[" + source.first + "]\nDriver = Pelta\n" + source.second + "\n";
        }
        Orvik::Testing::WriteTextFile(m_directory / "odbc.ini", sources);
        Orvik::Testing::WriteTextFile(m_directory / "user.reg", "[SOFTWARE\\Pelta\\Driver]\n");
        setenv("ODBCSYSINI", m_directory.Path().c_str(), 1);
        setenv("ODBCINI", (m_directory / "odbc.ini").c_str(), 1);
        setenv("PELTA_REGISTRY_HKCU", (m_directory / "user.reg").c_str(), 1);
        setenv("PELTA_REGISTRY_HKLM", (m_directory / "machine.reg").c_str(), 1);
    }

    OdbcProfile(const OdbcProfile&) = delete;
    OdbcProfile& operator=(const OdbcProfile&) = delete;

    const std::string& Directory() const { return m_directory.Path(); }

private:
    Orvik::Testing::TemporaryDirectory m_directory;
};

} // namespace Test
} // namespace Pelta
