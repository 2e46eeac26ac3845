#include "Support/TypedDataWrapper/LiteralParser.h"

#include "Platform/OsNumbers.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>

namespace Orvik {
namespace Support {

namespace {

/// Directions of "NumericValOutOfRange" and "FractionalTrunc".
constexpr int32_t ABOVE_RANGE = 0;
constexpr int32_t BELOW_RANGE = 1;
constexpr int32_t NO_DIRECTION = 2;
constexpr int32_t NON_NEGATIVE_VALUE = 1;

constexpr uint32_t NANOSECOND_DIGITS = 9;
constexpr uint32_t POWERS_OF_TEN[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

/// An ODBC escape: its opening text (all close with ESCAPE_CLOSE) and the shortest text that
/// may use it.
struct Escape
{
    const char* m_open;
    size_t m_minLength;
};

constexpr const char* ESCAPE_CLOSE = "'}";
constexpr Escape DATE_ESCAPE = {"{d '", 16};
constexpr Escape TIME_ESCAPE = {"{t '", 14};
constexpr Escape TIMESTAMP_ESCAPE = {"{ts '", 26};
constexpr Escape GUID_ESCAPE = {"{guid '", 45};

enum class SpecialWord
{
    NONE,
    POSITIVE_INFINITY,
    NEGATIVE_INFINITY,
    NOT_A_NUMBER
};

/// A piece of the caller's text.
struct Text
{
    const char* m_data;
    size_t m_length;

    bool IsBlank() const { return m_length == 0; }
    bool StartsWith(char in_char) const { return m_length > 0 && m_data[0] == in_char; }
};

bool IsTrailingFill(char in_char, bool in_dropNul)
{
    return in_char == ' ' || (in_dropNul && in_char == '\0');
}

Text SkipLeadingBlanks(const char* in_text, size_t in_length)
{
    Text text{in_text, (in_text == nullptr) ? 0 : in_length};
    for (; text.m_length > 0 && text.m_data[0] == ' '; --text.m_length)
    {
        ++text.m_data;
    }
    return text;
}

Text Trim(const char* in_text, size_t in_length, bool in_dropNul = false)
{
    Text text = SkipLeadingBlanks(in_text, in_length);
    while (text.m_length > 0 && IsTrailingFill(text.m_data[text.m_length - 1], in_dropNul))
    {
        --text.m_length;
    }
    return text;
}

/// The inside of in_escape when in_text is long enough for it and is wrapped in it.
bool Unescape(const Text& in_text, const Escape& in_escape, Text& out_inside)
{
    size_t openLength = std::strlen(in_escape.m_open);
    size_t closeLength = std::strlen(ESCAPE_CLOSE);
    if (in_text.m_length < in_escape.m_minLength)
    {
        return false;
    }
    const char* close = in_text.m_data + in_text.m_length - closeLength;
    if (std::memcmp(in_text.m_data, in_escape.m_open, openLength) != 0
        || std::memcmp(close, ESCAPE_CLOSE, closeLength) != 0)
    {
        return false;
    }
    out_inside = {in_text.m_data + openLength, in_text.m_length - openLength - closeLength};
    return true;
}

char ToUpperAscii(char in_char)
{
    return (in_char >= 'a' && in_char <= 'z') ? static_cast<char>(in_char - 'a' + 'A') : in_char;
}

/// True when the text is a leading part of in_word of at least in_minLength characters,
/// compared without regard to case.
bool IsLeadingPartOf(const Text& in_text, const char* in_word, size_t in_minLength)
{
    if (in_text.m_length < in_minLength || in_text.m_length > std::strlen(in_word))
    {
        return false;
    }
    for (size_t i = 0; i < in_text.m_length; ++i)
    {
        if (ToUpperAscii(in_text.m_data[i]) != ToUpperAscii(in_word[i]))
        {
            return false;
        }
    }
    return true;
}

/// "inf", "Infin" and "INFINITY" name +infinity, "-INF" and longer -infinity, "NaN" alone NaN.
SpecialWord MatchSpecialWord(const Text& in_text)
{
    if (IsLeadingPartOf(in_text, NumberConverter::INFINITY_TEXT, 3))
    {
        return SpecialWord::POSITIVE_INFINITY;
    }
    if (IsLeadingPartOf(in_text, NumberConverter::NEGATIVE_INFINITY_TEXT, 4))
    {
        return SpecialWord::NEGATIVE_INFINITY;
    }
    bool isNaN = in_text.m_length == 3 && IsLeadingPartOf(in_text, NumberConverter::NAN_TEXT, 3);
    return isNaN ? SpecialWord::NOT_A_NUMBER : SpecialWord::NONE;
}

/// The trimmed text, or the inside of in_escape or of a timestamp escape when it begins with
/// "{". False when it is blank or begins with "{" but fits neither escape.
bool UnwrapDatetime(const char* in_text, size_t in_length, const Escape& in_escape, Text& out_text)
{
    out_text = Trim(in_text, in_length);
    bool unusableEscape = out_text.StartsWith('{') && !Unescape(out_text, in_escape, out_text)
        && !Unescape(out_text, TIMESTAMP_ESCAPE, out_text);
    return !out_text.IsBlank() && !unusableEscape;
}

/// The result of a blank or unusable date or timestamp text.
const ConversionResult& UnusableDatetime(bool in_toSql)
{
    return in_toSql ? ConversionResult::InvalidCharValForCast()
                    : ConversionResult::NumericValOutOfRange(NO_DIRECTION);
}

/// Parses a date, time or timestamp text, from 1900-01-01 00:00:00, without raising.
TDWTimestampValue ParseTimestamp(const Text& in_text)
{
    TDWTimestampValue value;
    value.Parse(in_text.m_data, in_text.m_length, false);
    return value;
}

bool HasDatePart(const Text& in_text)
{
    size_t separator = in_text.StartsWith('-') ? 5 : 4;
    return in_text.m_length > separator && in_text.m_data[separator] == '-';
}

/// Characters after the text's last "."; 0 without one.
size_t FractionCharacters(const Text& in_text)
{
    for (size_t i = in_text.m_length; i-- > 0;)
    {
        if (in_text.m_data[i] == '.')
        {
            return in_text.m_length - i - 1;
        }
    }
    return 0;
}

/// Cuts a fraction written with more digits than in_precision keeps, or refuses it toward SQL.
void FitFraction(
    const Text& in_text,
    bool in_toSql,
    int16_t in_precision,
    uint32_t& io_fraction,
    WarningListener& in_listener)
{
    uint32_t precision = static_cast<uint32_t>(std::clamp<int16_t>(in_precision, 0, int16_t{9}));
    if (FractionCharacters(in_text) <= precision)
    {
        return;
    }
    if (in_toSql)
    {
        in_listener.PostWarning(ConversionResult::DatetimeFieldOverflow());
        return;
    }
    io_fraction -= io_fraction % POWERS_OF_TEN[NANOSECOND_DIGITS - precision];
    in_listener.PostWarning(ConversionResult::FractionalTrunc(NON_NEGATIVE_VALUE));
}

/// Rounds the text of a number straight to float: rounding it to double first could round
/// twice and carry a text just below the float overflow threshold over it.
float ParseFloat(const char* in_number)
{
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", locale_t());
    OS::RoundingToNearest rounding;
    return strtof_l(in_number, nullptr, s_cLocale);
}

/// A NUL-terminated copy of a text for the C library's number readers: on the stack unless the
/// text is long, so that a fetched number costs no allocation.
class TerminatedCopy
{
public:
    explicit TerminatedCopy(const Text& in_text)
        : m_large(in_text.m_length < sizeof(m_small) ? nullptr : new char[in_text.m_length + 1])
    {
        std::memcpy(Data(), in_text.m_data, in_text.m_length);
        Data()[in_text.m_length] = '\0';
    }

    char* Data() { return m_large ? m_large.get() : m_small; }

private:
    char m_small[64];
    std::unique_ptr<char[]> m_large;
};

void StoreDouble(double in_value, void* out_target, bool in_isDouble)
{
    if (out_target == nullptr)
    {
        return;
    }
    if (in_isDouble)
    {
        std::memcpy(out_target, &in_value, sizeof(in_value));
        return;
    }
    float value = static_cast<float>(in_value);
    std::memcpy(out_target, &value, sizeof(value));
}

/// Most digits a plain integer text may have to be read without the exact-number parse.
constexpr size_t MAX_PLAIN_DIGITS = 18;

/// The value of a text that is only an optional sign and at most eighteen digits, the form in
/// which integers mostly arrive; false for any other text, which the exact-number parse reads
/// to the same value.
bool ReadPlainInteger(const Text& in_text, int64_t& out_value)
{
    const bool isNegative = in_text.StartsWith('-');
    size_t i = (isNegative || in_text.StartsWith('+')) ? 1 : 0;
    if (in_text.m_length == i || in_text.m_length - i > MAX_PLAIN_DIGITS)
    {
        return false;
    }
    int64_t value = 0;
    for (; i < in_text.m_length; ++i)
    {
        const char digit = in_text.m_data[i];
        if (digit < '0' || digit > '9')
        {
            return false;
        }
        value = value * 10 + (digit - '0');
    }
    out_value = isNegative ? -value : value;
    return true;
}

/// Stores a plain integer's value in T, or posts that T cannot hold it.
template <typename T>
void StorePlainInteger(int64_t in_value, T& out_value, WarningListener& in_listener)
{
    if (in_value < static_cast<int64_t>(std::numeric_limits<T>::min()))
    {
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(BELOW_RANGE));
        return;
    }
    if (in_value > 0 && static_cast<uint64_t>(in_value) > static_cast<uint64_t>(std::numeric_limits<T>::max()))
    {
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(ABOVE_RANGE));
        return;
    }
    out_value = static_cast<T>(in_value);
}

/// The value of a number's text in the integer type T, read by in_get of TDWNumeric.
template <typename T>
void ConvertCharToInteger(
    const char* in_text,
    size_t in_length,
    bool in_toSql,
    T (TDWNumeric::*in_get)(bool&) const,
    T& out_value,
    WarningListener& in_listener)
{
    Text text = Trim(in_text, in_length);
    if (text.IsBlank())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    int64_t plain = 0;
    if (ReadPlainInteger(text, plain))
    {
        StorePlainInteger(plain, out_value, in_listener);
        return;
    }
    switch (MatchSpecialWord(text))
    {
    case SpecialWord::POSITIVE_INFINITY:
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(ABOVE_RANGE));
        return;
    case SpecialWord::NEGATIVE_INFINITY:
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(BELOW_RANGE));
        return;
    case SpecialWord::NOT_A_NUMBER:
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(NO_DIRECTION));
        return;
    case SpecialWord::NONE:
        break;
    }
    TDWNumeric value(text.m_data, text.m_length, false);
    if (!value.IsValid())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    bool overflow = false;
    out_value = (value.*in_get)(overflow);
    bool isNegative = value.IsNegative();
    if (overflow)
    {
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(isNegative ? BELOW_RANGE : ABOVE_RANGE));
        return;
    }
    if (value.GetExponent() < 0 && value.HasFraction())
    {
        in_listener.PostWarning(in_toSql ? ConversionResult::StrRightTruncErr()
                                         : ConversionResult::FractionalTrunc(isNegative ? 0 : NON_NEGATIVE_VALUE));
    }
}

} // namespace

void LiteralParser::ConvertCharToDate(
    const char* in_text,
    size_t in_length,
    bool in_toSql,
    int16_t& out_year,
    uint16_t& out_month,
    uint16_t& out_day,
    WarningListener& in_listener)
{
    Text text{};
    if (!UnwrapDatetime(in_text, in_length, DATE_ESCAPE, text))
    {
        in_listener.PostWarning(UnusableDatetime(in_toSql));
        return;
    }
    TDWTimestampValue value = ParseTimestamp(text);
    if (!value.IsValid() || !HasDatePart(text))
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    out_year = value.m_year;
    out_month = value.m_month;
    out_day = value.m_day;
    if (value.m_hour != 0 || value.m_minute != 0 || value.m_second != 0 || value.m_fraction != 0)
    {
        in_listener.PostWarning(in_toSql ? ConversionResult::DatetimeFieldOverflow()
                                         : ConversionResult::FractionalTrunc(NON_NEGATIVE_VALUE));
    }
}

void LiteralParser::ConvertCharToTime(
    const char* in_text,
    size_t in_length,
    bool in_toSql,
    int16_t in_precision,
    uint16_t& out_hour,
    uint16_t& out_minute,
    uint16_t& out_second,
    uint32_t& out_fraction,
    WarningListener& in_listener)
{
    Text text{};
    if (!UnwrapDatetime(in_text, in_length, TIME_ESCAPE, text))
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    TDWTimestampValue value = ParseTimestamp(text);
    bool isMidnight = value.m_hour == 0 && value.m_minute == 0 && value.m_second == 0;
    // A date alone parses to midnight but is no time.
    if (!value.IsValid() || (isMidnight && std::memchr(text.m_data, ':', text.m_length) == nullptr))
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    out_hour = value.m_hour;
    out_minute = value.m_minute;
    out_second = value.m_second;
    out_fraction = value.m_fraction;
    FitFraction(text, in_toSql, in_precision, out_fraction, in_listener);
}

void LiteralParser::ConvertCharToTimestamp(
    const char* in_text,
    size_t in_length,
    bool in_toSql,
    int16_t in_precision,
    TDWTimestampValue& out_timestamp,
    WarningListener& in_listener)
{
    Text text = Trim(in_text, in_length);
    // A shorter text in braces is left to the parse, which refuses it.
    bool escaped = text.StartsWith('{') && text.m_length >= TIMESTAMP_ESCAPE.m_minLength;
    if (text.IsBlank() || (escaped && !Unescape(text, TIMESTAMP_ESCAPE, text)))
    {
        in_listener.PostWarning(UnusableDatetime(in_toSql));
        return;
    }
    // The target's old contents are never read: a date alone gets midnight.
    out_timestamp = ParseTimestamp(text);
    if (!out_timestamp.IsValid())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    if (out_timestamp.m_fraction != 0)
    {
        FitFraction(text, in_toSql, in_precision, out_timestamp.m_fraction, in_listener);
    }
}

void LiteralParser::ConvertCharToSTinyInt(
    const char* in_text, size_t in_length, bool in_toSql, int8_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetInt8, out_value, in_listener);
}

void LiteralParser::ConvertCharToUTinyInt(
    const char* in_text, size_t in_length, bool in_toSql, uint8_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetUInt8, out_value, in_listener);
}

void LiteralParser::ConvertCharToSShort(
    const char* in_text, size_t in_length, bool in_toSql, int16_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetInt16, out_value, in_listener);
}

void LiteralParser::ConvertCharToUShort(
    const char* in_text, size_t in_length, bool in_toSql, uint16_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetUInt16, out_value, in_listener);
}

void LiteralParser::ConvertCharToSLong(
    const char* in_text, size_t in_length, bool in_toSql, int32_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetInt32, out_value, in_listener);
}

void LiteralParser::ConvertCharToULong(
    const char* in_text, size_t in_length, bool in_toSql, uint32_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetUInt32, out_value, in_listener);
}

void LiteralParser::ConvertCharToSBigInt(
    const char* in_text, size_t in_length, bool in_toSql, int64_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetInt64, out_value, in_listener);
}

void LiteralParser::ConvertCharToUBigInt(
    const char* in_text, size_t in_length, bool in_toSql, uint64_t& out_value, WarningListener& in_listener)
{
    ConvertCharToInteger(in_text, in_length, in_toSql, &TDWNumeric::GetUInt64, out_value, in_listener);
}

bool LiteralParser::ConvertCharToNumeric(
    const char* in_text,
    size_t in_length,
    TDWNumeric& out_value,
    int16_t& out_digitCount,
    WarningListener& in_listener)
{
    Text text = Trim(in_text, in_length, true);
    if (text.IsBlank())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return false;
    }
    switch (MatchSpecialWord(text))
    {
    case SpecialWord::POSITIVE_INFINITY:
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(ABOVE_RANGE));
        return false;
    case SpecialWord::NEGATIVE_INFINITY:
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(BELOW_RANGE));
        return false;
    case SpecialWord::NOT_A_NUMBER:
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(NO_DIRECTION));
        return false;
    case SpecialWord::NONE:
        break;
    }
    out_value.Parse(text.m_data, text.m_length, false);
    if (!out_value.IsValid())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return false;
    }
    // The digits before an exponent letter.
    int32_t digits = 0;
    for (size_t i = 0; i < text.m_length; ++i)
    {
        char c = text.m_data[i];
        if (c >= '0' && c <= '9')
        {
            ++digits;
        }
        else if (c != '+' && c != '-' && c != '.')
        {
            break;
        }
    }
    out_digitCount = static_cast<int16_t>(std::min<int32_t>(digits, std::numeric_limits<int16_t>::max()));
    return true;
}

void LiteralParser::ConvertCharToDouble(
    const char* in_text,
    size_t in_length,
    void* out_target,
    bool in_isDouble,
    WarningListener& in_listener)
{
    // Trailing blanks are part of the text the special words are matched against.
    Text text = SkipLeadingBlanks(in_text, in_length);
    if (Trim(in_text, in_length).IsBlank())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    switch (MatchSpecialWord(text))
    {
    case SpecialWord::POSITIVE_INFINITY:
        StoreDouble(std::numeric_limits<double>::infinity(), out_target, in_isDouble);
        return;
    case SpecialWord::NEGATIVE_INFINITY:
        StoreDouble(-std::numeric_limits<double>::infinity(), out_target, in_isDouble);
        return;
    case SpecialWord::NOT_A_NUMBER:
        StoreDouble(std::numeric_limits<double>::quiet_NaN(), out_target, in_isDouble);
        return;
    case SpecialWord::NONE:
        break;
    }
    TerminatedCopy terminated(text);
    char* number = terminated.Data();
    const char* end = nullptr;
    double value = NumberConverter::ParseDouble(number, &end);
    size_t numberEnd = static_cast<size_t>(end - number);
    for (size_t i = numberEnd; i < text.m_length; ++i)
    {
        if (number[i] != ' ')
        {
            in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
            return;
        }
    }
    number[numberEnd] = '\0';
    double smallestNormal = in_isDouble ? DBL_MIN : FLT_MIN;
    if (std::fabs(value) < smallestNormal)
    {
        value = 0.0;
    }
    else if (!in_isDouble)
    {
        value = ParseFloat(number);
    }
    // Out of range only when rounding to the target type overflows: the largest float itself
    // is a float.
    if (std::isinf(value))
    {
        int32_t direction = text.StartsWith('-') ? BELOW_RANGE : ABOVE_RANGE;
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(direction));
        return;
    }
    StoreDouble(value, out_target, in_isDouble);
}

void LiteralParser::ConvertCharToBit(
    const char* in_text,
    size_t in_length,
    uint8_t* out_target,
    WarningListener& in_listener)
{
    Text text = Trim(in_text, in_length);
    if (text.IsBlank() || MatchSpecialWord(text) != SpecialWord::NONE)
    {
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(NO_DIRECTION));
        return;
    }
    if (text.m_length == 1 && (text.m_data[0] == '0' || text.m_data[0] == '1'))
    {
        if (out_target != nullptr)
        {
            *out_target = static_cast<uint8_t>(text.m_data[0] - '0');
        }
        return;
    }
    TDWNumeric value(text.m_data, text.m_length, false);
    if (!value.IsValid())
    {
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    ConversionHelpers::NumericToBit(value, out_target, in_listener);
}

void LiteralParser::ConvertCharToGuid(
    const char* in_text,
    size_t in_length,
    void* out_target,
    int64_t& io_targetLength,
    WarningListener& in_listener)
{
    Text text = Trim(in_text, in_length);
    // A shorter text in braces is handed to the GUID parse unchanged.
    bool escaped = text.StartsWith('{') && text.m_length >= GUID_ESCAPE.m_minLength;
    if (text.IsBlank() || (escaped && !Unescape(text, GUID_ESCAPE, text)))
    {
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(NO_DIRECTION));
        return;
    }
    constexpr size_t SQLGUID_SIZE = 16;
    io_targetLength = SQLGUID_SIZE;
    TDWGuidValue value;
    value.Parse(text.m_data, text.m_length, false);
    if (!value.m_isValid)
    {
        in_listener.PostWarning(ConversionResult::NumericValOutOfRange(NO_DIRECTION));
        return;
    }
    if (out_target != nullptr)
    {
        std::memcpy(out_target, &value, SQLGUID_SIZE);
    }
}

} // namespace Support
} // namespace Orvik
