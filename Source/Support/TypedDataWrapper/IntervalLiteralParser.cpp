#include "Support/TypedDataWrapper/IntervalLiteralParser.h"

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/TDWIntervalLimits.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr uint32_t MAX_LOWER_FIELD_DIGITS = 2;
constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;

/// The fields of a day-time literal in the order they are written, each with the separator
/// that may follow it.
enum DayTimeField
{
    DAY,
    HOUR,
    MINUTE,
    SECOND,
    FRACTION
};

constexpr char SEPARATOR_AFTER[] = {' ', ':', ':', '.'};

/// The text being read, with the sign taken off and trailing blanks dropped.
struct Cursor
{
    const char* m_pos;
    const char* m_end;

    bool AtEnd() const { return m_pos == m_end; }
    bool AtDigit() const { return m_pos < m_end && *m_pos >= '0' && *m_pos <= '9'; }

    /// The number of digits from in_from on.
    size_t DigitRun(const char* in_from) const
    {
        const char* pos = in_from;
        while (pos < m_end && *pos >= '0' && *pos <= '9')
        {
            ++pos;
        }
        return static_cast<size_t>(pos - in_from);
    }
};

/// Takes a leading "-" and trailing blanks off; false when nothing remains.
bool Prepare(const char* in_text, size_t in_length, Cursor& out_cursor, bool& out_isNegative)
{
    out_cursor = {in_text, in_text + in_length};
    out_isNegative = !out_cursor.AtEnd() && *out_cursor.m_pos == '-';
    if (out_isNegative)
    {
        ++out_cursor.m_pos;
    }
    while (!out_cursor.AtEnd() && out_cursor.m_end[-1] == ' ')
    {
        --out_cursor.m_end;
    }
    return !out_cursor.AtEnd();
}

IntervalParseCode LeadingFieldTooLong(bool in_isNegative)
{
    return in_isNegative ? IntervalParseCode::LEADING_FIELD_TOO_LONG_NEGATIVE
                         : IntervalParseCode::LEADING_FIELD_TOO_LONG_POSITIVE;
}

/// Reads a number of at most in_maxDigits digits. Too many digits give in_tooLong; a field
/// without digits is malformed.
IntervalParseCode ReadField(
    Cursor& io_cursor,
    uint32_t in_maxDigits,
    IntervalParseCode in_tooLong,
    uint32_t& out_value)
{
    size_t digits = io_cursor.DigitRun(io_cursor.m_pos);
    if (digits == 0)
    {
        return IntervalParseCode::MALFORMED;
    }
    if (digits > in_maxDigits)
    {
        return in_tooLong;
    }
    out_value = 0;
    for (; digits > 0; --digits, ++io_cursor.m_pos)
    {
        out_value = out_value * 10 + static_cast<uint32_t>(*io_cursor.m_pos - '0');
    }
    return IntervalParseCode::PARSED;
}

/// The field a day-time literal starts with, told by what follows its leading digits.
bool ChooseFirstField(const Cursor& in_cursor, DayTimeField& out_field)
{
    const char* next = in_cursor.m_pos + in_cursor.DigitRun(in_cursor.m_pos);
    if (next == in_cursor.m_end || *next == ' ')
    {
        out_field = DAY;
        return true;
    }
    if (*next == '.')
    {
        out_field = SECOND;
        return true;
    }
    if (*next == ':')
    {
        const char* afterMinutes = next + 1 + in_cursor.DigitRun(next + 1);
        out_field = (afterMinutes < in_cursor.m_end && *afterMinutes == '.') ? MINUTE : HOUR;
        return true;
    }
    return false;
}

/// Reads up to nine fraction digits, which must end the text, and scales them to the precision.
IntervalParseCode ReadFraction(Cursor& io_cursor, int16_t in_precision, DayTimeIntervalParse& io_record)
{
    size_t digits = io_cursor.DigitRun(io_cursor.m_pos);
    if (digits == 0 || io_cursor.m_pos + digits != io_cursor.m_end)
    {
        return IntervalParseCode::MALFORMED;
    }
    if (digits > TDWIntervalLimits::MAX_LEADING_DIGITS)
    {
        return IntervalParseCode::FRACTION_TOO_LONG;
    }
    uint32_t fraction = 0;
    ReadField(io_cursor, TDWIntervalLimits::MAX_LEADING_DIGITS, IntervalParseCode::MALFORMED, fraction);
    int16_t precision = std::clamp<int16_t>(in_precision, 0, MAX_FRACTIONAL_PRECISION);
    for (size_t scale = digits; scale < static_cast<size_t>(precision); ++scale)
    {
        fraction *= 10;
    }
    io_record.m_fraction = static_cast<int32_t>(fraction);
    io_record.m_fractionDigits = static_cast<uint8_t>(digits);
    return IntervalParseCode::PARSED;
}

uint32_t& FieldOf(DayTimeIntervalParse& io_record, DayTimeField in_field)
{
    switch (in_field)
    {
    case DAY: return io_record.m_day;
    case HOUR: return io_record.m_hour;
    case MINUTE: return io_record.m_minute;
    default: return io_record.m_second;
    }
}

} // namespace

IntervalParseCode IntervalLiteralParser::ParseDayTimeInterval(
    const char* in_text,
    size_t in_length,
    DayTimeIntervalParse& out_record,
    int16_t in_fractionalPrecision)
{
    out_record = DayTimeIntervalParse();
    Cursor cursor{};
    DayTimeField field = DAY;
    if (!Prepare(in_text, in_length, cursor, out_record.m_isNegative) || !ChooseFirstField(cursor, field))
    {
        return IntervalParseCode::MALFORMED;
    }
    uint32_t maxDigits = TDWIntervalLimits::MAX_LEADING_DIGITS;
    IntervalParseCode tooLong = LeadingFieldTooLong(out_record.m_isNegative);
    for (; !cursor.AtEnd(); field = static_cast<DayTimeField>(field + 1))
    {
        ++out_record.m_fieldCount;
        if (field == FRACTION)
        {
            return ReadFraction(cursor, in_fractionalPrecision, out_record);
        }
        IntervalParseCode code = ReadField(cursor, maxDigits, tooLong, FieldOf(out_record, field));
        if (code != IntervalParseCode::PARSED)
        {
            return code;
        }
        if (!cursor.AtEnd() && *cursor.m_pos++ != SEPARATOR_AFTER[field])
        {
            return IntervalParseCode::MALFORMED;
        }
        maxDigits = MAX_LOWER_FIELD_DIGITS;
        tooLong = IntervalParseCode::MALFORMED;
    }
    return IntervalParseCode::PARSED;
}

IntervalParseCode IntervalLiteralParser::ParseYearMonthInterval(
    const char* in_text,
    size_t in_length,
    YearMonthIntervalParse& out_record)
{
    out_record = YearMonthIntervalParse();
    Cursor cursor{};
    if (!Prepare(in_text, in_length, cursor, out_record.m_isNegative))
    {
        return IntervalParseCode::MALFORMED;
    }
    IntervalParseCode tooLong = LeadingFieldTooLong(out_record.m_isNegative);
    IntervalParseCode code =
        ReadField(cursor, TDWIntervalLimits::MAX_LEADING_DIGITS, tooLong, out_record.m_years);
    if (code != IntervalParseCode::PARSED)
    {
        return code;
    }
    if (cursor.AtEnd())
    {
        out_record.m_isSingleField = true;
        return IntervalParseCode::PARSED;
    }
    if (*cursor.m_pos++ != '-'
        || ReadField(cursor, MAX_LOWER_FIELD_DIGITS, IntervalParseCode::MALFORMED, out_record.m_months)
            != IntervalParseCode::PARSED
        || !cursor.AtEnd() || out_record.m_months > TDWIntervalLimits::MAX_MONTH)
    {
        return IntervalParseCode::MALFORMED;
    }
    return IntervalParseCode::PARSED;
}

void IntervalLiteralParser::PostIntervalParseResult(IntervalParseCode in_code, WarningListener& in_listener)
{
    switch (in_code)
    {
    case IntervalParseCode::PARSED:
        return;
    case IntervalParseCode::MALFORMED:
        in_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    case IntervalParseCode::FRACTION_TOO_LONG:
        in_listener.PostWarning(ConversionResult::IntervalFieldOverflow(2));
        return;
    case IntervalParseCode::LEADING_FIELD_TOO_LONG_NEGATIVE:
        in_listener.PostWarning(ConversionResult::IntervalFieldOverflow(1));
        return;
    case IntervalParseCode::LEADING_FIELD_TOO_LONG_POSITIVE:
        in_listener.PostWarning(ConversionResult::IntervalFieldOverflow(0));
        return;
    case IntervalParseCode::LOWER_FIELDS_LOST_NEGATIVE:
        in_listener.PostWarning(ConversionResult::FractionalTrunc(0));
        return;
    case IntervalParseCode::LOWER_FIELDS_LOST_POSITIVE:
        in_listener.PostWarning(ConversionResult::FractionalTrunc(1));
        return;
    }
}

} // namespace Support
} // namespace Orvik
