#include "Support/NumberConverter.h"

#include "Platform/OsNumbers.h"
#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConversionOutOfRangeException.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {

namespace {

// The two digits of every value below 100, at twice the value.
constexpr char DIGIT_PAIRS[] =
    "00010203040506070809"
    "10111213141516171819"
    "20212223242526272829"
    "30313233343536373839"
    "40414243444546474849"
    "50515253545556575859"
    "60616263646566676869"
    "70717273747576777879"
    "80818283848586878889"
    "90919293949596979899";

// Marks the bytes "0" to "9"; every parser tests characters through it.
constexpr bool IS_DIGIT[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x00
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x10
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x20
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, // 0x30
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x40
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x50
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x60
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x70
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x80
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0x90
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0xA0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0xB0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0xC0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0xD0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0xE0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 0xF0
};

// 10^0 to 10^19.
constexpr uint64_t POWERS_OF_TEN[] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull,
    1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull, 10000000000000000000ull};

// For each digit count d, the smallest magnitude written in fixed notation. With decimals it
// is half of 10^-d, the least value whose d decimals do not round to zero (a tie on a zero last
// decimal rounds up, so 0.05 with one digit is written 0.1). Without decimals the integer part
// rounds half to even, so 0.5 would be written 0: fixed notation starts at 1.
constexpr double SMALLEST_FIXED[] = {
    1e0, 5e-2, 5e-3, 5e-4, 5e-5, 5e-6, 5e-7, 5e-8, 5e-9, 5e-10, 5e-11, 5e-12, 5e-13, 5e-14,
    5e-15, 5e-16};

constexpr int MAX_DOUBLE_DIGITS = 15;
constexpr uint16_t FLOAT_DIGITS = 7;
constexpr uint16_t DOUBLE_DIGITS = 15;
constexpr double LARGEST_FIXED = 2147483647.0;
constexpr int EXPONENT_DIGITS = 3;
constexpr int32_t EXPONENT_LIMIT = 19999;
constexpr int EXPONENT_SIGNIFICANT_DIGITS = 8;

bool IsDigit(char in_char)
{
    return IS_DIGIT[static_cast<unsigned char>(in_char)];
}

/// Writes the decimal digits of in_value backwards, two at a time, ending just before in_end;
/// returns the position of the first digit.
char* WriteDigitsBackwards(uint64_t in_value, char* in_end)
{
    char* out = in_end;
    while (in_value >= 100)
    {
        const char* pair = DIGIT_PAIRS + 2 * (in_value % 100);
        *--out = pair[1];
        *--out = pair[0];
        in_value /= 100;
    }
    if (in_value >= 10)
    {
        const char* pair = DIGIT_PAIRS + 2 * in_value;
        *--out = pair[1];
        *--out = pair[0];
    }
    else
    {
        *--out = static_cast<char>('0' + in_value);
    }
    return out;
}

/// The number of decimal digits of in_value, by a fixed tree of comparisons.
int CountDigits(uint64_t in_value)
{
    const uint64_t* p = POWERS_OF_TEN;
    if (in_value < p[10])
    {
        if (in_value < p[5])
        {
            if (in_value < p[2])
            {
                return in_value < p[1] ? 1 : 2;
            }
            return in_value < p[3] ? 3 : (in_value < p[4] ? 4 : 5);
        }
        if (in_value < p[7])
        {
            return in_value < p[6] ? 6 : 7;
        }
        return in_value < p[8] ? 8 : (in_value < p[9] ? 9 : 10);
    }
    if (in_value < p[15])
    {
        if (in_value < p[12])
        {
            return in_value < p[11] ? 11 : 12;
        }
        return in_value < p[13] ? 13 : (in_value < p[14] ? 14 : 15);
    }
    if (in_value < p[17])
    {
        return in_value < p[16] ? 16 : 17;
    }
    return in_value < p[18] ? 18 : (in_value < p[19] ? 19 : 20);
}

/// The magnitude of a signed value, also of the type's minimum.
uint64_t Magnitude(int64_t in_value)
{
    return in_value < 0 ? 0 - static_cast<uint64_t>(in_value) : static_cast<uint64_t>(in_value);
}

/// Writes the decimal text of in_value backwards, ending just before in_end; returns its start.
/// The buffer must hold INTEGER_TEXT_SIZE characters.
char* WriteSignedBackwards(int64_t in_value, char* in_end)
{
    char* first = WriteDigitsBackwards(Magnitude(in_value), in_end);
    if (in_value < 0)
    {
        *--first = '-';
    }
    return first;
}

/// A sign and the 20 digits of the largest magnitude.
constexpr size_t INTEGER_TEXT_SIZE = 21;

std::string SignedText(int64_t in_value)
{
    char buffer[INTEGER_TEXT_SIZE];
    char* const end = buffer + sizeof(buffer);
    return std::string(WriteSignedBackwards(in_value, end), end);
}

std::string UnsignedText(uint64_t in_value)
{
    char buffer[INTEGER_TEXT_SIZE];
    char* const end = buffer + sizeof(buffer);
    return std::string(WriteDigitsBackwards(in_value, end), end);
}

/// The ASCII text from in_begin to in_end as a string: its code units are the same whatever
/// the ANSI encoding. At most FORMAT_DOUBLE_BUFFER_SIZE characters.
orvik_wstring WidenAscii(const char* in_begin, const char* in_end)
{
    char16_t wide[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    char16_t* const wideEnd = std::copy(in_begin, in_end, wide);
    return orvik_wstring(wide, static_cast<int32_t>(wideEnd - wide));
}

orvik_wstring WidenAscii(const char* in_text)
{
    return WidenAscii(in_text, in_text + std::strlen(in_text));
}

orvik_wstring SignedWText(int64_t in_value)
{
    char buffer[INTEGER_TEXT_SIZE];
    char* const end = buffer + sizeof(buffer);
    return WidenAscii(WriteSignedBackwards(in_value, end), end);
}

orvik_wstring UnsignedWText(uint64_t in_value)
{
    char buffer[INTEGER_TEXT_SIZE];
    char* const end = buffer + sizeof(buffer);
    return WidenAscii(WriteDigitsBackwards(in_value, end), end);
}

/// Writes in_magnitude, with "-" when in_negative, right-aligned into out_buffer of in_size
/// bytes, its NUL in the last byte; returns the first character. Throws when it does not fit.
char* WriteIntegerRightAligned(uint64_t in_magnitude, bool in_negative, uint16_t in_size,
                               char* out_buffer)
{
    const size_t needed = static_cast<size_t>(CountDigits(in_magnitude)) + in_negative + 1;
    if (needed > in_size)
    {
        throw NumberConversionInvalidDataException("NumToStrConvFailed");
    }
    char* const end = out_buffer + in_size - 1;
    *end = '\0';
    char* first = WriteDigitsBackwards(in_magnitude, end);
    if (in_negative)
    {
        *--first = '-';
    }
    return first;
}

/// The spelling of NaN or an infinity; null for any other value.
const char* SpecialValueText(double in_value)
{
    if (NumberConverter::IsNaN(in_value))
    {
        return NumberConverter::NAN_TEXT;
    }
    if (in_value == std::numeric_limits<double>::infinity())
    {
        return NumberConverter::INFINITY_TEXT;
    }
    if (in_value == -std::numeric_limits<double>::infinity())
    {
        return NumberConverter::NEGATIVE_INFINITY_TEXT;
    }
    return nullptr;
}

/// Widens the exponent of "%g" output to at least three digits, in place.
size_t WidenExponent(char* io_text, size_t in_length)
{
    char* exponent = std::strchr(io_text, 'e');
    if (exponent == nullptr)
    {
        return in_length;
    }
    char* digits = exponent + 2; // after the sign, which "%g" always writes
    const size_t count = std::strlen(digits);
    if (count >= EXPONENT_DIGITS)
    {
        return in_length;
    }
    const size_t missing = EXPONENT_DIGITS - count;
    std::memmove(digits + missing, digits, count + 1);
    std::memset(digits, '0', missing);
    return in_length + missing;
}

size_t FormatGeneral(double in_value, int in_digits, char* out_buffer)
{
    const int length = OS::FormatGeneral(
        in_value, in_digits, out_buffer, NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE);
    return WidenExponent(out_buffer, static_cast<size_t>(std::max(length, 0)));
}

/// A magnitude rounded for fixed notation: its integer part and its fraction as a count of
/// units in the last of fractionDigits decimals.
struct FixedDigits
{
    uint64_t integer = 0;
    uint64_t fraction = 0;
    int fractionDigits = 0;
};

/// Rounds a magnitude from SMALLEST_FIXED to 2147483647 to in_digits digits, the integer part
/// kept whole; ties go to the even last digit, and up from a fraction of zero.
FixedDigits RoundToFixed(double in_magnitude, int in_digits)
{
    FixedDigits fixed;
    fixed.integer = static_cast<uint64_t>(in_magnitude);
    const int integerDigits = fixed.integer == 0 ? 0 : CountDigits(fixed.integer);
    fixed.fractionDigits = integerDigits > in_digits ? 0 : in_digits - integerDigits;
    if (fixed.fractionDigits == 0)
    {
        const double rest = in_magnitude - fixed.integer;
        fixed.integer += rest > 0.5 || (rest == 0.5 && fixed.integer % 2 == 1);
        return fixed;
    }
    const double scaled = (in_magnitude - fixed.integer) * POWERS_OF_TEN[fixed.fractionDigits];
    fixed.fraction = static_cast<uint64_t>(scaled);
    const double rest = scaled - fixed.fraction;
    const bool oddOrZero = fixed.fraction == 0 || fixed.fraction % 2 == 1;
    fixed.fraction += rest > 0.5 || (rest == 0.5 && oddOrZero);
    if (fixed.fraction >= POWERS_OF_TEN[fixed.fractionDigits])
    {
        fixed.fraction = 0;
        ++fixed.integer;
    }
    return fixed;
}

/// Writes the sign, the integer part and, unless it is zero, "." and the fraction without its
/// trailing zeros; returns the length.
size_t WriteFixed(bool in_negative, const FixedDigits& in_fixed, char* out_buffer)
{
    char digits[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    char* const end = digits + sizeof(digits);
    char* out = out_buffer;
    if (in_negative)
    {
        *out++ = '-';
    }
    out = std::copy(WriteDigitsBackwards(in_fixed.integer, end), end, out);
    if (in_fixed.fraction != 0)
    {
        char* const fractionStart = end - in_fixed.fractionDigits;
        std::fill(fractionStart, WriteDigitsBackwards(in_fixed.fraction, end), '0');
        char* fractionEnd = end;
        while (fractionEnd[-1] == '0')
        {
            --fractionEnd;
        }
        *out++ = '.';
        out = std::copy(fractionStart, fractionEnd, out);
    }
    *out = '\0';
    return static_cast<size_t>(out - out_buffer);
}

bool IsParseSpace(char in_char)
{
    // Tab, line feed, vertical tab, form feed, carriage return and space.
    return in_char == ' ' || (in_char >= '\t' && in_char <= '\r');
}

/// Reads the digits of an exponent from in_text, which starts with a digit; clamps the value
/// to EXPONENT_LIMIT. Returns the position after the digits.
const char* ReadExponent(const char* in_text, int32_t& out_value)
{
    const char* p = in_text;
    while (*p == '0')
    {
        ++p;
    }
    int32_t value = 0;
    int significant = 0;
    for (; IsDigit(*p); ++p)
    {
        if (++significant <= EXPONENT_SIGNIFICANT_DIGITS)
        {
            value = value * 10 + (*p - '0');
        }
    }
    out_value = significant > EXPONENT_SIGNIFICANT_DIGITS ? EXPONENT_LIMIT
                                                          : std::min(value, EXPONENT_LIMIT);
    return p;
}

/// A decimal number as found in a text: where its parts lie and its clamped exponent.
struct ScannedNumber
{
    bool negative = false;
    const char* mantissa = nullptr; // digits and "."
    const char* mantissaEnd = nullptr;
    int32_t exponent = 0;
    const char* end = nullptr; // after the last character used; null when there are no digits
};

ScannedNumber ScanNumber(const char* in_text)
{
    ScannedNumber number;
    const char* p = in_text;
    while (IsParseSpace(*p))
    {
        ++p;
    }
    if (*p == '+' || *p == '-')
    {
        number.negative = *p++ == '-';
    }
    number.mantissa = p;
    bool anyDigit = false;
    for (; IsDigit(*p); ++p)
    {
        anyDigit = true;
    }
    if (*p == '.')
    {
        for (++p; IsDigit(*p); ++p)
        {
            anyDigit = true;
        }
    }
    if (!anyDigit)
    {
        return ScannedNumber();
    }
    number.mantissaEnd = p;
    if (*p == 'e' || *p == 'E')
    {
        const char* q = p + 1;
        const bool negativeExponent = *q == '-';
        if (*q == '+' || *q == '-')
        {
            ++q;
        }
        if (IsDigit(*q))
        {
            p = ReadExponent(q, number.exponent);
            number.exponent = negativeExponent ? -number.exponent : number.exponent;
        }
    }
    number.end = p;
    return number;
}

/// Writes the number as the C library reads it: sign, mantissa and the clamped exponent.
void WriteCanonical(const ScannedNumber& in_number, char* out_text)
{
    char* out = out_text;
    if (in_number.negative)
    {
        *out++ = '-';
    }
    out = std::copy(in_number.mantissa, in_number.mantissaEnd, out);
    *out++ = 'e';
    if (in_number.exponent < 0)
    {
        *out++ = '-';
    }
    char exponent[8];
    char* const exponentEnd = exponent + sizeof(exponent);
    const int32_t magnitude = in_number.exponent < 0 ? -in_number.exponent : in_number.exponent;
    out = std::copy(WriteDigitsBackwards(static_cast<uint64_t>(magnitude), exponentEnd),
                    exponentEnd, out);
    *out = '\0';
}

/// What reading an integer text found.
enum class IntegerStatus
{
    Read,
    NotANumber,
    Overflow,
    Underflow,
    Unsigned,
};

/// The magnitudes an integer type can hold on either side of zero; 0 below for unsigned types.
struct IntegerRange
{
    uint64_t largestPositive;
    uint64_t largestNegative;
};

constexpr IntegerRange INT16_RANGE = {32767, 32768};
constexpr IntegerRange UINT16_RANGE = {65535, 0};
constexpr IntegerRange INT32_RANGE = {2147483647, 2147483648u};
constexpr IntegerRange UINT32_RANGE = {4294967295u, 0};
constexpr IntegerRange INT64_RANGE = {9223372036854775807ull, 9223372036854775808ull};
constexpr IntegerRange UINT64_RANGE = {18446744073709551615ull, 0};

/// An integer text as read: its sign and magnitude, or why it is not one of the type.
struct IntegerReading
{
    IntegerStatus status = IntegerStatus::Read;
    bool negative = false;
    uint64_t magnitude = 0;
    const char* stop = nullptr; // where reading stopped
};

/// A text to read: its characters from begin to end, and whether its length was given.
struct IntegerText
{
    const char* begin;
    const char* end;
    bool counted;
};

IntegerText NulTerminated(const char* in_text)
{
    const char* text = in_text != nullptr ? in_text : "";
    return {text, text + std::strlen(text), false};
}

IntegerText Counted(const char* in_text, size_t in_length)
{
    const char* text = in_text != nullptr ? in_text : "";
    return {text, text + (in_text != nullptr ? in_length : 0), true};
}

bool AllDigits(const char* in_begin, const char* in_end)
{
    return std::all_of(in_begin, in_end, IsDigit);
}

/// The reading of a minus sign before an unsigned type's digits at in_digits. A strict counted
/// text must still be a number.
IntegerReading ReadUnsignedMinus(const IntegerText& in_text, const char* in_digits, bool in_strict)
{
    IntegerReading reading;
    const bool digitsFollow = in_digits != in_text.end && AllDigits(in_digits, in_text.end);
    const bool malformed = in_text.counted && in_strict && !digitsFollow;
    reading.status = malformed ? IntegerStatus::NotANumber : IntegerStatus::Unsigned;
    reading.negative = true;
    reading.stop = in_text.begin;
    return reading;
}

/// Reads digits from in_digits up to the first other character, building the magnitude up to
/// in_limit; past the limit, reading goes on to the end of the digits.
IntegerReading ReadDigits(const IntegerText& in_text, const char* in_digits, bool in_negative,
                          uint64_t in_limit, bool in_strict)
{
    IntegerReading reading;
    reading.negative = in_negative;
    bool beyond = false;
    const char* p = in_digits;
    for (; p != in_text.end && IsDigit(*p); ++p)
    {
        const unsigned digit = static_cast<unsigned>(*p - '0');
        beyond = beyond || reading.magnitude > (in_limit - digit) / 10;
        reading.magnitude = beyond ? reading.magnitude : reading.magnitude * 10 + digit;
    }
    reading.stop = p;
    if (beyond)
    {
        reading.status = in_negative ? IntegerStatus::Underflow : IntegerStatus::Overflow;
    }
    else if (in_strict && (p != in_text.end || p == in_digits))
    {
        reading.status = IntegerStatus::NotANumber;
    }
    return reading;
}

IntegerReading ReadInteger(const IntegerText& in_text, const IntegerRange& in_range, bool in_strict)
{
    const char* p = in_text.begin;
    const bool negative = p != in_text.end && *p == '-';
    if (p != in_text.end && (*p == '-' || *p == '+'))
    {
        ++p;
    }
    if (negative && in_range.largestNegative == 0)
    {
        return ReadUnsignedMinus(in_text, p, in_strict);
    }
    if (in_text.counted && in_text.begin == in_text.end)
    {
        IntegerReading empty;
        empty.status = IntegerStatus::NotANumber;
        empty.stop = in_text.end;
        return empty;
    }
    const uint64_t limit = negative ? in_range.largestNegative : in_range.largestPositive;
    return ReadDigits(in_text, p, negative, limit, in_strict);
}

[[noreturn]] void ThrowIntegerError(const IntegerText& in_text, const IntegerReading& in_reading)
{
    const bool wholeText = in_text.counted || in_reading.status == IntegerStatus::Unsigned;
    const char* from = wholeText ? in_text.begin : in_reading.stop;
    std::vector<orvik_wstring> parameters{orvik_wstring(std::string(from, in_text.end))};
    switch (in_reading.status)
    {
    case IntegerStatus::Overflow:
        throw NumberConversionOutOfRangeException("StrToNumConvFailedOverflow", parameters);
    case IntegerStatus::Underflow:
        throw NumberConversionOutOfRangeException("StrToNumConvFailedUnderflow", parameters);
    case IntegerStatus::Unsigned:
        throw NumberConversionOutOfRangeException("StrToNumConvFailedUnsigned", parameters);
    default:
        throw NumberConversionInvalidDataException("StrToNumConvFailed", parameters);
    }
}

int64_t ParseSigned(const IntegerText& in_text, const IntegerRange& in_range, bool in_strict)
{
    const IntegerReading reading = ReadInteger(in_text, in_range, in_strict);
    if (reading.status != IntegerStatus::Read)
    {
        ThrowIntegerError(in_text, reading);
    }
    // Negating in unsigned arithmetic reaches the type's minimum too.
    return static_cast<int64_t>(reading.negative ? 0 - reading.magnitude : reading.magnitude);
}

uint64_t ParseUnsigned(const IntegerText& in_text, const IntegerRange& in_range, bool in_strict)
{
    const IntegerReading reading = ReadInteger(in_text, in_range, in_strict);
    if (reading.status != IntegerStatus::Read)
    {
        ThrowIntegerError(in_text, reading);
    }
    return reading.magnitude;
}

/// Whether in_text, of in_length characters, is the start of in_word in any letter case.
bool IsPrefixIgnoringCase(const char* in_text, size_t in_length, const char* in_word)
{
    if (in_length > std::strlen(in_word))
    {
        return false;
    }
    for (size_t i = 0; i < in_length; ++i)
    {
        // ASCII case folding: the process locale must not matter.
        const char c = in_text[i];
        const char folded = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (folded != in_word[i])
        {
            return false;
        }
    }
    return true;
}

/// Infinity or NaN when in_text spells one of them; otherwise false.
bool ReadSpecialValue(const char* in_text, size_t in_length, double& out_value)
{
    if (in_length >= 3 && IsPrefixIgnoringCase(in_text, in_length, "INFINITY"))
    {
        out_value = std::numeric_limits<double>::infinity();
    }
    else if (in_length >= 4 && IsPrefixIgnoringCase(in_text, in_length, "-INFINITY"))
    {
        out_value = -std::numeric_limits<double>::infinity();
    }
    else if (in_length == 3 && IsPrefixIgnoringCase(in_text, in_length, "NAN"))
    {
        out_value = std::numeric_limits<double>::quiet_NaN();
    }
    else
    {
        return false;
    }
    return true;
}

/// Reads a double from in_text, which is NUL-terminated at in_length or before.
double ReadDouble(const char* in_text, size_t in_length, bool in_strict)
{
    double value = 0.0;
    if (ReadSpecialValue(in_text, in_length, value))
    {
        return value;
    }
    const char* end = nullptr;
    value = NumberConverter::ParseDouble(in_text, &end);
    if (in_strict && (end == in_text || end != in_text + in_length))
    {
        throw NumberConversionInvalidDataException(
            "StrToNumConvFailed", {orvik_wstring(std::string(in_text, in_length))});
    }
    return value;
}

} // namespace

std::string NumberConverter::ConvertInt8ToString(int8_t in_value)
{
    return SignedText(in_value);
}

std::string NumberConverter::ConvertUInt8ToString(uint8_t in_value)
{
    return UnsignedText(in_value);
}

std::string NumberConverter::ConvertInt16ToString(int16_t in_value)
{
    return SignedText(in_value);
}

std::string NumberConverter::ConvertUInt16ToString(uint16_t in_value)
{
    return UnsignedText(in_value);
}

std::string NumberConverter::ConvertInt32ToString(int32_t in_value)
{
    return SignedText(in_value);
}

std::string NumberConverter::ConvertUInt32ToString(uint32_t in_value)
{
    return UnsignedText(in_value);
}

std::string NumberConverter::ConvertInt64ToString(int64_t in_value)
{
    return SignedText(in_value);
}

std::string NumberConverter::ConvertUInt64ToString(uint64_t in_value)
{
    return UnsignedText(in_value);
}

orvik_wstring NumberConverter::ConvertInt16ToWString(int16_t in_value)
{
    return SignedWText(in_value);
}

orvik_wstring NumberConverter::ConvertUInt16ToWString(uint16_t in_value)
{
    return UnsignedWText(in_value);
}

orvik_wstring NumberConverter::ConvertInt32ToWString(int32_t in_value)
{
    return SignedWText(in_value);
}

orvik_wstring NumberConverter::ConvertUInt32ToWString(uint32_t in_value)
{
    return UnsignedWText(in_value);
}

orvik_wstring NumberConverter::ConvertInt64ToWString(int64_t in_value)
{
    return SignedWText(in_value);
}

orvik_wstring NumberConverter::ConvertUInt64ToWString(uint64_t in_value)
{
    return UnsignedWText(in_value);
}

char* NumberConverter::ConvertInt16ToChars(int16_t in_value, uint16_t in_size, char* out_buffer)
{
    return WriteIntegerRightAligned(Magnitude(in_value), in_value < 0, in_size, out_buffer);
}

char* NumberConverter::ConvertUInt16ToChars(uint16_t in_value, uint16_t in_size, char* out_buffer)
{
    return WriteIntegerRightAligned(in_value, false, in_size, out_buffer);
}

char* NumberConverter::ConvertInt32ToChars(int32_t in_value, uint16_t in_size, char* out_buffer)
{
    return WriteIntegerRightAligned(Magnitude(in_value), in_value < 0, in_size, out_buffer);
}

char* NumberConverter::ConvertUInt32ToChars(uint32_t in_value, uint16_t in_size, char* out_buffer)
{
    return WriteIntegerRightAligned(in_value, false, in_size, out_buffer);
}

std::string NumberConverter::ConvertFloatToString(float in_value)
{
    char buffer[FORMAT_DOUBLE_BUFFER_SIZE];
    return std::string(buffer, ConvertFloatToChars(in_value, FLOAT_DIGITS, buffer));
}

std::string NumberConverter::ConvertDoubleToString(double in_value)
{
    char buffer[FORMAT_DOUBLE_BUFFER_SIZE];
    return std::string(buffer, ConvertDoubleToChars(in_value, DOUBLE_DIGITS, buffer));
}

orvik_wstring NumberConverter::ConvertFloatToWString(float in_value)
{
    char buffer[FORMAT_DOUBLE_BUFFER_SIZE];
    return WidenAscii(buffer, buffer + ConvertFloatToChars(in_value, FLOAT_DIGITS, buffer));
}

orvik_wstring NumberConverter::ConvertDoubleToWString(double in_value)
{
    char buffer[FORMAT_DOUBLE_BUFFER_SIZE];
    return WidenAscii(buffer, buffer + ConvertDoubleToChars(in_value, DOUBLE_DIGITS, buffer));
}

const orvik_wstring& NumberConverter::GetNaNWString()
{
    static const orvik_wstring s_text = WidenAscii(NAN_TEXT);
    return s_text;
}

const orvik_wstring& NumberConverter::GetInfinityWString()
{
    static const orvik_wstring s_text = WidenAscii(INFINITY_TEXT);
    return s_text;
}

const orvik_wstring& NumberConverter::GetNegativeInfinityWString()
{
    static const orvik_wstring s_text = WidenAscii(NEGATIVE_INFINITY_TEXT);
    return s_text;
}

size_t NumberConverter::ConvertFloatToChars(float in_value, uint16_t in_digits, char* out_buffer)
{
    return ConvertDoubleToChars(in_value, in_digits, out_buffer);
}

size_t NumberConverter::ConvertDoubleToChars(double in_value, uint16_t in_digits, char* out_buffer)
{
    const char* special = SpecialValueText(in_value);
    if (special == nullptr)
    {
        return FormatDouble(in_value, out_buffer, in_digits);
    }
    std::strcpy(out_buffer, special);
    return std::strlen(special);
}

size_t NumberConverter::FormatDouble(double in_value, char* out_buffer, uint16_t in_digits)
{
    // The fixed notation's arithmetic and the C library's formatting both follow the
    // rounding mode, which the host application may have changed.
    OS::RoundingToNearest rounding;
    const int digits = std::min<int>(in_digits, MAX_DOUBLE_DIGITS);
    const double magnitude = in_value < 0 ? -in_value : in_value;
    // Written so that a NaN, too, takes the general form.
    if (magnitude >= SMALLEST_FIXED[digits] && magnitude <= LARGEST_FIXED)
    {
        return WriteFixed(in_value < 0, RoundToFixed(magnitude, digits), out_buffer);
    }
    return FormatGeneral(in_value, digits, out_buffer);
}

int16_t NumberConverter::ConvertStringToInt16(const char* in_text, size_t in_length, bool in_strict)
{
    return static_cast<int16_t>(ParseSigned(Counted(in_text, in_length), INT16_RANGE, in_strict));
}

int16_t NumberConverter::ConvertStringToInt16(const char* in_text, bool in_strict)
{
    return static_cast<int16_t>(ParseSigned(NulTerminated(in_text), INT16_RANGE, in_strict));
}

uint16_t NumberConverter::ConvertStringToUInt16(const char* in_text, bool in_strict)
{
    return static_cast<uint16_t>(ParseUnsigned(NulTerminated(in_text), UINT16_RANGE, in_strict));
}

uint16_t NumberConverter::ConvertStringToUInt16(const std::string& in_text, bool in_strict)
{
    return ConvertStringToUInt16(in_text.c_str(), in_strict);
}

int32_t NumberConverter::ConvertStringToInt32(const char* in_text, bool in_strict)
{
    return static_cast<int32_t>(ParseSigned(NulTerminated(in_text), INT32_RANGE, in_strict));
}

int32_t NumberConverter::ConvertStringToInt32(const std::string& in_text, bool in_strict)
{
    return ConvertStringToInt32(in_text.c_str(), in_strict);
}

uint32_t NumberConverter::ConvertStringToUInt32(const char* in_text, bool in_strict)
{
    return static_cast<uint32_t>(ParseUnsigned(NulTerminated(in_text), UINT32_RANGE, in_strict));
}

uint32_t NumberConverter::ConvertStringToUInt32(const std::string& in_text, bool in_strict)
{
    return ConvertStringToUInt32(in_text.c_str(), in_strict);
}

uint32_t
NumberConverter::ConvertStringToUInt32(const char* in_text, size_t in_length, bool in_strict)
{
    return static_cast<uint32_t>(
        ParseUnsigned(Counted(in_text, in_length), UINT32_RANGE, in_strict));
}

int16_t NumberConverter::ConvertWStringToInt16(const orvik_wstring& in_text, bool in_strict)
{
    return ConvertStringToInt16(in_text.GetAsAnsiString().c_str(), in_strict);
}

uint16_t NumberConverter::ConvertWStringToUInt16(const orvik_wstring& in_text, bool in_strict)
{
    return ConvertStringToUInt16(in_text.GetAsAnsiString().c_str(), in_strict);
}

uint32_t NumberConverter::ConvertWStringToUInt32(const orvik_wstring& in_text, bool in_strict)
{
    return ConvertStringToUInt32(in_text.GetAsAnsiString().c_str(), in_strict);
}

int64_t NumberConverter::ConvertWStringToInt64(const orvik_wstring& in_text, bool in_strict)
{
    const std::string text = in_text.GetAsAnsiString();
    return ParseSigned(NulTerminated(text.c_str()), INT64_RANGE, in_strict);
}

uint64_t NumberConverter::ConvertWStringToUInt64(const orvik_wstring& in_text, bool in_strict)
{
    const std::string text = in_text.GetAsAnsiString();
    return ParseUnsigned(NulTerminated(text.c_str()), UINT64_RANGE, in_strict);
}

double NumberConverter::ConvertStringToDouble(const char* in_text, bool in_strict)
{
    const char* text = in_text != nullptr ? in_text : "";
    return ReadDouble(text, std::strlen(text), in_strict);
}

double NumberConverter::ConvertStringToDouble(const char* in_text, size_t in_length, bool in_strict)
{
    // Read as the NUL-terminated copy reads: a NUL among the bytes ends the text.
    const std::string text = in_text != nullptr ? std::string(in_text, in_length) : std::string();
    return ConvertStringToDouble(text.c_str(), in_strict);
}

int NumberConverter::GetNumberOfDigits(int8_t in_value)
{
    return CountDigits(Magnitude(in_value));
}

int NumberConverter::GetNumberOfDigits(uint8_t in_value)
{
    return CountDigits(in_value);
}

int NumberConverter::GetNumberOfDigits(int16_t in_value)
{
    return CountDigits(Magnitude(in_value));
}

int NumberConverter::GetNumberOfDigits(uint16_t in_value)
{
    return CountDigits(in_value);
}

int NumberConverter::GetNumberOfDigits(int32_t in_value)
{
    return CountDigits(Magnitude(in_value));
}

int NumberConverter::GetNumberOfDigits(uint32_t in_value)
{
    return CountDigits(in_value);
}

int NumberConverter::GetNumberOfDigits(int64_t in_value)
{
    return CountDigits(Magnitude(in_value));
}

int NumberConverter::GetNumberOfDigits(uint64_t in_value)
{
    return CountDigits(in_value);
}

bool NumberConverter::IsNaN(const float& in_value)
{
    uint32_t bits;
    std::memcpy(&bits, &in_value, sizeof(bits));
    return (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0;
}

bool NumberConverter::IsNaN(const double& in_value)
{
    uint64_t bits;
    std::memcpy(&bits, &in_value, sizeof(bits));
    return (bits & 0x7FF0000000000000ull) == 0x7FF0000000000000ull &&
           (bits & 0x000FFFFFFFFFFFFFull) != 0;
}

double NumberConverter::ParseDouble(const char* in_text, const char** out_end)
{
    const ScannedNumber number = ScanNumber(in_text);
    if (out_end != nullptr)
    {
        *out_end = number.end != nullptr ? number.end : in_text;
    }
    if (number.end == nullptr)
    {
        return 0.0;
    }
    // Sign, mantissa, "e", exponent sign and at most five exponent digits, and the NUL.
    const size_t length = static_cast<size_t>(number.mantissaEnd - number.mantissa) + 10;
    char small[128];
    std::unique_ptr<char[]> large(length > sizeof(small) ? new char[length] : nullptr);
    char* canonical = large ? large.get() : small;
    WriteCanonical(number, canonical);
    OS::RoundingToNearest rounding;
    return OS::ParseDecimal(canonical);
}

} // namespace Support
} // namespace Orvik
