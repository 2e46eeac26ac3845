#include "Pelta/Setup/OdbcInstaller.h"

#include "Support/EncodingType.h"

#include <odbcinst.h>

#include <algorithm>
#include <climits>
#include <cstring>

using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr char READ_FILE[] = "odbc.ini";
constexpr char WRITE_FILE[] = "ODBC.INI";
constexpr int FIRST_BUFFER_SIZE = 4096;
constexpr int LARGEST_BUFFER_SIZE = 32768;
// unixODBC keeps an entry's name and value to 1000 bytes, and cuts a list of names after the
// last whole name that fits: a list may have been cut while the room left could not hold one
// more name and its NUL.
constexpr int LONGEST_PROFILE_TEXT = 1000;

orvik_wstring FromUtf8(const char* in_text, size_t in_length)
{
    return orvik_wstring(in_text, static_cast<int32_t>(std::min<size_t>(in_length, INT_MAX)), Orvik::Support::ENC_UTF8);
}

} // namespace

std::string OdbcInstaller::ReadProfile(const std::string& in_section, const char* in_entry)
{
    std::string buffer;
    int count = 0;
    for (int size = FIRST_BUFFER_SIZE;; size *= 2)
    {
        buffer.assign(static_cast<size_t>(size), '\0');
        count = SQLGetPrivateProfileString(in_section.c_str(), in_entry, "", &buffer[0], size, READ_FILE);
        if (size - 1 - count > LONGEST_PROFILE_TEXT + 1 || size >= LARGEST_BUFFER_SIZE)
        {
            break;
        }
    }
    // The count is what the installer says it copied; never trust it past the buffer.
    buffer.resize(static_cast<size_t>(std::clamp(count, 0, static_cast<int>(buffer.size()))));
    return buffer;
}

std::vector<orvik_wstring> OdbcInstaller::GetEntryNames(const orvik_wstring& in_dsn)
{
    const std::string list = ReadProfile(in_dsn.GetAsUTF8(), nullptr);
    std::vector<orvik_wstring> names;
    // The names end at the first empty one, and the list at the count the installer gave.
    for (size_t start = 0; start < list.size() && list[start] != '\0';)
    {
        const size_t end = std::min(list.find('\0', start), list.size());
        names.push_back(FromUtf8(list.data() + start, end - start));
        start = end + 1;
    }
    return names;
}

orvik_wstring OdbcInstaller::GetEntry(const orvik_wstring& in_dsn, const orvik_wstring& in_name)
{
    const std::string name = in_name.GetAsUTF8();
    const std::string value = ReadProfile(in_dsn.GetAsUTF8(), name.c_str());
    return FromUtf8(value.data(), strnlen(value.data(), value.size()));
}

bool OdbcInstaller::WriteEntry(const orvik_wstring& in_dsn, const orvik_wstring& in_name, const orvik_wstring& in_value)
{
    return SQLWritePrivateProfileString(in_dsn.GetAsUTF8().c_str(), in_name.GetAsUTF8().c_str(),
                                        in_value.GetAsUTF8().c_str(), WRITE_FILE) != 0;
}

bool OdbcInstaller::WriteDSNToIni(const orvik_wstring& in_dsn, const orvik_wstring& in_driver)
{
    return SQLWriteDSNToIni(in_dsn.GetAsUTF8().c_str(), in_driver.GetAsUTF8().c_str()) != 0;
}

bool OdbcInstaller::RemoveDSNFromIni(const orvik_wstring& in_dsn)
{
    return SQLRemoveDSNFromIni(in_dsn.GetAsUTF8().c_str()) != 0;
}

bool OdbcInstaller::ValidDSN(const orvik_wstring& in_dsn)
{
    return SQLValidDSN(in_dsn.GetAsUTF8().c_str()) != 0;
}

void OdbcInstaller::PostInstallerError(int32_t in_code, const orvik_wstring& in_message)
{
    SQLPostInstallerError(static_cast<DWORD>(in_code), in_message.GetAsUTF8().c_str());
}

OdbcInstaller& OdbcInstaller::GetInstance()
{
    static OdbcInstaller s_instance;
    return s_instance;
}

} // namespace Pelta
