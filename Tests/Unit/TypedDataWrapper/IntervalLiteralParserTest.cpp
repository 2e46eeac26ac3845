#include "Support/TypedDataWrapper/IntervalLiteralParser.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Orvik::Support;

namespace {

constexpr auto PARSED = IntervalParseCode::PARSED;
constexpr auto MALFORMED = IntervalParseCode::MALFORMED;

} // namespace

TEST(DayTimeIntervalParse, ReadsEveryShapeFromItsFirstField)
{
    struct Case
    {
        const char* text;
        int16_t precision;
        IntervalParseCode code;
        bool negative;
        uint32_t day, hour, minute, second;
        int32_t fraction;
        uint8_t fieldCount;
    };
    const Case cases[] = {
        {"-5 10:20:30.5", 3, PARSED, true, 5, 10, 20, 30, 500, 5},
        {"5", 0, PARSED, false, 5, 0, 0, 0, 0, 1},
        {"5 ", 0, PARSED, false, 5, 0, 0, 0, 0, 1},
        {"5 7", 0, PARSED, false, 5, 7, 0, 0, 0, 2},
        {"5 7:8", 0, PARSED, false, 5, 7, 8, 0, 0, 3},
        {"999999999 23:59:59.999999999", 9, PARSED, false, 999999999, 23, 59, 59, 999999999, 5},
        {"12:30", 0, PARSED, false, 0, 12, 30, 0, 0, 2},
        {"12:30:45.25", 6, PARSED, false, 0, 12, 30, 45, 250000, 4},
        {"12:30.5", 3, PARSED, false, 0, 0, 12, 30, 500, 3},
        {"42", 0, PARSED, false, 42, 0, 0, 0, 0, 1},
        {"42.125", 2, PARSED, false, 0, 0, 0, 42, 125, 2},
        // The text may end right after a separator.
        {"10:", 0, PARSED, false, 0, 10, 0, 0, 0, 1},
        {"5 7:", 0, PARSED, false, 5, 7, 0, 0, 0, 2},
        {"5 7:8:9.", 0, PARSED, false, 5, 7, 8, 9, 0, 4},
        {"5 123", 0, MALFORMED, false, 5, 0, 0, 0, 0, 2},
        {"1234567890", 0, IntervalParseCode::LEADING_FIELD_TOO_LONG_POSITIVE, false, 0, 0, 0, 0, 0, 1},
        {"-1234567890 1", 0, IntervalParseCode::LEADING_FIELD_TOO_LONG_NEGATIVE, true, 0, 0, 0, 0, 0, 1},
        {"1.1234567890", 9, IntervalParseCode::FRACTION_TOO_LONG, false, 0, 0, 0, 1, 0, 2},
        {"1.1234567890x", 9, MALFORMED, false, 0, 0, 0, 1, 0, 2},
        {"1.5x", 3, MALFORMED, false, 0, 0, 0, 1, 0, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        DayTimeIntervalParse record;
        IntervalParseCode code =
            IntervalLiteralParser::ParseDayTimeInterval(c.text, std::strlen(c.text), record, c.precision);
        EXPECT_EQ(c.code, code);
        EXPECT_EQ(c.negative, record.m_isNegative);
        EXPECT_EQ(c.fieldCount, record.m_fieldCount);
        if (c.code == PARSED)
        {
            EXPECT_EQ(c.day, record.m_day);
            EXPECT_EQ(c.hour, record.m_hour);
            EXPECT_EQ(c.minute, record.m_minute);
            EXPECT_EQ(c.second, record.m_second);
            EXPECT_EQ(c.fraction, record.m_fraction);
        }
    }
}

TEST(DayTimeIntervalParse, RejectsMalformedText)
{
    const char* texts[] = {
        "", "-", "   ", " 5", "5  7", "5x", "+5", "5 7:8:9:1", "1:2:3:4", "5 7.5", "a", "5 :3", "123 4:5:678",
    };
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        DayTimeIntervalParse record;
        EXPECT_EQ(MALFORMED, IntervalLiteralParser::ParseDayTimeInterval(text, std::strlen(text), record, 6));
    }
}

TEST(DayTimeIntervalParse, KeepsTheTypedDigitsOfALongFraction)
{
    DayTimeIntervalParse record;
    ASSERT_EQ(PARSED, IntervalLiteralParser::ParseDayTimeInterval("1.0123", 6, record, 2));
    EXPECT_EQ(123, record.m_fraction);
    EXPECT_EQ(4, record.m_fractionDigits);
    ASSERT_EQ(PARSED, IntervalLiteralParser::ParseDayTimeInterval("1.05", 4, record, 20));
    EXPECT_EQ(50000000, record.m_fraction);
}

TEST(YearMonthIntervalParse, ReadsYearsAndMonthsUpToEleven)
{
    struct Case
    {
        const char* text;
        IntervalParseCode code;
        bool negative;
        bool single;
        uint32_t years, months;
    };
    const Case cases[] = {
        {"10-11", PARSED, false, false, 10, 11},
        {"-3", PARSED, true, true, 3, 0},
        {"7-0  ", PARSED, false, false, 7, 0},
        {"999999999-05", PARSED, false, false, 999999999, 5},
        {"10-12", MALFORMED, false, false, 0, 0},
        {"10-", MALFORMED, false, false, 0, 0},
        {"10-123", MALFORMED, false, false, 0, 0},
        {"10:11", MALFORMED, false, false, 0, 0},
        {" 10", MALFORMED, false, false, 0, 0},
        {"-", MALFORMED, true, false, 0, 0},
        {"1234567890", IntervalParseCode::LEADING_FIELD_TOO_LONG_POSITIVE, false, false, 0, 0},
        {"-1234567890-1", IntervalParseCode::LEADING_FIELD_TOO_LONG_NEGATIVE, true, false, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        YearMonthIntervalParse record;
        EXPECT_EQ(c.code, IntervalLiteralParser::ParseYearMonthInterval(c.text, std::strlen(c.text), record));
        EXPECT_EQ(c.negative, record.m_isNegative);
        if (c.code == PARSED)
        {
            EXPECT_EQ(c.single, record.m_isSingleField);
            EXPECT_EQ(c.years, record.m_years);
            EXPECT_EQ(c.months, record.m_months);
        }
    }
}

TEST(IntervalParseResult, EachCodePostsItsResult)
{
    struct Case
    {
        IntervalParseCode code;
        const char* posted;
    };
    const Case cases[] = {
        {IntervalParseCode::PARSED, ""},
        {IntervalParseCode::MALFORMED, "InvalidCharValForCast"},
        {IntervalParseCode::FRACTION_TOO_LONG, "IntervalFieldOverflow(2)"},
        {IntervalParseCode::LEADING_FIELD_TOO_LONG_NEGATIVE, "IntervalFieldOverflow(1)"},
        {IntervalParseCode::LEADING_FIELD_TOO_LONG_POSITIVE, "IntervalFieldOverflow(0)"},
        {IntervalParseCode::LOWER_FIELDS_LOST_NEGATIVE, "FractionalTrunc(0)"},
        {IntervalParseCode::LOWER_FIELDS_LOST_POSITIVE, "FractionalTrunc(1)"},
    };
    for (const Case& c : cases)
    {
        RecordingListener listener;
        IntervalLiteralParser::PostIntervalParseResult(c.code, listener);
        EXPECT_EQ(c.posted, listener.Posted()) << static_cast<int>(c.code);
    }
}
