#pragma once

// Test helper: a private ODBC profile. The data sources go into a user profile file in a
// temporary directory, which ODBCINI names while the helper lives; ODBCSYSINI names the same
// directory, which holds an empty driver list.
//
// The installer library remembers the answer to each query (section and key) and its system
// profile directory for the life of the process, so tests give every data source a name of its
// own and keep their data sources in the user profile.

#include "Common/TemporaryDirectory.h"

#include <atomic>
#include <string>

namespace Orvik {
namespace Testing {

class PrivateOdbcProfile
{
public:
    /// The profile with in_dataSources as the text of its data-source file.
    explicit PrivateOdbcProfile(const std::string& in_dataSources = std::string())
    {
        WriteTextFile(m_directory / "odbcinst.ini", "");
        WriteTextFile(m_userFile, in_dataSources);
    }

    /// A section name that no other test of this process uses.
    static std::string UniqueName(const std::string& in_prefix)
    {
        static std::atomic<int> counter{0};
        return in_prefix + "_" + std::to_string(++counter);
    }

private:
    TemporaryDirectory m_directory;
    std::string m_userFile = m_directory / "odbc.ini";
    ScopedEnvironment m_user{"ODBCINI", m_userFile};
    ScopedEnvironment m_system{"ODBCSYSINI", m_directory.Path()};
};

} // namespace Testing
} // namespace Orvik
