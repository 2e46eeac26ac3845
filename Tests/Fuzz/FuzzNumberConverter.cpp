// Numbers to and from text: integer texts of every width against a reference reader, double
// texts against the C library on the part the reader used, the double and integer writers
// against their plain C++ forms, and the same results whatever rounding mode the host set.

#include "FuzzSupport.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConversionOutOfRangeException.h"
#include "Support/NumberConverter.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

using Orvik::Support::NumberConversionException;
using Orvik::Support::NumberConverter;
using Orvik::Support::orvik_wstring;

namespace {

constexpr int ROUNDING_MODES[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};

bool IsDigit(char in_char)
{
    return in_char >= '0' && in_char <= '9';
}

std::string UpToNul(const std::string& in_text)
{
    return in_text.substr(0, in_text.find('\0'));
}

/// What reading an integer text must give: an error key with its parameter, or a value.
struct IntegerOutcome
{
    std::string key;
    std::string parameter;
    __int128 value = 0;
};

/// The integer rules in their plainest form: sign, digits; a minus for an unsigned type, a
/// value beyond the type, and in strict mode anything but digits, are errors.
IntegerOutcome ReadIntegerReference(const std::string& in_text, bool in_counted, bool in_strict, __int128 in_min, __int128 in_max)
{
    const bool negative = !in_text.empty() && in_text[0] == '-';
    const size_t digits = !in_text.empty() && (in_text[0] == '-' || in_text[0] == '+') ? 1 : 0;
    size_t end = digits;
    while (end < in_text.size() && IsDigit(in_text[end]))
    {
        ++end;
    }
    if (negative && in_min == 0)
    {
        const bool digitsFollow = end == in_text.size() && end > digits;
        return {in_counted && in_strict && !digitsFollow ? "StrToNumConvFailed" : "StrToNumConvFailedUnsigned", in_text};
    }
    if (in_counted && in_text.empty())
    {
        return {"StrToNumConvFailed", in_text};
    }
    __int128 value = 0;
    bool beyond = false;
    for (size_t i = digits; i < end && !beyond; ++i)
    {
        value = value * 10 + (in_text[i] - '0');
        beyond = negative ? -value < in_min : value > in_max;
    }
    const std::string from = in_counted ? in_text : in_text.substr(end);
    if (beyond)
    {
        return {negative ? "StrToNumConvFailedUnderflow" : "StrToNumConvFailedOverflow", from};
    }
    if (in_strict && (end != in_text.size() || end == digits))
    {
        return {"StrToNumConvFailed", from};
    }
    return {"", "", negative ? -value : value};
}

/// One of the integer readers: counted ones get an exact copy, the others the text with its
/// NULs, and read up to the first; wide ones read the text through the string class.
struct IntegerReader
{
    const char* name;
    bool counted;
    bool wide;
    __int128 min;
    __int128 max;
    std::function<__int128(const std::string&, bool)> read;
};

template <typename T>
constexpr __int128 Min()
{
    return std::numeric_limits<T>::min();
}

template <typename T>
constexpr __int128 Max()
{
    return std::numeric_limits<T>::max();
}

const IntegerReader INTEGER_READERS[] = {
    {"Int16 counted", true, false, Min<int16_t>(), Max<int16_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertStringToInt16(Fuzz::ExactCopy(t).get(), t.size(), s); }},
    {"UInt32 counted", true, false, 0, Max<uint32_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertStringToUInt32(Fuzz::ExactCopy(t).get(), t.size(), s); }},
    {"Int16", false, false, Min<int16_t>(), Max<int16_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertStringToInt16(t.c_str(), s); }},
    {"UInt16", false, false, 0, Max<uint16_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertStringToUInt16(t, s); }},
    {"Int32", false, false, Min<int32_t>(), Max<int32_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertStringToInt32(t, s); }},
    {"UInt32", false, false, 0, Max<uint32_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertStringToUInt32(t.c_str(), s); }},
    {"WInt16", false, true, Min<int16_t>(), Max<int16_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertWStringToInt16(orvik_wstring(t), s); }},
    {"WUInt16", false, true, 0, Max<uint16_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertWStringToUInt16(orvik_wstring(t), s); }},
    {"WUInt32", false, true, 0, Max<uint32_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertWStringToUInt32(orvik_wstring(t), s); }},
    {"WInt64", false, true, Min<int64_t>(), Max<int64_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertWStringToInt64(orvik_wstring(t), s); }},
    {"WUInt64", false, true, 0, Max<uint64_t>(),
     [](const std::string& t, bool s) { return NumberConverter::ConvertWStringToUInt64(orvik_wstring(t), s); }},
};

std::string Show128(__int128 in_value)
{
    const bool negative = in_value < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(in_value) : in_value;
    std::string digits;
    do
    {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return (negative ? "-" : "") + digits;
}

void CheckIntegerTexts(const std::string& in_text)
{
    for (const IntegerReader& reader : INTEGER_READERS)
    {
        // The wide forms read the text as the string class gives it back in the ANSI encoding.
        const std::string seen = reader.wide ? orvik_wstring(in_text).GetAsAnsiString() : in_text;
        for (bool strict : {false, true})
        {
            const IntegerOutcome expected =
                ReadIntegerReference(reader.counted ? seen : UpToNul(seen), reader.counted, strict, reader.min, reader.max);
            const std::string context = std::string(reader.name) + (strict ? " strict " : " ") + Fuzz::Show(in_text);
            try
            {
                const __int128 value = reader.read(in_text, strict);
                FUZZ_CHECK(expected.key.empty(), context + " read " + Show128(value) + ", expected " + expected.key);
                FUZZ_CHECK(value == expected.value, context + " read " + Show128(value) + ", expected " + Show128(expected.value));
            }
            catch (const NumberConversionException& e)
            {
                FUZZ_CHECK(Fuzz::KeyOf(e) == expected.key, context + " raised " + Fuzz::KeyOf(e) + ", expected " + expected.key);
                FUZZ_CHECK(e.GetParameters().size() == 1 && e.GetParameters()[0] == orvik_wstring(expected.parameter),
                           context + " parameter, expected " + Fuzz::Show(expected.parameter));
            }
        }
    }
}

/// Where ParseDouble must stop, read by the syntax alone; 0 when there are no digits. Sets
/// out_clamped when the exponent counts as 19999.
size_t ScanDouble(const std::string& in_text, bool& out_clamped, bool& out_zeroMantissa, bool& out_negativeExponent)
{
    size_t p = 0;
    while (p < in_text.size() && (in_text[p] == ' ' || (in_text[p] >= '\t' && in_text[p] <= '\r')))
    {
        ++p;
    }
    if (p < in_text.size() && (in_text[p] == '+' || in_text[p] == '-'))
    {
        ++p;
    }
    size_t digits = 0;
    out_zeroMantissa = true;
    for (bool point = false; p < in_text.size(); ++p)
    {
        if (IsDigit(in_text[p]))
        {
            ++digits;
            out_zeroMantissa = out_zeroMantissa && in_text[p] == '0';
        }
        else if (in_text[p] == '.' && !point)
        {
            point = true;
        }
        else
        {
            break;
        }
    }
    out_clamped = false;
    if (digits == 0)
    {
        return 0;
    }
    if (p < in_text.size() && (in_text[p] == 'e' || in_text[p] == 'E'))
    {
        size_t q = p + 1;
        out_negativeExponent = q < in_text.size() && in_text[q] == '-';
        if (q < in_text.size() && (in_text[q] == '+' || in_text[q] == '-'))
        {
            ++q;
        }
        const size_t start = q;
        while (q < in_text.size() && in_text[q] == '0')
        {
            ++q;
        }
        const size_t significant = q;
        while (q < in_text.size() && IsDigit(in_text[q]))
        {
            ++q;
        }
        if (q > start)
        {
            out_clamped = q - significant > 8 || (q - significant > 0 && std::stol(in_text.substr(significant, q - significant)) > 19999);
            p = q;
        }
    }
    return p;
}

bool SameDouble(double in_left, double in_right)
{
    return std::memcmp(&in_left, &in_right, sizeof(double)) == 0 || (std::isnan(in_left) && std::isnan(in_right));
}

std::string ShowDouble(double in_value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.17g", in_value);
    return text;
}

void CheckDoubleText(const std::string& in_input, int in_rounding)
{
    const std::string text = UpToNul(in_input);
    bool clamped = false;
    bool zeroMantissa = true;
    bool negativeExponent = false;
    const size_t end = ScanDouble(text, clamped, zeroMantissa, negativeExponent);
    const bool negative = text.find_first_not_of(" \t\n\v\f\r") != std::string::npos
                          && text[text.find_first_not_of(" \t\n\v\f\r")] == '-';
    double expected = 0.0;
    if (end != 0 && !clamped)
    {
        expected = std::strtod(text.substr(0, end).c_str(), nullptr);
    }
    else if (end != 0)
    {
        expected = zeroMantissa || negativeExponent ? 0.0 : HUGE_VAL;
        expected = negative ? -expected : expected;
    }

    std::fesetround(in_rounding);
    const char* parsedEnd = nullptr;
    const double parsed = NumberConverter::ParseDouble(text.c_str(), &parsedEnd);
    std::fesetround(FE_TONEAREST);
    const std::string context = Fuzz::Show(text);
    FUZZ_CHECK(static_cast<size_t>(parsedEnd - text.c_str()) == end,
               context + " ended at " + std::to_string(parsedEnd - text.c_str()) + ", expected " + std::to_string(end));
    FUZZ_CHECK(SameDouble(parsed, expected), context + " gave " + ShowDouble(parsed) + ", expected " + ShowDouble(expected));

    // The checked reading: the spellings of the special values, else a number using the whole text.
    for (bool strict : {false, true})
    {
        try
        {
            const double value = NumberConverter::ConvertStringToDouble(Fuzz::ExactCopy(in_input).get(), in_input.size(), strict);
            const bool special = std::isinf(value) || std::isnan(value);
            FUZZ_CHECK(special || SameDouble(value, parsed), context + " checked reading gave " + ShowDouble(value));
            FUZZ_CHECK(!strict || special || (end != 0 && end == text.size()), context + " accepted as a whole number");
        }
        catch (const Orvik::Support::NumberConversionInvalidDataException& e)
        {
            FUZZ_CHECK(strict && (end == 0 || end != text.size()), context + " refused: " + Fuzz::KeyOf(e));
        }
    }
}

/// The text a double is written as, into a heap buffer of exactly the documented size.
std::string Format(double in_value, uint16_t in_digits, int in_rounding)
{
    std::unique_ptr<char[]> buffer(new char[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE]);
    std::fesetround(in_rounding);
    const size_t length = NumberConverter::ConvertDoubleToChars(in_value, in_digits, buffer.get());
    std::fesetround(FE_TONEAREST);
    FUZZ_CHECK(length < NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE && std::strlen(buffer.get()) == length,
               ShowDouble(in_value) + " written with a bad length");
    return std::string(buffer.get(), length);
}

void CheckDoubleFormat(double in_value, uint16_t in_digits, int in_rounding)
{
    const std::string text = Format(in_value, in_digits, FE_TONEAREST);
    const std::string context = ShowDouble(in_value) + " with " + std::to_string(in_digits) + " digits as " + text;
    FUZZ_CHECK(Format(in_value, in_digits, in_rounding) == text, context + ": the rounding mode changed the text");
    if (std::isnan(in_value) || std::isinf(in_value))
    {
        const char* spelling = std::isnan(in_value) ? "NaN" : in_value > 0 ? "INFINITY" : "-INFINITY";
        FUZZ_CHECK(text == spelling, context);
        return;
    }
    FUZZ_CHECK(text.find_first_not_of("-0123456789.e+") == std::string::npos, context + ": unexpected character");
    const size_t exponent = text.find('e');
    FUZZ_CHECK(exponent == std::string::npos || text.size() - exponent >= 5, context + ": exponent of fewer than three digits");

    const int digits = std::min<int>(in_digits, 15);
    const double magnitude = std::fabs(in_value);
    const double back = std::strtod(text.c_str(), nullptr);
    char general[64];
    std::snprintf(general, sizeof(general), "%.*g", digits, in_value);
    const bool isGeneral = SameDouble(back, std::strtod(general, nullptr));
    // Fixed notation: the integer part whole, at most digits - (its digits) decimals, rounded.
    int integerDigits = 0;
    for (double i = std::floor(magnitude); i >= 1; i = std::floor(i / 10))
    {
        ++integerDigits;
    }
    const int decimals = std::max(digits - integerDigits, 0);
    const size_t point = text.find('.');
    const bool fixedShape = exponent == std::string::npos
                            && (point == std::string::npos || static_cast<int>(text.size() - point - 1) <= decimals);
    const bool isFixed = fixedShape && std::fabs(back - in_value) <= 0.75 * std::pow(10.0, -decimals) + magnitude * 1e-15;
    if (magnitude > 2147483647.0 || magnitude == 0)
    {
        FUZZ_CHECK(isGeneral, context + ", expected the value of " + general);
    }
    else if (magnitude >= 1)
    {
        FUZZ_CHECK(isFixed, context + ": not the value rounded to its decimals");
    }
    else
    {
        FUZZ_CHECK(isGeneral || isFixed, context + ": neither the general form nor the fixed rounding");
    }
    FUZZ_CHECK(std::signbit(back) == std::signbit(in_value) || back == 0, context + ": sign lost");

    if (in_digits == 15)
    {
        FUZZ_CHECK(NumberConverter::ConvertDoubleToString(in_value) == text, context + ": the string form differs");
    }
}

void CheckFloatFormat(float in_value, uint16_t in_digits)
{
    std::unique_ptr<char[]> buffer(new char[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE]);
    const size_t length = NumberConverter::ConvertFloatToChars(in_value, in_digits, buffer.get());
    FUZZ_CHECK(std::string(buffer.get(), length) == Format(in_value, in_digits, FE_TONEAREST),
               ShowDouble(in_value) + ": the float is not written as the double it widens to");
    if (in_digits == 7)
    {
        FUZZ_CHECK(NumberConverter::ConvertFloatToString(in_value) == std::string(buffer.get(), length),
                   ShowDouble(in_value) + ": the float's string form differs");
    }
}

template <typename T>
void CheckIntegerWriters(T in_value, const std::string& in_written, const orvik_wstring& in_wide)
{
    const std::string expected = std::to_string(in_value);
    FUZZ_CHECK(in_written == expected, "wrote " + in_written + " for " + expected);
    FUZZ_CHECK(in_wide.IsNull() || in_wide.GetAsUTF8() == expected, "wrote wide " + in_wide.GetAsUTF8() + " for " + expected);
    const size_t magnitudeDigits = expected.size() - (expected[0] == '-');
    FUZZ_CHECK(NumberConverter::GetNumberOfDigits(in_value) == static_cast<int>(magnitudeDigits), expected + ": digit count");
}

/// The right-aligned writers into a buffer of exactly in_size bytes: the text and its NUL at the
/// end, or a refusal that leaves the buffer as it was.
template <typename T>
void CheckCharsWriter(T in_value, uint16_t in_size, char* (*in_write)(T, uint16_t, char*))
{
    const std::string expected = std::to_string(in_value);
    std::unique_ptr<char[]> buffer(new char[in_size]);
    std::memset(buffer.get(), '#', in_size);
    const std::string context = expected + " into " + std::to_string(in_size) + " bytes";
    try
    {
        const char* start = in_write(in_value, in_size, buffer.get());
        FUZZ_CHECK(expected.size() + 1 <= in_size, context + " was accepted");
        FUZZ_CHECK(start == buffer.get() + in_size - expected.size() - 1 && std::string(start) == expected, context);
    }
    catch (const Orvik::Support::NumberConversionInvalidDataException& e)
    {
        FUZZ_CHECK(expected.size() + 1 > in_size && Fuzz::KeyOf(e) == "NumToStrConvFailed", context + ": " + Fuzz::KeyOf(e));
        FUZZ_CHECK(std::string(buffer.get(), in_size) == std::string(in_size, '#'), context + " refused, but wrote");
    }
}

void CheckIntegers(FuzzedDataProvider& io_data)
{
    const int64_t value = io_data.ConsumeIntegral<int64_t>();
    const uint16_t size = io_data.ConsumeIntegralInRange<uint16_t>(0, 24);
    const auto u64 = static_cast<uint64_t>(value);
    const auto i32 = static_cast<int32_t>(value);
    const auto u32 = static_cast<uint32_t>(value);
    const auto i16 = static_cast<int16_t>(value);
    const auto u16 = static_cast<uint16_t>(value);
    CheckIntegerWriters(static_cast<int8_t>(value), NumberConverter::ConvertInt8ToString(static_cast<int8_t>(value)), orvik_wstring());
    CheckIntegerWriters(static_cast<uint8_t>(value), NumberConverter::ConvertUInt8ToString(static_cast<uint8_t>(value)), orvik_wstring());
    CheckIntegerWriters(i16, NumberConverter::ConvertInt16ToString(i16), NumberConverter::ConvertInt16ToWString(i16));
    CheckIntegerWriters(u16, NumberConverter::ConvertUInt16ToString(u16), NumberConverter::ConvertUInt16ToWString(u16));
    CheckIntegerWriters(i32, NumberConverter::ConvertInt32ToString(i32), NumberConverter::ConvertInt32ToWString(i32));
    CheckIntegerWriters(u32, NumberConverter::ConvertUInt32ToString(u32), NumberConverter::ConvertUInt32ToWString(u32));
    CheckIntegerWriters(value, NumberConverter::ConvertInt64ToString(value), NumberConverter::ConvertInt64ToWString(value));
    CheckIntegerWriters(u64, NumberConverter::ConvertUInt64ToString(u64), NumberConverter::ConvertUInt64ToWString(u64));
    CheckCharsWriter<int16_t>(i16, size, &NumberConverter::ConvertInt16ToChars);
    CheckCharsWriter<uint16_t>(u16, size, &NumberConverter::ConvertUInt16ToChars);
    CheckCharsWriter<int32_t>(i32, size, &NumberConverter::ConvertInt32ToChars);
    CheckCharsWriter<uint32_t>(u32, size, &NumberConverter::ConvertUInt32ToChars);
    // What is written reads back.
    FUZZ_CHECK(NumberConverter::ConvertWStringToInt64(NumberConverter::ConvertInt64ToWString(value), true) == value,
               std::to_string(value) + " does not read back");
    FUZZ_CHECK(NumberConverter::ConvertWStringToUInt64(NumberConverter::ConvertUInt64ToWString(u64), true) == u64,
               std::to_string(u64) + " does not read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    // The first byte chooses the family and the rounding mode; the rest is its input.
    const int rounding = ROUNDING_MODES[(in_data[0] >> 2) & 3];
    const std::string text(reinterpret_cast<const char*>(in_data) + 1, in_size - 1);
    FuzzedDataProvider data(in_data + 1, in_size - 1);
    switch (in_data[0] & 3)
    {
    case 0: CheckIntegerTexts(text); break;
    case 1: CheckDoubleText(text, rounding); break;
    case 2:
    {
        const uint16_t digits = data.ConsumeIntegralInRange<uint16_t>(0, 20);
        const uint64_t bits = data.ConsumeIntegral<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof(value));
        CheckDoubleFormat(value, digits, rounding);
        CheckFloatFormat(static_cast<float>(value), digits);
        break;
    }
    default: CheckIntegers(data); break;
    }
    return 0;
}
