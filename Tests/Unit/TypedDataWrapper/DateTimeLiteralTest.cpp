#include "Support/TypedDataWrapper/LiteralParser.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "FixedToday.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace Orvik::Support;

namespace {

constexpr const char* UNTOUCHED = "untouched";

std::string DateText(int16_t in_year, uint16_t in_month, uint16_t in_day)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%d-%02u-%02u", in_year, in_month, in_day);
    return text;
}

std::string TimeText(uint16_t in_hour, uint16_t in_minute, uint16_t in_second, uint32_t in_fraction)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%02u:%02u:%02u.%09u", in_hour, in_minute, in_second, in_fraction);
    return text;
}

struct Case
{
    const char* text;
    bool toSql;
    int16_t precision;
    const char* stored;
    const char* posted;
};

} // namespace

TEST(DateLiteral, ReadsDatesAndMidnightTimestampsInBothEscapes)
{
    const Case cases[] = {
        {"2020-01-01", false, 0, "2020-01-01", ""},
        {"  2020-01-01   ", false, 0, "2020-01-01", ""},
        {"-4713-01-01", false, 0, "-4713-01-01", ""},
        {"{d '2020-02-29'}", false, 0, "2020-02-29", ""},
        {" {d '2020-02-29'} ", true, 0, "2020-02-29", ""},
        {"{ts '2020-02-29 00:00:00'}", false, 0, "2020-02-29", ""},
        // A time other than midnight is lost.
        {"{ts '2020-02-29 10:00:00'}", false, 0, "2020-02-29", "FractionalTrunc(1)"},
        {"{ts '2020-02-29 10:00:00'}", true, 0, "2020-02-29", "DatetimeFieldOverflow"},
        {"2020-02-29 00:00:00.1", false, 0, "2020-02-29", "FractionalTrunc(1)"},
        // Blank text and unusable escapes depend on the direction.
        {"   ", false, 0, UNTOUCHED, "NumericValOutOfRange(2)"},
        {"", true, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"{d '2020-02-29' }", false, 0, UNTOUCHED, "NumericValOutOfRange(2)"},
        {"{d'2020-02-29'}", true, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"{t '2020-02-29'}", false, 0, UNTOUCHED, "NumericValOutOfRange(2)"},
        // Text that is no valid date.
        {"{d ' 2020-02-29'}", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"{d '2020-02-30'}", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"1900-02-29", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"2020-1-01", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"10:00:00", false, 0, UNTOUCHED, "InvalidCharValForCast"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + (c.toSql ? " to SQL" : ""));
        int16_t year = 1;
        uint16_t month = 2;
        uint16_t day = 3;
        RecordingListener listener;
        LiteralParser::ConvertCharToDate(c.text, std::strlen(c.text), c.toSql, year, month, day, listener);
        std::string stored = DateText(year, month, day);
        EXPECT_EQ(c.stored, stored == "1-02-03" ? UNTOUCHED : stored);
        EXPECT_EQ(c.posted, listener.Posted());
    }
}

TEST(TimeLiteral, ReadsTimesAndCutsFractionsToThePrecision)
{
    const Case cases[] = {
        {"12:34:56", false, 0, "12:34:56.000000000", ""},
        {" 12:34:56.5 ", false, 1, "12:34:56.500000000", ""},
        {"{t '23:59:61'}", false, 0, "23:59:61.000000000", ""},
        {" {t '12:34:56.5'} ", true, 1, "12:34:56.500000000", ""},
        {"{ts '2020-01-01 10:11:12.25'}", false, 2, "10:11:12.250000000", ""},
        {"00:00:00", false, 0, "00:00:00.000000000", ""},
        // Fraction digits beyond the precision, counted as written.
        {"12:34:56.567", false, 1, "12:34:56.500000000", "FractionalTrunc(1)"},
        {"12:00:00.500", false, 1, "12:00:00.500000000", "FractionalTrunc(1)"},
        {"12:34:56.567", true, 1, "12:34:56.567000000", "DatetimeFieldOverflow"},
        // A date alone is no time.
        {"2020-01-01", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"{ts '2020-01-01 00:00:00'}", false, 0, "00:00:00.000000000", ""},
        {"24:00:00", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"12:00:00.", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"12:00:00.1234567891", false, 9, UNTOUCHED, "InvalidCharValForCast"},
        {"{t '12:00:00'", false, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"", true, 0, UNTOUCHED, "InvalidCharValForCast"},
    };
    FixedToday today;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + (c.toSql ? " to SQL" : ""));
        uint16_t hour = 1;
        uint16_t minute = 2;
        uint16_t second = 3;
        uint32_t fraction = 4;
        RecordingListener listener;
        LiteralParser::ConvertCharToTime(
            c.text, std::strlen(c.text), c.toSql, c.precision, hour, minute, second, fraction, listener);
        std::string stored = TimeText(hour, minute, second, fraction);
        EXPECT_EQ(c.stored, stored == "01:02:03.000000004" ? UNTOUCHED : stored);
        EXPECT_EQ(c.posted, listener.Posted());
    }
}

TEST(TimestampLiteral, ReadsDatesTimesAndBothWithTheFractionCutToThePrecision)
{
    const Case cases[] = {
        {"2020-01-01 10:20:30.123456789", false, 9, "2020-01-01 10:20:30.123456789", ""},
        {"2020-01-01 10:20:30.123456789", false, 3, "2020-01-01 10:20:30.123000000", "FractionalTrunc(1)"},
        {"2020-01-01 10:20:30.123456789", true, 3, "2020-01-01 10:20:30.123456789", "DatetimeFieldOverflow"},
        {"2020-01-01 10:20:30.000", false, 0, "2020-01-01 10:20:30.000000000", ""},
        {" 2020-01-01 ", false, 0, "2020-01-01 00:00:00.000000000", ""},
        {"10:20:30", false, 0, "2024-02-29 10:20:30.000000000", ""},
        {"{ts '2020-01-01 10:20:30'}", false, 0, "2020-01-01 10:20:30.000000000", ""},
        {" {ts '2020-01-01 10:20:30.5'} ", true, 1, "2020-01-01 10:20:30.500000000", ""},
        {"{ts '2020-01-01 10:20:30'x", false, 0, UNTOUCHED, "NumericValOutOfRange(2)"},
        {"{ts '2020-01-01 10:20:30'x", true, 0, UNTOUCHED, "InvalidCharValForCast"},
        {"", false, 0, UNTOUCHED, "NumericValOutOfRange(2)"},
        // Too short for the escape: parsed as it stands, and refused.
        {"{ts '2020-01-01'}", false, 0, "invalid", "InvalidCharValForCast"},
        {"2020-02-30", false, 0, "invalid", "InvalidCharValForCast"},
    };
    FixedToday today;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + (c.toSql ? " to SQL" : ""));
        TDWTimestampValue value;
        value.m_year = 1;
        value.m_hour = 5;
        RecordingListener listener;
        LiteralParser::ConvertCharToTimestamp(
            c.text, std::strlen(c.text), c.toSql, c.precision, value, listener);
        std::string stored = DateText(value.m_year, value.m_month, value.m_day) + " "
            + TimeText(value.m_hour, value.m_minute, value.m_second, value.m_fraction);
        if (stored == "1-01-01 05:00:00.000000000")
        {
            stored = UNTOUCHED;
        }
        EXPECT_EQ(c.stored, value.IsValid() || stored == UNTOUCHED ? stored : "invalid");
        EXPECT_EQ(c.posted, listener.Posted());
    }
}
