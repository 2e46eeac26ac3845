#include "Support/Utf8Boundary.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

/// The bytes of the character that in_lead begins, or 0 when it begins none.
size_t CharacterLength(unsigned char in_lead)
{
    if (in_lead >= 0xC2 && in_lead <= 0xDF)
    {
        return 2;
    }
    if (in_lead >= 0xE0 && in_lead <= 0xEF)
    {
        return 3;
    }
    return in_lead >= 0xF0 && in_lead <= 0xF4 ? 4 : 0;
}

bool IsContinuation(unsigned char in_byte)
{
    return (in_byte & 0xC0) == 0x80;
}

} // namespace

size_t EndOfWholeUtf8Characters(const char* in_bytes, size_t in_room)
{
    // A character has at most three bytes after its lead, so only the last three can belong to
    // one that the room cuts.
    for (size_t back = 1; back <= std::min<size_t>(3, in_room); ++back)
    {
        const auto byte = static_cast<unsigned char>(in_bytes[in_room - back]);
        if (!IsContinuation(byte))
        {
            return CharacterLength(byte) > back ? in_room - back : in_room;
        }
    }
    return in_room;
}

} // namespace Support
} // namespace Orvik
