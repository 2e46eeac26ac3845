#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Support/SupportException.h"

#include <algorithm>
#include <climits>

namespace Orvik {
namespace Support {

namespace {

/// The shortest text that can hold a time.
constexpr size_t MIN_TEXT_LENGTH = 7;

/// Index of the "-" after the year, counted from after an optional leading "-".
constexpr size_t YEAR_SEPARATOR = 4;
constexpr size_t MONTH_SEPARATOR = 7;
constexpr size_t DATE_LENGTH = 10;

/// HH:MM:SS, with at most a point and nine fraction digits after it.
constexpr size_t TIME_LENGTH = 8;
constexpr size_t MAX_TIME_LENGTH = 18;
constexpr uint32_t NANOSECOND_DIGITS = 9;

enum class ParseError
{
    NONE,
    FORMAT,
    VALUE
};

/// Why a text was rejected and which part of it to name.
struct Rejection
{
    ParseError m_error = ParseError::NONE;
    const char* m_text = nullptr;
    size_t m_length = 0;
};

bool IsDigit(char in_char)
{
    return in_char >= '0' && in_char <= '9';
}

/// Reads in_count digits; false at a non-digit.
bool ReadDigits(const char* in_text, size_t in_count, uint32_t& out_value)
{
    out_value = 0;
    for (size_t i = 0; i < in_count; ++i)
    {
        if (!IsDigit(in_text[i]))
        {
            return false;
        }
        out_value = out_value * 10 + static_cast<uint32_t>(in_text[i] - '0');
    }
    return true;
}

ParseError ParseTime(const char* in_text, size_t in_length, TDWTimestampValue& io_value)
{
    if (in_length == 0)
    {
        io_value.m_hour = io_value.m_minute = io_value.m_second = 0;
        io_value.m_fraction = 0;
        return ParseError::NONE;
    }
    if (in_length < TIME_LENGTH || in_length > MAX_TIME_LENGTH || in_text[2] != ':' || in_text[5] != ':')
    {
        return ParseError::FORMAT;
    }
    uint32_t hour = 0;
    uint32_t minute = 0;
    uint32_t second = 0;
    uint32_t fraction = 0;
    size_t fractionDigits = (in_length > TIME_LENGTH) ? in_length - TIME_LENGTH - 1 : 0;
    bool pointOk = in_length == TIME_LENGTH || (in_text[TIME_LENGTH] == '.' && fractionDigits > 0);
    if (!ReadDigits(in_text, 2, hour) || !ReadDigits(in_text + 3, 2, minute)
        || !ReadDigits(in_text + 6, 2, second) || !pointOk
        || !ReadDigits(in_text + TIME_LENGTH + 1, fractionDigits, fraction))
    {
        return ParseError::VALUE;
    }
    for (size_t i = fractionDigits; i < NANOSECOND_DIGITS; ++i)
    {
        fraction *= 10;
    }
    io_value.m_hour = static_cast<uint16_t>(hour);
    io_value.m_minute = static_cast<uint16_t>(minute);
    io_value.m_second = static_cast<uint16_t>(second);
    io_value.m_fraction = fraction;
    return ParseError::NONE;
}

Rejection ParseTimestamp(const char* in_text, size_t in_length, TDWTimestampValue& io_value)
{
    Rejection whole{ParseError::FORMAT, in_text, in_length};
    if (in_text == nullptr || in_length < MIN_TEXT_LENGTH)
    {
        return whole;
    }
    bool negative = in_text[0] == '-';
    const char* date = in_text + (negative ? 1 : 0);
    const char* time = in_text;
    size_t timeLength = in_length;
    if (date[YEAR_SEPARATOR] == '-')
    {
        size_t dateLength = DATE_LENGTH + (negative ? 1 : 0);
        if (in_length < dateLength || date[MONTH_SEPARATOR] != '-')
        {
            return whole;
        }
        uint32_t year = 0;
        uint32_t month = 0;
        uint32_t day = 0;
        if (!ReadDigits(date, 4, year) || !ReadDigits(date + 5, 2, month) || !ReadDigits(date + 8, 2, day))
        {
            return {ParseError::VALUE, in_text, in_length};
        }
        io_value.m_year = static_cast<int16_t>(negative ? -static_cast<int32_t>(year) : year);
        io_value.m_month = static_cast<uint16_t>(month);
        io_value.m_day = static_cast<uint16_t>(day);
        if (in_length == dateLength)
        {
            return {};
        }
        if (in_text[dateLength] != ' ')
        {
            return {ParseError::FORMAT, in_text + dateLength, in_length - dateLength};
        }
        time = in_text + dateLength + 1;
        timeLength = in_length - dateLength - 1;
    }
    else
    {
        TDWDateValue today = TDWDateValue::Today();
        io_value.m_year = today.m_year;
        io_value.m_month = today.m_month;
        io_value.m_day = today.m_day;
    }
    ParseError error = ParseTime(time, timeLength, io_value);
    return {error, in_text, in_length};
}

[[noreturn]] void Raise(SupportErrorCode in_code, const char* in_text, size_t in_length)
{
    int32_t length = static_cast<int32_t>(std::min<size_t>(in_length, INT_MAX));
    throw SupportException(SupportError(in_code), {orvik_wstring(in_text, length)});
}

} // namespace

TDWTimestampValue::TDWTimestampValue(const char* in_text, size_t in_length, bool in_throwOnError)
{
    Parse(in_text, in_length, in_throwOnError);
    if (in_throwOnError && !IsValid())
    {
        Raise(SupportErrorCode::InvalidTimestampValue, in_text, in_length);
    }
}

void TDWTimestampValue::Parse(const char* in_text, size_t in_length, bool in_throwOnError)
{
    Rejection rejection = ParseTimestamp(in_text, in_length, *this);
    if (rejection.m_error == ParseError::NONE)
    {
        return;
    }
    if (in_throwOnError)
    {
        SupportErrorCode code = (rejection.m_error == ParseError::FORMAT)
            ? SupportErrorCode::InvalidTimestampFormat
            : SupportErrorCode::InvalidTimestampValue;
        Raise(code, rejection.m_text, rejection.m_length);
    }
    SetInvalidMarker();
}

void TDWTimestampValue::SetInvalidMarker()
{
    m_year = INT16_MAX;
    m_month = m_day = m_hour = m_minute = m_second = UINT16_MAX;
    m_fraction = UINT32_MAX;
}

} // namespace Support
} // namespace Orvik
