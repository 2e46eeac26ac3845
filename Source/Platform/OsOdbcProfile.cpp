#include "Platform/OsOdbcProfile.h"

#include <odbcinst.h>

#include <cstring>

namespace Orvik {
namespace OS {

namespace {

constexpr int FIRST_BUFFER_SIZE = 4096;
constexpr int LAST_BUFFER_SIZE = 16384;

// The installer library keeps lines of up to 1,000 bytes, so no key name is longer. A key list
// that does not fit loses its last keys whole, which can leave up to that much room unused.
constexpr int LONGEST_KEY_NAME = 1000;

/// One call of the installer library: the number of bytes it wrote into io_buffer, never
/// negative and never more than the buffer holds before its terminator.
int ReadProfileString(const std::string& in_section,
                      const char* in_key,
                      const char* in_fileName,
                      std::vector<char>& io_buffer)
{
    const int size = static_cast<int>(io_buffer.size());
    const int count =
        SQLGetPrivateProfileString(in_section.c_str(), in_key, "", io_buffer.data(), size, in_fileName);
    if (count <= 0)
    {
        return 0;
    }
    return count < size ? count : size - 1;
}

/// Reads into io_buffer, doubling it up to the last size while in_mayBeCut says the text may not
/// have fitted; the size reached is kept for the caller's next read.
template <typename MayBeCut>
int ReadGrowing(const std::string& in_section,
                const char* in_key,
                const char* in_fileName,
                std::vector<char>& io_buffer,
                MayBeCut in_mayBeCut)
{
    int count = ReadProfileString(in_section, in_key, in_fileName, io_buffer);
    while (in_mayBeCut(count, static_cast<int>(io_buffer.size()))
           && static_cast<int>(io_buffer.size()) < LAST_BUFFER_SIZE)
    {
        io_buffer.resize(io_buffer.size() * 2);
        count = ReadProfileString(in_section, in_key, in_fileName, io_buffer);
    }
    return count;
}

/// The NUL-terminated names in the first in_count bytes of in_list, up to the first empty one.
std::vector<std::string> SplitKeyList(const std::vector<char>& in_list, int in_count)
{
    std::vector<std::string> keys;
    const char* position = in_list.data();
    const char* const end = position + in_count;
    while (position < end && *position != '\0')
    {
        const size_t length = strnlen(position, static_cast<size_t>(end - position));
        keys.emplace_back(position, length);
        position += length + 1;
    }
    return keys;
}

} // namespace

std::vector<OdbcProfileEntry> ReadOdbcProfileSection(const std::string& in_section, const char* in_fileName)
{
    std::vector<char> list(FIRST_BUFFER_SIZE);
    const int listCount = ReadGrowing(in_section, nullptr, in_fileName, list, [](int in_count, int in_size) {
        return in_count + 1 + LONGEST_KEY_NAME >= in_size;
    });

    std::vector<OdbcProfileEntry> entries;
    std::vector<char> value(FIRST_BUFFER_SIZE);
    for (std::string& key : SplitKeyList(list, listCount))
    {
        const int valueCount = ReadGrowing(in_section, key.c_str(), in_fileName, value, [](int in_count, int in_size) {
            return in_count >= in_size - 1;
        });
        entries.push_back({std::move(key), std::string(value.data(), strnlen(value.data(), valueCount))});
    }
    return entries;
}

} // namespace OS
} // namespace Orvik
