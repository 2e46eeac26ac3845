#include "Support/NumberConverter.h"

#include "Platform/OsNumbers.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

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

// For each digit count d, the smallest magnitude written in fixed notation: half of 10^-d,
// the least value whose d decimals do not round to zero (a tie on a zero last digit rounds up,
// so 0.05 with one digit is written 0.1).
constexpr double SMALLEST_FIXED[] = {
    5e-1, 5e-2, 5e-3, 5e-4, 5e-5, 5e-6, 5e-7, 5e-8, 5e-9, 5e-10, 5e-11, 5e-12, 5e-13, 5e-14,
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

/// The decimal text of a signed value.
std::string SignedText(int64_t in_value)
{
    // A sign and the 20 digits of the largest magnitude.
    char buffer[21];
    char* const end = buffer + sizeof(buffer);
    char* first = WriteDigitsBackwards(Magnitude(in_value), end);
    if (in_value < 0)
    {
        *--first = '-';
    }
    return std::string(first, end);
}

std::string UnsignedText(uint64_t in_value)
{
    char buffer[20];
    char* const end = buffer + sizeof(buffer);
    return std::string(WriteDigitsBackwards(in_value, end), end);
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
