#pragma once

#include <cstddef>

namespace Orvik {
namespace Support {

/// Where UTF-8 that goes on past a room of in_room bytes at in_bytes can be cut: in_room, or the
/// start of the character that the room's end cuts, whose lead byte is among the room's last three
/// bytes and announces more bytes than the room holds of it. Nothing is validated: bytes that
/// begin no UTF-8 character (a continuation byte without its lead, C0, C1, F5 to FF) count as
/// whole, so text that is not UTF-8 is never held back more than a character's worth.
size_t EndOfWholeUtf8Characters(const char* in_bytes, size_t in_room);

} // namespace Support
} // namespace Orvik
