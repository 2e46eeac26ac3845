// Character text into dates, times, timestamps and intervals, from application buffers and from
// SQL-side character values, narrow and wide.

#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/orvik_wstring.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/FixedToday.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::Support;

namespace {

/// Where a text comes from: an application buffer or a SQL-side value, narrow or wide (UTF-16LE).
enum class Side
{
    C_NARROW,
    C_WIDE,
    SQL_NARROW,
    SQL_WIDE
};

constexpr Side SIDES[] = {Side::C_NARROW, Side::C_WIDE, Side::SQL_NARROW, Side::SQL_WIDE};

bool IsCSide(Side in_side)
{
    return in_side == Side::C_NARROW || in_side == Side::C_WIDE;
}

std::string Utf16(const std::string& in_text)
{
    std::string bytes;
    for (char c : in_text)
    {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

size_t RecordSize(TDWType in_type)
{
    switch (in_type)
    {
    case TDW_SQL_TYPE_DATE:
        return 6;
    case TDW_SQL_TYPE_TIME:
    case TDW_SQL_INTERVAL_SECOND:
    case TDW_SQL_INTERVAL_DAY_TO_HOUR:
    case TDW_SQL_INTERVAL_HOUR_TO_MINUTE:
    case TDW_SQL_INTERVAL_YEAR_TO_MONTH:
        return 12;
    case TDW_SQL_TYPE_TIMESTAMP:
    case TDW_SQL_INTERVAL_DAY_TO_MINUTE:
    case TDW_SQL_INTERVAL_MINUTE_TO_SECOND:
        return 16;
    case TDW_SQL_INTERVAL_HOUR_TO_SECOND:
        return 20;
    case TDW_SQL_INTERVAL_DAY_TO_SECOND:
        return 24;
    default:
        return 8;
    }
}

/// The target's seconds precision and, for intervals, its leading precision.
struct Precisions
{
    int16_t seconds = 6;
    uint64_t leading = 9;
};

/// "<posted> | <value, or kept>" after converting in_text from in_side into a new value of
/// in_target whose record holds 0x5A bytes first.
std::string Convert(Side in_side, const std::string& in_text, TDWType in_target, Precisions in_precisions)
{
    const bool isWide = in_side == Side::C_WIDE || in_side == Side::SQL_WIDE;
    std::string bytes = isWide ? Utf16(in_text) : in_text;
    SqlValue target(in_target);
    if (in_target != TDW_SQL_TYPE_DATE)
    {
        target.Metadata().SetPrecision(in_precisions.seconds);
    }
    if (target.Metadata().IsInterval())
    {
        target.Metadata().SetLengthOrIntervalPrecision(in_precisions.leading);
    }
    const size_t size = RecordSize(in_target);
    std::memset(target.Data().GetBuffer(), 0x5A, size);
    std::unique_ptr<ConversionResult> result;
    if (IsCSide(in_side))
    {
        BoundParameter parameter(isWide ? TDW_C_WCHAR : TDW_C_CHAR, in_target);
        // A terminator beyond the length must not be read.
        bytes += std::string(isWide ? 2 : 1, '9');
        parameter.Wrapper().SetData(&bytes[0]);
        parameter.Wrapper().SetDataLength(static_cast<int64_t>(bytes.size() - (isWide ? 2 : 1)));
        result = parameter.Converter().Convert(parameter.Wrapper(), target.Data());
    }
    else
    {
        const TDWType sourceType = isWide ? TDW_SQL_WVARCHAR : TDW_SQL_VARCHAR;
        SqlValue source(sourceType);
        if (isWide)
        {
            source.Metadata().SetEncoding(ENC_UTF16_LE);
        }
        source.Set(bytes);
        result = SqlToSqlConverterOfCell(sourceType, in_target)->Convert(source.Data(), target.Data());
    }
    const std::string record(static_cast<const char*>(target.Data().GetBuffer()), size);
    if (record == std::string(size, '\x5A'))
    {
        return Describe(result.get()) + " | kept";
    }
    EXPECT_EQ(static_cast<int64_t>(size), target.Data().GetConvertedLength());
    return Describe(result.get()) + " | " + ShowSqlValue(in_target, record);
}

class TextToSqlTest : public EncodingsRestored
{
protected:
    void SetUp() override { orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE); }
};

struct DatetimeCase
{
    std::string text;
    TDWType target;
    int16_t precision;
    const char* fromApplication;
    const char* fromSql;
};

const char* const INVALID = "InvalidCharValForCast | kept";
const char* const BLANK_FROM_SQL = "NumericValOutOfRange(2) | kept";

} // namespace

TEST_F(TextToSqlTest, DatesTimesAndTimestampsFromText)
{
    const FixedToday today;
    const DatetimeCase cases[] = {
        {"  2024-02-29  ", TDW_SQL_TYPE_DATE, 0, " | 2024-02-29", " | 2024-02-29"},
        {"-0044-03-15", TDW_SQL_TYPE_DATE, 0, " | -44-03-15", " | -44-03-15"},
        {"2023-02-29", TDW_SQL_TYPE_DATE, 0, INVALID, INVALID},
        {"2024-1-31", TDW_SQL_TYPE_DATE, 0, INVALID, INVALID},
        // Escape clauses: a date's only at the very first byte, a time's after blanks too.
        {"{d '2024-02-29'}", TDW_SQL_TYPE_DATE, 0, " | 2024-02-29", " | 2024-02-29"},
        {" {d '2024-02-29'}", TDW_SQL_TYPE_DATE, 0, INVALID, INVALID},
        {"{d '2024-02-29'", TDW_SQL_TYPE_DATE, 0, INVALID, BLANK_FROM_SQL},
        {"{ts '2024-01-31 00:00:00'}", TDW_SQL_TYPE_DATE, 0, " | 2024-01-31", " | 2024-01-31"},
        {"  {t '10:20:30'}", TDW_SQL_TYPE_TIME, 0, " | 10:20:30.0", " | 10:20:30.0"},
        {"{d '10:20:30'}", TDW_SQL_TYPE_TIME, 0, INVALID, INVALID},
        {"{ts '2024-01-31 10:20:30'}", TDW_SQL_TYPE_TIMESTAMP, 0, " | 2024-01-31 10:20:30.0",
         " | 2024-01-31 10:20:30.0"},
        {" {ts '2024-01-31 10:20:30'}", TDW_SQL_TYPE_TIMESTAMP, 0, INVALID, INVALID},
        {"{d '2024-01-31'}", TDW_SQL_TYPE_TIMESTAMP, 0, INVALID, INVALID},
        // A time part a date cannot hold.
        {"2024-01-31 10:00:00", TDW_SQL_TYPE_DATE, 0, "DatetimeFieldOverflow | 2024-01-31",
         "FractionalTrunc(1) | 2024-01-31"},
        {"2024-01-31 00:00:00", TDW_SQL_TYPE_DATE, 0, " | 2024-01-31", " | 2024-01-31"},
        // A time alone is no date; a timestamp gives it today's date.
        {"10:20:30", TDW_SQL_TYPE_DATE, 0, INVALID, INVALID},
        {"10:20:30", TDW_SQL_TYPE_TIMESTAMP, 0, " | 2024-02-29 10:20:30.0", " | 2024-02-29 10:20:30.0"},
        {"24:00:00", TDW_SQL_TYPE_TIME, 0, INVALID, INVALID},
        {"10:60:00", TDW_SQL_TYPE_TIME, 0, INVALID, INVALID},
        {"23:59:61", TDW_SQL_TYPE_TIME, 0, " | 23:59:61.0", " | 23:59:61.0"},
        {"2024-01-31", TDW_SQL_TYPE_TIME, 0, INVALID, INVALID},
        {"00:00:00", TDW_SQL_TYPE_TIME, 0, " | 00:00:00.0", " | 00:00:00.0"},
        {"2024-01-31 10:20:30", TDW_SQL_TYPE_TIME, 0, " | 10:20:30.0", " | 10:20:30.0"},
        {"10:20", TDW_SQL_TYPE_TIME, 6, INVALID, INVALID},
        {"10:20", TDW_SQL_TYPE_TIMESTAMP, 6, INVALID, INVALID},
        {"2024-01-31 10:20:30.1234567890", TDW_SQL_TYPE_TIMESTAMP, 9, INVALID, INVALID},
        // Fraction digits beyond the precision, zeros counted.
        {"10:20:30.123456", TDW_SQL_TYPE_TIME, 3, "DatetimeFieldOverflow | 10:20:30.123456000",
         "FractionalTrunc(1) | 10:20:30.123000000"},
        {"10:20:30.123", TDW_SQL_TYPE_TIME, 3, " | 10:20:30.123000000", " | 10:20:30.123000000"},
        {"10:20:30.000", TDW_SQL_TYPE_TIME, 0, "DatetimeFieldOverflow | 10:20:30.0", "FractionalTrunc(1) | 10:20:30.0"},
        {"2024-01-31 10:20:30.000", TDW_SQL_TYPE_TIMESTAMP, 0, " | 2024-01-31 10:20:30.0",
         " | 2024-01-31 10:20:30.0"},
        {"2024-01-31 10:20:30.5", TDW_SQL_TYPE_TIMESTAMP, 0, "DatetimeFieldOverflow | 2024-01-31 10:20:30.500000000",
         "FractionalTrunc(1) | 2024-01-31 10:20:30.0"},
        // Nothing but blanks.
        {"", TDW_SQL_TYPE_DATE, 0, INVALID, BLANK_FROM_SQL},
        {"   ", TDW_SQL_TYPE_TIMESTAMP, 0, INVALID, BLANK_FROM_SQL},
        {"   ", TDW_SQL_TYPE_TIME, 0, INVALID, INVALID},
    };
    for (const DatetimeCase& c : cases)
    {
        Precisions precisions;
        precisions.seconds = c.precision;
        for (Side side : SIDES)
        {
            EXPECT_EQ(IsCSide(side) ? c.fromApplication : c.fromSql, Convert(side, c.text, c.target, precisions))
                << "[" << c.text << "] into " << c.target << " from side " << static_cast<int>(side);
        }
    }
}

TEST_F(TextToSqlTest, WideTextWithACharacterNoLiteralHasIsRefused)
{
    for (TDWType target : {TDW_SQL_TYPE_DATE, TDW_SQL_TYPE_TIME, TDW_SQL_TYPE_TIMESTAMP, TDW_SQL_INTERVAL_DAY})
    {
        BoundParameter parameter(TDW_C_WCHAR, target);
        EXPECT_EQ("InvalidCharValForCast", parameter.Convert(std::string("1\x01", 2) + Utf16("0:00:00"))) << target;
    }
}

namespace {

struct IntervalCase
{
    std::string text;
    TDWType target;
    Precisions precisions;
    const char* expected;
};

} // namespace

TEST_F(TextToSqlTest, IntervalsFromText)
{
    const Precisions lead2{6, 2};
    const Precisions lead3{6, 3};
    const Precisions lead1{6, 1};
    const Precisions seconds2{2, 9};
    const Precisions seconds3{3, 9};
    const IntervalCase cases[] = {
        // Larger units carried into the leading field, smaller ones whole multiples of the last.
        {"3", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, " | 3 0"},
        {"3 12", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, " | 3 12"},
        {"36:00", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, " | 1 12"},
        {"3 12:30", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, "IntervalFieldOverflow(2) | kept"},
        {"48:00", TDW_SQL_INTERVAL_DAY, {}, " | 2"},
        {"36:00", TDW_SQL_INTERVAL_DAY, {}, "IntervalFieldOverflow(2) | kept"},
        {"5", TDW_SQL_INTERVAL_HOUR_TO_MINUTE, {}, " | 5 0"},
        {"5:75", TDW_SQL_INTERVAL_HOUR_TO_MINUTE, {}, " | 6 15"},
        {"1 2:30", TDW_SQL_INTERVAL_HOUR_TO_MINUTE, {}, " | 26 30"},
        {"1 2:30", TDW_SQL_INTERVAL_MINUTE, {}, " | 1590"},
        {"1 2:30:01", TDW_SQL_INTERVAL_MINUTE, {}, "IntervalFieldOverflow(2) | kept"},
        // H:M is minutes and seconds for the kinds that end in seconds and begin below the hour.
        {"10:20", TDW_SQL_INTERVAL_MINUTE_TO_SECOND, {}, " | 10 20.0"},
        {"10:20", TDW_SQL_INTERVAL_SECOND, {}, " | 620.0"},
        {"10:20", TDW_SQL_INTERVAL_HOUR_TO_MINUTE, {}, " | 10 20"},
        {"10:20", TDW_SQL_INTERVAL_DAY_TO_SECOND, {}, " | 0 10 20 0.0"},
        {"10:20:30", TDW_SQL_INTERVAL_HOUR_TO_SECOND, {}, " | 10 20 30.0"},
        {"5 10:20:30.25", TDW_SQL_INTERVAL_DAY_TO_SECOND, {}, " | 5 10 20 30.250000"},
        {"5 10:20:30.25", TDW_SQL_INTERVAL_DAY_TO_SECOND, seconds2, " | 5 10 20 30.25"},
        {"-5 10", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, " | 5 10 -"},
        {"5   ", TDW_SQL_INTERVAL_DAY, {}, " | 5"},
        {"123:45", TDW_SQL_INTERVAL_HOUR_TO_MINUTE, lead3, " | 123 45"},
        // A separator may end the text; the field before it is still the field it names.
        {"10:", TDW_SQL_INTERVAL_HOUR, {}, " | 10"},
        // Seconds and their fraction.
        {"90", TDW_SQL_INTERVAL_SECOND, {}, " | 90.0"},
        {"90.5", TDW_SQL_INTERVAL_SECOND, {}, " | 90.500000"},
        {"1:30.25", TDW_SQL_INTERVAL_MINUTE_TO_SECOND, seconds2, " | 1 30.25"},
        {"30.1234567", TDW_SQL_INTERVAL_SECOND, {}, "FractionalTrunc(1) | 30.123456"},
        {"-30.1234567", TDW_SQL_INTERVAL_SECOND, {}, "FractionalTrunc(0) | 30.123456 -"},
        {"30.0001234", TDW_SQL_INTERVAL_SECOND, {}, "FractionalTrunc(1) | 30.123"},
        {"30.1230", TDW_SQL_INTERVAL_SECOND, seconds3, "FractionalTrunc(1) | 30.123"},
        {"30.0000", TDW_SQL_INTERVAL_SECOND, seconds3, " | 30.0"},
        {"1.1234567890", TDW_SQL_INTERVAL_SECOND, {}, "IntervalFieldOverflow(2) | kept"},
        // The leading precision, and nine digits at most.
        {"100", TDW_SQL_INTERVAL_HOUR, lead2, "IntervalFieldOverflow(0) | kept"},
        {"-100", TDW_SQL_INTERVAL_HOUR, lead2, "IntervalFieldOverflow(1) | kept"},
        {"5 10:20:30.5", TDW_SQL_INTERVAL_HOUR, lead2, "IntervalFieldOverflow(2) | kept"},
        {"5 10:20:30", TDW_SQL_INTERVAL_HOUR, lead2, "IntervalFieldOverflow(2) | kept"},
        {"5 10:00", TDW_SQL_INTERVAL_HOUR, lead2, "IntervalFieldOverflow(0) | kept"},
        {"-100 1:30", TDW_SQL_INTERVAL_DAY_TO_HOUR, lead2, "IntervalFieldOverflow(2) | kept"},
        {"123-4", TDW_SQL_INTERVAL_YEAR, lead2, "IntervalFieldOverflow(2) | kept"},
        {"99", TDW_SQL_INTERVAL_HOUR, lead2, " | 99"},
        {"0", TDW_SQL_INTERVAL_HOUR, lead1, " | 0"},
        {"123456789", TDW_SQL_INTERVAL_DAY, {}, " | 123456789"},
        {"1234567890", TDW_SQL_INTERVAL_DAY, {}, "IntervalFieldOverflow(0) | kept"},
        {"-1234567890", TDW_SQL_INTERVAL_DAY, {}, "IntervalFieldOverflow(1) | kept"},
        // Carried fields never wrap at 32 bits: 4,320,000,000 seconds.
        {"50000 00:00:00", TDW_SQL_INTERVAL_SECOND, {}, "IntervalFieldOverflow(0) | kept"},
        {"400000000-0", TDW_SQL_INTERVAL_MONTH, {}, "IntervalFieldOverflow(0) | kept"},
        // Year and month.
        {"1-6", TDW_SQL_INTERVAL_MONTH, {}, " | 18"},
        {"-1-6", TDW_SQL_INTERVAL_MONTH, {}, " | 18 -"},
        {"1-6", TDW_SQL_INTERVAL_YEAR_TO_MONTH, {}, " | 1 6"},
        {"2-06", TDW_SQL_INTERVAL_YEAR_TO_MONTH, {}, " | 2 6"},
        {"5", TDW_SQL_INTERVAL_YEAR_TO_MONTH, {}, " | 5 0"},
        {"1-6", TDW_SQL_INTERVAL_YEAR, {}, "IntervalFieldOverflow(2) | kept"},
        {"1-0", TDW_SQL_INTERVAL_YEAR, {}, "IntervalFieldOverflow(2) | kept"},
        {"5", TDW_SQL_INTERVAL_YEAR, {}, " | 5"},
        {"1-12", TDW_SQL_INTERVAL_YEAR_TO_MONTH, {}, INVALID},
        {"2-123", TDW_SQL_INTERVAL_YEAR_TO_MONTH, {}, INVALID},
        {"2-", TDW_SQL_INTERVAL_YEAR_TO_MONTH, {}, INVALID},
        {"2-6x", TDW_SQL_INTERVAL_MONTH, {}, INVALID},
        // Malformed texts.
        {"-5 -10", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, INVALID},
        {" 5", TDW_SQL_INTERVAL_DAY, {}, INVALID},
        {"5  10", TDW_SQL_INTERVAL_DAY_TO_HOUR, {}, INVALID},
        {"5 10:2:3x", TDW_SQL_INTERVAL_DAY_TO_SECOND, {}, INVALID},
        {"10:123", TDW_SQL_INTERVAL_HOUR_TO_MINUTE, {}, INVALID},
        {"1.5x", TDW_SQL_INTERVAL_SECOND, {}, INVALID},
    };
    for (const IntervalCase& c : cases)
    {
        for (Side side : SIDES)
        {
            EXPECT_EQ(c.expected, Convert(side, c.text, c.target, c.precisions))
                << "[" << c.text << "] into " << c.target << " from side " << static_cast<int>(side);
        }
    }
}

TEST_F(TextToSqlTest, TextThatIsNoBareIntervalIsRefusedByEveryKind)
{
    const TDWType kinds[] = {
        TDW_SQL_INTERVAL_DAY,           TDW_SQL_INTERVAL_DAY_TO_HOUR,    TDW_SQL_INTERVAL_DAY_TO_MINUTE,
        TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_HOUR,           TDW_SQL_INTERVAL_HOUR_TO_MINUTE,
        TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_MINUTE,        TDW_SQL_INTERVAL_MINUTE_TO_SECOND,
        TDW_SQL_INTERVAL_MONTH,         TDW_SQL_INTERVAL_SECOND,         TDW_SQL_INTERVAL_YEAR,
        TDW_SQL_INTERVAL_YEAR_TO_MONTH,
    };
    for (const char* text : {"", "   ", "INTERVAL '5' DAY", "'5'", "+5", "-"})
    {
        for (TDWType kind : kinds)
        {
            EXPECT_EQ(INVALID, Convert(Side::C_NARROW, text, kind, Precisions())) << "[" << text << "] into " << kind;
            EXPECT_EQ(INVALID, Convert(Side::SQL_WIDE, text, kind, Precisions())) << "[" << text << "] into " << kind;
        }
    }
}
