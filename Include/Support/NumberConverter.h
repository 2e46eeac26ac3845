#pragma once

#include "Support/orvik_wstring.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

/// The driver's one place for turning numbers into text and text into numbers. Numbers are
/// always written and read as in the C locale, whatever locale the host application has set.
///
/// Text to integer: an optional sign, then digits only; no white space anywhere. Strict
/// parsing fails on the first other character with NumberConversionInvalidDataException
/// "StrToNumConvFailed"; non-strict parsing stops there and returns what it read (a sign alone
/// or nothing gives 0). In both modes a value beyond the type raises
/// NumberConversionOutOfRangeException "StrToNumConvFailedOverflow" or
/// "StrToNumConvFailedUnderflow", and a minus sign for an unsigned type
/// "StrToNumConvFailedUnsigned". The one message parameter is the text from where reading
/// stopped (the whole text for the minus sign, and always for the counted forms). A null text
/// counts as empty. The orvik_wstring forms read the string's ANSI encoding.
class NumberConverter
{
public:
    NumberConverter() = delete;

    /// The spellings of NaN and the infinities, as written and as read.
    static constexpr const char* NAN_TEXT = "NaN";
    static constexpr const char* INFINITY_TEXT = "INFINITY";
    static constexpr const char* NEGATIVE_INFINITY_TEXT = "-INFINITY";

    /// The smallest buffer FormatDouble, ConvertFloatToChars and ConvertDoubleToChars may be
    /// given.
    static constexpr size_t FORMAT_DOUBLE_BUFFER_SIZE = 32;

    /// Integers in decimal: "-" before a negative value, no "+", no leading zeros, no grouping.
    static std::string ConvertInt8ToString(int8_t in_value);
    static std::string ConvertUInt8ToString(uint8_t in_value);
    static std::string ConvertInt16ToString(int16_t in_value);
    static std::string ConvertUInt16ToString(uint16_t in_value);
    static std::string ConvertInt32ToString(int32_t in_value);
    static std::string ConvertUInt32ToString(uint32_t in_value);
    static std::string ConvertInt64ToString(int64_t in_value);
    static std::string ConvertUInt64ToString(uint64_t in_value);

    static orvik_wstring ConvertInt16ToWString(int16_t in_value);
    static orvik_wstring ConvertUInt16ToWString(uint16_t in_value);
    static orvik_wstring ConvertInt32ToWString(int32_t in_value);
    static orvik_wstring ConvertUInt32ToWString(uint32_t in_value);
    static orvik_wstring ConvertInt64ToWString(int64_t in_value);
    static orvik_wstring ConvertUInt64ToWString(uint64_t in_value);

    /// Writes the integer right-aligned into out_buffer of in_size bytes, the NUL in the last
    /// byte, and returns the position of its first character. Throws
    /// NumberConversionInvalidDataException "NumToStrConvFailed", writing nothing, when the text
    /// and its NUL do not fit.
    static char* ConvertInt16ToChars(int16_t in_value, uint16_t in_size, char* out_buffer);
    static char* ConvertUInt16ToChars(uint16_t in_value, uint16_t in_size, char* out_buffer);
    static char* ConvertInt32ToChars(int32_t in_value, uint16_t in_size, char* out_buffer);
    static char* ConvertUInt32ToChars(uint32_t in_value, uint16_t in_size, char* out_buffer);

    /// A float with 7 digits, a double with 15, as ConvertFloatToChars and
    /// ConvertDoubleToChars write them.
    static std::string ConvertFloatToString(float in_value);
    static std::string ConvertDoubleToString(double in_value);
    static orvik_wstring ConvertFloatToWString(float in_value);
    static orvik_wstring ConvertDoubleToWString(double in_value);

    /// The spellings of NaN and the infinities as orvik_wstring.
    static const orvik_wstring& GetNaNWString();
    static const orvik_wstring& GetInfinityWString();
    static const orvik_wstring& GetNegativeInfinityWString();

    /// Writes "NaN", "INFINITY" or "-INFINITY" for those values, and any other value as
    /// FormatDouble does (a float widened exactly), into out_buffer of at least
    /// FORMAT_DOUBLE_BUFFER_SIZE bytes; returns the length of the NUL-terminated text.
    static size_t ConvertFloatToChars(float in_value, uint16_t in_digits, char* out_buffer);
    static size_t ConvertDoubleToChars(double in_value, uint16_t in_digits, char* out_buffer);

    // Text to integer, by the rules above. The counted forms read in_length bytes; an empty
    // counted text fails even when not strict.
    static int16_t ConvertStringToInt16(const char* in_text, size_t in_length, bool in_strict);
    static int16_t ConvertStringToInt16(const char* in_text, bool in_strict);
    static uint16_t ConvertStringToUInt16(const char* in_text, bool in_strict);
    static uint16_t ConvertStringToUInt16(const std::string& in_text, bool in_strict);
    static int32_t ConvertStringToInt32(const char* in_text, bool in_strict);
    static int32_t ConvertStringToInt32(const std::string& in_text, bool in_strict);
    static uint32_t ConvertStringToUInt32(const char* in_text, bool in_strict);
    static uint32_t ConvertStringToUInt32(const std::string& in_text, bool in_strict);
    static uint32_t ConvertStringToUInt32(const char* in_text, size_t in_length, bool in_strict);
    static int16_t ConvertWStringToInt16(const orvik_wstring& in_text, bool in_strict);
    static uint16_t ConvertWStringToUInt16(const orvik_wstring& in_text, bool in_strict);
    static uint32_t ConvertWStringToUInt32(const orvik_wstring& in_text, bool in_strict);
    static int64_t ConvertWStringToInt64(const orvik_wstring& in_text, bool in_strict);
    static uint64_t ConvertWStringToUInt64(const orvik_wstring& in_text, bool in_strict);

    /// Reads a double: a text of 3 to 8 characters that begins "INFINITY" in any case gives
    /// +infinity, one of 4 to 9 that begins "-INFINITY" -infinity, and "NaN" in any case the
    /// quiet NaN; any other text is read by ParseDouble. Strict reading needs a number that
    /// uses the whole text, else throws NumberConversionInvalidDataException
    /// "StrToNumConvFailed" with the whole text; non-strict reading ignores what follows the
    /// number. The counted form reads a copy of in_length bytes, which ends at a NUL among them.
    static double ConvertStringToDouble(const char* in_text, bool in_strict);
    static double ConvertStringToDouble(const char* in_text, size_t in_length, bool in_strict);

    /// The count of decimal digits of the value's magnitude (1 for zero; the sign not counted).
    static int GetNumberOfDigits(int8_t in_value);
    static int GetNumberOfDigits(uint8_t in_value);
    static int GetNumberOfDigits(int16_t in_value);
    static int GetNumberOfDigits(uint16_t in_value);
    static int GetNumberOfDigits(int32_t in_value);
    static int GetNumberOfDigits(uint32_t in_value);
    static int GetNumberOfDigits(int64_t in_value);
    static int GetNumberOfDigits(uint64_t in_value);

    /// True only for a NaN: all exponent bits set and a fraction that is not zero.
    static bool IsNaN(const float& in_value);
    static bool IsNaN(const double& in_value);

    /// Writes in_value with in_digits digits (at most 15) into out_buffer, which must hold
    /// FORMAT_DOUBLE_BUFFER_SIZE bytes, NUL-terminated; returns the length of the text.
    /// Magnitudes from half of 10^-digits (1 for 0 digits) to 2147483647 are written in fixed
    /// notation with the integer part in full and at most digits - (integer digits) decimals,
    /// trailing zeros removed; others as "%.*g" writes them, with an exponent of at least three
    /// digits.
    static size_t FormatDouble(double in_value, char* out_buffer, uint16_t in_digits);

    /// Reads a decimal number from the NUL-terminated in_text and returns the double nearest
    /// to it, ties to even. Syntax: white space, an optional sign, digits with an optional "."
    /// (at least one digit), and an optional exponent ("e" or "E", an optional sign and at
    /// least one digit; beyond 19999 or more than 8 significant digits it counts as 19999).
    /// No hexadecimal, infinity or NaN form. out_end, when given, receives the position after
    /// the last character used, or in_text when there are no digits (the result is then +0).
    /// Overflow gives an infinity and underflow zero or a subnormal, without any error.
    static double ParseDouble(const char* in_text, const char** out_end = nullptr);
};

} // namespace Support
} // namespace Orvik
