#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class NarrowCharBuffer;
class SqlData;
class TDWNumeric;
class WarningListener;

/// Conversion steps that the SQL-to-C kernels and the to-SQL converters share.
class ConversionHelpers
{
public:
    ConversionHelpers() = delete;

    /// Stores in_value truncated toward zero at out_target (which need not be aligned; null: not
    /// written). A truncated value beyond the signed 32-bit range posts NumericValOutOfRange (0
    /// above, 1 below) and stores nothing; a NaN posts it with no direction (2). A value that
    /// lost a fraction posts FractionalTrunc (1 for zero or more, 0 when negative).
    static void ConvertFloatToSLong(float in_value, void* out_target, WarningListener& io_listener);

    /// The same for a double.
    static void ConvertDoubleToSLong(double in_value, void* out_target, WarningListener& io_listener);

    /// Narrows in_byteLength bytes of text in in_encoding to one byte per whole code unit (the
    /// unit's ASCII byte; a partial last unit is dropped) into out_text, which the text parsers
    /// read. Single-byte encodings and UTF-8 pass byte for byte. False, with out_text empty, when
    /// a wider unit holds a character above U+00FF: such text cannot be a literal.
    static bool ReencodeSourceText(const void* in_source,
                                   uint32_t in_byteLength,
                                   EncodingType in_encoding,
                                   NarrowCharBuffer& out_text);

    /// Writes in_count ASCII characters, each as one code unit of io_target's encoding, and a
    /// zero code unit after them with in_terminate. The converted length becomes the text's bytes
    /// without the terminator, the length all the bytes written. True, with nothing written, when
    /// the holder could not grow to take them.
    static bool StoreAsciiText(const char* in_text, uint32_t in_count, SqlData& io_target, bool in_terminate);

    /// The value of the application's numeric structure at in_structure (any alignment): its
    /// sixteen magnitude bytes, negative when its sign byte is 0 (any other sign is positive),
    /// with in_scale decimal places (a negative scale multiplies by powers of ten). The
    /// structure's precision and scale bytes are not read. False, with out_value untouched, when
    /// the scale lies beyond the exponents an exact number keeps (8191 either way).
    static bool NumericStructToExactNumeric(const void* in_structure, int32_t in_scale, TDWNumeric& out_value);

    /// The same at the scale the structure's own scale byte gives.
    static bool NumericStructToExactNumeric(const void* in_structure, TDWNumeric& out_value);

    /// Stores an exact number as a bit at out_bit (null: not written): 0 and 1 as they are, a
    /// value between 0 and 2 cut to 0 or 1 with FractionalTrunc whose info is the bit kept.
    /// Below 0 posts NumericValOutOfRange 1, from 2 on 0, and nothing is stored.
    static void NumericToBit(const TDWNumeric& in_value, uint8_t* out_bit, WarningListener& io_listener);

    /// The fraction of a second that an exact number carries, at in_precision digits (clamped to
    /// 0 to 9): 1.5 at precision 3 is 500, 1.2345 at precision 2 is 23. More fraction digits than
    /// the precision, even zeros, are cut with FractionalTrunc (1 for a value of zero or more, 0
    /// for a negative one). The value's integer part must be below 10^9.
    static uint32_t GetSecondsFraction(const TDWNumeric& in_value, int16_t in_precision, WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
