#pragma once

#include <string>
#include <vector>

namespace Orvik {
namespace OS {

/// One entry of a section of the ODBC profile: its key and its value, as UTF-8 bytes.
struct OdbcProfileEntry
{
    std::string m_key;
    std::string m_value;
};

/// The entries of section in_section of the ODBC profile file in_fileName ("odbc.ini" names the
/// user's and the system's data sources together), in the order the installer library lists the
/// keys; none for a section that is not there. Read through unixODBC's installer library with its
/// 8-bit calls, whose wide form cuts values when the default is empty. The key list and each
/// value are read into buffers of 4,096 bytes that double up to 16,384 while the text may have
/// been cut; what does not fit then is left out, and nothing is read past the count the library
/// returns or the end of the buffer.
std::vector<OdbcProfileEntry> ReadOdbcProfileSection(const std::string& in_section, const char* in_fileName);

} // namespace OS
} // namespace Orvik
