#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "FixedToday.h"
#include "SupportErrorExpectation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using Orvik::Support::TDWTimestampValue;

namespace {

std::string Describe(const TDWTimestampValue& in_value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%d-%02u-%02u %02u:%02u:%02u.%09u", in_value.m_year, in_value.m_month,
                  in_value.m_day, in_value.m_hour, in_value.m_minute, in_value.m_second, in_value.m_fraction);
    return text;
}

TDWTimestampValue Parsed(const std::string& in_text)
{
    TDWTimestampValue value;
    value.Parse(in_text.data(), in_text.size(), false);
    return value;
}

} // namespace

TEST(TDWTimestampParse, ReadsDatesTimesAndBoth)
{
    FixedToday today;
    struct Case
    {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"2020-01-01", "2020-01-01 00:00:00.000000000"},
        {"2020-01-01 ", "2020-01-01 00:00:00.000000000"},
        {"2020-12-31 23:59:61", "2020-12-31 23:59:61.000000000"},
        {"-4713-01-01 12:00:00.5", "-4713-01-01 12:00:00.500000000"},
        {"1999-02-03 04:05:06.123456789", "1999-02-03 04:05:06.123456789"},
        {"10:20:30", "2024-02-29 10:20:30.000000000"},
        {"10:20:30.01", "2024-02-29 10:20:30.010000000"},
        // Ranges are the validity check's business, not the parse's.
        {"2020-13-45 25:61:99", "2020-13-45 25:61:99.000000000"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, Describe(Parsed(c.text))) << c.text;
    }
}

TEST(TDWTimestampParse, ADateAloneKeepsTheTimeItHeld)
{
    TDWTimestampValue value = Parsed("2001-02-03 04:05:06");
    value.Parse("2010-11-12", 10, false);
    EXPECT_EQ("2010-11-12 04:05:06.000000000", Describe(value));
}

TEST(TDWTimestampParse, TellsFormatErrorsFromValueErrors)
{
    FixedToday today;
    struct Case
    {
        const char* text;
        const char* key;
        const char* parameter;
    };
    const Case cases[] = {
        {"12:00", "InvalidTimestampFormat", "12:00"},
        {"2020-01-01T10:00:00", "InvalidTimestampFormat", "T10:00:00"},
        {"2020-01-01  10:00:00", "InvalidTimestampFormat", "2020-01-01  10:00:00"},
        {"2020-01/01", "InvalidTimestampFormat", "2020-01/01"},
        {"2020-01-0", "InvalidTimestampFormat", "2020-01-0"},
        {"12.00.00", "InvalidTimestampFormat", "12.00.00"},
        {"12:00:00.1234567890", "InvalidTimestampFormat", "12:00:00.1234567890"},
        {"+020-01-01", "InvalidTimestampValue", "+020-01-01"},
        {"2020-0a-01", "InvalidTimestampValue", "2020-0a-01"},
        {"12:0x:00", "InvalidTimestampValue", "12:0x:00"},
        {"12:00:00.", "InvalidTimestampValue", "12:00:00."},
        {"12:00:00,5", "InvalidTimestampValue", "12:00:00,5"},
        {"12:00:00.5x", "InvalidTimestampValue", "12:00:00.5x"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        TDWTimestampValue value;
        ExpectSupportError([&] { value.Parse(c.text, std::strlen(c.text), true); }, c.key, c.parameter);
        TDWTimestampValue marked = Parsed(c.text);
        EXPECT_EQ("32767-65535-65535 65535:65535:65535.4294967295", Describe(marked));
        EXPECT_FALSE(marked.IsValid());
    }
}

TEST(TDWTimestampParse, TheConstructorAlsoChecksTheRanges)
{
    TDWTimestampValue value("2000-02-29 23:59:59.999999999", 29, true);
    EXPECT_TRUE(value.IsValid());
    ExpectSupportError(
        [] { TDWTimestampValue("1900-02-29", 10, true); }, "InvalidTimestampValue", "1900-02-29");
    EXPECT_FALSE(TDWTimestampValue("0000-01-01", 10, false).IsValid());
}
