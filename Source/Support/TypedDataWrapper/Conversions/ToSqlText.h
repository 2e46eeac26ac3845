#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class SqlData;
class WarningListener;

/// How the to-SQL conversions write the ASCII text of a value into a character target: one code
/// unit of the target's encoding per character (a single byte in the encodings that keep ASCII
/// in single bytes), and, with in_terminate (a value from an application buffer), one zero code
/// unit after the text, which the target's length counts and its converted length does not.
class ToSqlText
{
public:
    ToSqlText() = delete;

    /// Stores the whole text and returns true. A holder that cannot take it is left unwritten,
    /// NumericValOutOfRange 2 is posted and the answer is false.
    static bool StoreWhole(const char* in_text,
                           int64_t in_length,
                           bool in_terminate,
                           SqlData& io_target,
                           WarningListener& io_listener);

    /// Sizes the target for in_length characters (and the terminator) and returns the room it then
    /// has for text, in characters: in_length, or less for a holder that could not grow so far.
    /// Nothing is written yet: the converted length is 0 until StoreFitted.
    static int64_t Reserve(int64_t in_length, bool in_terminate, SqlData& io_target);

    /// Stores the first in_count characters of the text (and the terminator), which must fit
    /// the room Reserve gave; the converted length is theirs, the bytes of text written.
    static void StoreFitted(const char* in_text, int64_t in_count, bool in_terminate, SqlData& io_target);
};

} // namespace Support
} // namespace Orvik
