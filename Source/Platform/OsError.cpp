#include "Platform/OsError.h"

#include <cstring>

namespace Orvik {
namespace OS {

std::string GetErrorText(int in_error)
{
    char buffer[256];
    // The GNU strerror_r returns its text, which may or may not be in the buffer.
    const char* text = strerror_r(in_error, buffer, sizeof(buffer));
    if (text == nullptr || *text == '\0')
    {
        return "<unknown>";
    }
    return text;
}

} // namespace OS
} // namespace Orvik
