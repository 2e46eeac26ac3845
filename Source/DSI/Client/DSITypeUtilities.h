#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {
class SqlData;
class orvik_wstring;
} // namespace Support

namespace DSI {

/// Writes text values into character value holders for the result sets and catalog sources.
class DSITypeUtilities
{
public:
    /// Writes in_text into io_target in the encoding of the target's metadata, delivering long
    /// values in pieces: the bytes of the encoded text from the byte offset in_offset on, at most
    /// in_maxLength of them (-1: no limit). Pieces end on whole characters, except that UTF-16 is
    /// cut on whole code units and a limit too small for the next character gets the first bytes
    /// of it, so that every call with a positive limit makes progress. An offset at or past the
    /// end gives an empty value. The null string makes the target NULL. Returns true when encoded
    /// bytes remain after the piece. A negative offset or a limit below -1 throws
    /// InvalidArgumentException; conversion errors propagate and leave the target's length as it
    /// was.
    static bool OutputStringData(const Support::orvik_wstring& in_text,
                                 Support::SqlData& io_target,
                                 int64_t in_offset,
                                 int64_t in_maxLength);

    /// The same operation under the name that wide-character columns use.
    static bool OutputWVarCharStringData(const Support::orvik_wstring& in_text,
                                         Support::SqlData& io_target,
                                         int64_t in_offset,
                                         int64_t in_maxLength);
};

} // namespace DSI
} // namespace Orvik
