#pragma once

#include <cstddef>

namespace Pelta {

struct PeltaReplyCell;

/// Reads the text of a JSON number exactly, as the reply reader needs it for every number
/// cell: INTEGER for an integer in the signed 64-bit range, UNSIGNED for one above it up to
/// 2^64 - 1, else DOUBLE, the nearest double (zero or a subnormal for one below their range).
class PeltaNumberReader
{
public:
    PeltaNumberReader() = delete;

    enum Outcome
    {
        READ,         ///< the number was read
        NOT_PLAIN,    ///< no number by the JSON grammar, or one of unusual size: nothing read
        OUT_OF_RANGE  ///< a number beyond the range of a double
    };

    /// Reads, in one pass, the JSON number at the start of in_text (which goes on to a NUL at
    /// the latest) into out_cell and its length into out_length, when it is plain: by the JSON
    /// grammar, with an integer part of fewer than MAX_PLAIN_INTEGER_DIGITS digits and an
    /// exponent of at most MAX_PLAIN_EXPONENT_DIGITS. Far from those sizes RapidJSON refuses
    /// no number while it reads (it does from about 309 digits and from exponents past 308).
    static Outcome ReadPlain(const char* in_text, size_t& out_length, PeltaReplyCell& out_cell);

    /// Reads in_text, in_length characters that are a JSON number, into out_cell. Returns false
    /// for a number beyond the range of a double.
    static bool Read(const char* in_text, size_t in_length, PeltaReplyCell& out_cell);

    static constexpr ptrdiff_t MAX_PLAIN_INTEGER_DIGITS = 300;
    static constexpr ptrdiff_t MAX_PLAIN_EXPONENT_DIGITS = 2;
};

} // namespace Pelta
