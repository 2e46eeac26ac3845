#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

class TDWNumericMagnitude;

/// An exact decimal number: a two's-complement integer of 2 to 16 words of 16 bits, least
/// significant first, times ten to the power of the exponent. Overflow and failed parses leave
/// it invalid (holding zero). The object is exactly its 38-byte little-endian image, which is
/// also what a NUMERIC value converted to binary yields, so no field may be added or moved.
///
/// Operations that read the value (the Get forms, GetPrecision, HasFraction, Negate, Round)
/// raise SupportException on an invalid value; overflow inside arithmetic never raises but
/// marks the value invalid.
class TDWNumeric
{
public:
    static constexpr uint16_t MAX_WORDS = 16;

    /// Exponents that scaling may produce; a scale beyond them makes the value invalid.
    static constexpr int16_t MIN_SCALED_EXPONENT = -8191;
    static constexpr int16_t MAX_SCALED_EXPONENT = 8191;

    /// The most significant digits a parsed text may have.
    static constexpr uint32_t MAX_PARSED_DIGITS = 72;

    enum class Comparison
    {
        LESS = 1,
        EQUAL = 2,
        GREATER = 3
    };

    /// Zero.
    TDWNumeric() = default;

    /// The exact value of an integer, exponent 0, in the fewest words.
    explicit TDWNumeric(int8_t in_value);
    explicit TDWNumeric(uint8_t in_value);
    explicit TDWNumeric(int16_t in_value);
    explicit TDWNumeric(uint16_t in_value);
    explicit TDWNumeric(int32_t in_value);
    explicit TDWNumeric(uint32_t in_value);
    explicit TDWNumeric(int64_t in_value);
    explicit TDWNumeric(uint64_t in_value);

    /// As SetSingle and SetDouble; a NaN or an infinity raises "TDWNumericValueError" with the
    /// number's text.
    explicit TDWNumeric(float in_value);
    explicit TDWNumeric(double in_value);

    /// Parses in_length bytes of text, or NUL-terminated text; see Parse.
    TDWNumeric(const char* in_text, size_t in_length, bool in_throwOnError);
    TDWNumeric(const char* in_text, bool in_throwOnError);

    /// Reads an optionally signed decimal number with at most one point, 1 to 72 significant
    /// digits and an optional exponent ("E" or "e", a 16-bit integer). A text that is not such a
    /// number raises "TDWNumericStringError" with the text when in_throwOnError is set, and
    /// otherwise leaves the value invalid.
    void Parse(const char* in_text, size_t in_length, bool in_throwOnError);

    /// The value of the float's shortest decimal text that reads back as the same float (0.1f
    /// is 0.1, 2.5f is 2.5 with exponent -1); an integer keeps exponent 0 where its digits fit.
    /// NaN and infinities leave the value invalid.
    void SetSingle(float in_value);

    /// The same for a double.
    void SetDouble(double in_value);

    /// The value truncated toward zero; out_overflow is set when that lies outside the type's
    /// range (then the result means nothing). A negative value above -1 truncates to 0, which
    /// the unsigned forms give without the flag.
    int8_t GetInt8(bool& out_overflow) const;
    int16_t GetInt16(bool& out_overflow) const;
    int32_t GetInt32(bool& out_overflow) const;
    int64_t GetInt64(bool& out_overflow) const;
    uint8_t GetUInt8(bool& out_overflow) const;
    uint16_t GetUInt16(bool& out_overflow) const;
    uint32_t GetUInt32(bool& out_overflow) const;
    uint64_t GetUInt64(bool& out_overflow) const;

    /// The nearest double; out_overflow is set when it is an infinity.
    double GetDouble(bool& out_overflow) const;

    /// The nearest double narrowed to float; out_overflow is set when that is an infinity.
    float GetSingle(bool& out_overflow) const;

    /// Number of significant decimal digits, and at least the count of fraction digits
    /// (0.001 has precision 3); 0 for a zero without fraction digits, whatever its exponent.
    /// Raises "TDWNumericOperationOnInvalid".
    int32_t GetPrecision() const;

    /// True when a digit right of the decimal point is not zero.
    bool HasFraction() const;

    void Negate();

    /// Keeps at most in_places digits right of the point (a negative count rounds to tens,
    /// hundreds, ...), half away from zero as decided by the first dropped digit alone.
    void Round(int16_t in_places);

    /// Raises the exponent by in_digits, dropping that many low digits (toward zero). Returns
    /// true when a dropped digit was not zero. Invalid when the exponent would pass 8191.
    bool ScaleDown(int32_t in_digits);

    /// Lowers the exponent by in_digits, multiplying the integer by ten to that power. Invalid
    /// when the exponent would pass -8191 or the integer would need a seventeenth word.
    void ScaleUp(int32_t in_digits);

    /// Writes the magnitude's digits right-aligned into exactly in_width characters: first
    /// the exponent's zeros when it is positive (at most in_width), then the digits (only the
    /// low ones when there is too little room), then "0" fill. No sign, point or NUL; zero
    /// writes one significant "0". out_leading receives the index of the most significant
    /// digit. Returns false, writing nothing, for an invalid value.
    bool ToChars(uint32_t in_width, char* out_buffer, uint32_t& out_leading) const;

    /// The magnitude as a little-endian unsigned integer of in_byteCount bytes (the layout of
    /// the SQL_NUMERIC_STRUCT digits). Returns false, writing nothing, when it does not fit.
    bool GetMagnitudeBytes(uint8_t* out_bytes, size_t in_byteCount) const;

    /// Builds a value from a little-endian unsigned magnitude, a sign and an exponent; the
    /// value is invalid when the magnitude needs more than 240 bits.
    static TDWNumeric FromMagnitudeBytes(
        const uint8_t* in_bytes,
        size_t in_byteCount,
        int16_t in_exponent,
        bool in_isNegative);

    /// The shared constants 0, 1 and 2 that conversions to BIT compare against, parsed once
    /// (raising on error) on first use.
    static const TDWNumeric& Zero();
    static const TDWNumeric& One();
    static const TDWNumeric& Two();

    static Comparison Compare(const TDWNumeric& in_left, const TDWNumeric& in_right);

    bool operator==(const TDWNumeric& in_other) const;
    bool operator<=(const TDWNumeric& in_other) const;
    bool operator>(const TDWNumeric& in_other) const;

    bool IsValid() const { return m_invalid == 0; }
    bool IsNegative() const { return m_words[m_wordCount - 1] != 0; }
    int16_t GetExponent() const { return m_exponent; }

private:
    TDWNumericMagnitude LoadMagnitude() const;
    void StoreMagnitude(const TDWNumericMagnitude& in_magnitude, bool in_isNegative);
    void SetInvalid();
    bool GetIntegerPart(uint64_t& out_magnitude) const;
    void RequireValid(const char* in_operation) const;

    template <typename T>
    T GetInteger(const char* in_operation, bool& out_overflow) const;

    int16_t m_invalid = 0;
    int16_t m_exponent = 0;
    uint16_t m_wordCount = 2;
    uint16_t m_words[MAX_WORDS] = {};
};

static_assert(sizeof(TDWNumeric) == 38, "the numeric image is 38 packed bytes");

} // namespace Support
} // namespace Orvik
