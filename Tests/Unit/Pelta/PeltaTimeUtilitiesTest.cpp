#include "Pelta/PeltaTimeUtilities.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <string>

using Orvik::Support::TDWTimestampValue;
using Pelta::PeltaTimeUtilities;

namespace {

std::string Fields(const TDWTimestampValue& in_value)
{
    char text[64];
    std::snprintf(text,
                  sizeof text,
                  "%04d-%02u-%02u %02u:%02u:%02u.%09u",
                  in_value.m_year,
                  unsigned(in_value.m_month),
                  unsigned(in_value.m_day),
                  unsigned(in_value.m_hour),
                  unsigned(in_value.m_minute),
                  unsigned(in_value.m_second),
                  unsigned(in_value.m_fraction));
    return text;
}

std::string FromMillis(int64_t in_millis)
{
    TDWTimestampValue value;
    EXPECT_TRUE(PeltaTimeUtilities::EpochMillisToTimestamp(in_millis, value));
    return Fields(value);
}

TDWTimestampValue Make(int y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s, uint32_t f)
{
    TDWTimestampValue value;
    value.m_year = static_cast<int16_t>(y);
    value.m_month = static_cast<uint16_t>(mo);
    value.m_day = static_cast<uint16_t>(d);
    value.m_hour = static_cast<uint16_t>(h);
    value.m_minute = static_cast<uint16_t>(mi);
    value.m_second = static_cast<uint16_t>(s);
    value.m_fraction = f;
    return value;
}

// "refused" or the milliseconds in decimal.
std::string ToMillis(const TDWTimestampValue& in_value)
{
    int64_t millis = 12345;
    if (!PeltaTimeUtilities::TimestampToEpochMillis(in_value, millis))
    {
        EXPECT_EQ(12345, millis) << "a refusal writes nothing";
        return "refused";
    }
    return std::to_string(millis);
}

TEST(PeltaTimeUtilities, MillisecondsGiveUtcFieldsWithTheFractionBelowTheFlooredSecond)
{
    const struct
    {
        int64_t millis;
        const char* fields;
    } cases[] = {
        {0, "1970-01-01 00:00:00.000000000"},
        {1500, "1970-01-01 00:00:01.500000000"},
        {-1, "1969-12-31 23:59:59.999000000"},
        {-1000, "1969-12-31 23:59:59.000000000"},
        {-1001, "1969-12-31 23:59:58.999000000"},
        {951782400000, "2000-02-29 00:00:00.000000000"},
        {951868800000, "2000-03-01 00:00:00.000000000"},
        {-2203891200000, "1900-03-01 00:00:00.000000000"},
        {32535291599000, "3001-01-01 20:59:59.000000000"},
        {32535291600000, "3001-01-01 21:00:00.000000000"},
        {-11644473600000, "1601-01-01 00:00:00.000000000"},
        {-11644473600001, "1600-12-31 23:59:59.999000000"},
        {253402300799999, "9999-12-31 23:59:59.999000000"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.fields, FromMillis(c.millis)) << c.millis;
    }
}

TEST(PeltaTimeUtilities, FieldsGiveMillisecondsAndInvalidFieldsAreRefused)
{
    const struct
    {
        TDWTimestampValue value;
        const char* millis;
    } cases[] = {
        {Make(1970, 1, 1, 0, 0, 0, 999999999), "999"},
        {Make(1969, 12, 31, 23, 59, 59, 0), "-1000"},
        {Make(1969, 12, 31, 23, 59, 59, 999000000), "-1"},
        {Make(2000, 2, 29, 0, 0, 0, 0), "951782400000"},
        {Make(1601, 1, 1, 0, 0, 0, 0), "-11644473600000"},
        {Make(1600, 2, 29, 12, 0, 0, 0), "-11670955200000"},
        {Make(1970, 0, 1, 0, 0, 0, 0), "refused"},
        {Make(1970, 13, 1, 0, 0, 0, 0), "refused"},
        {Make(1970, 4, 31, 0, 0, 0, 0), "refused"},
        {Make(1900, 2, 29, 0, 0, 0, 0), "refused"},
        {Make(1970, 1, 0, 0, 0, 0, 0), "refused"},
        {Make(1970, 1, 1, 24, 0, 0, 0), "refused"},
        {Make(1970, 1, 1, 0, 60, 0, 0), "refused"},
        {Make(1970, 1, 1, 0, 0, 60, 0), "refused"},
        {Make(1970, 1, 1, 0, 0, 0, 1000000000), "refused"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.millis, ToMillis(c.value)) << Fields(c.value);
    }
}

// Checks one instant against the C library's UTC breakdown and converts it back.
void ExpectAgreesAndRoundTrips(int64_t in_millis)
{
    TDWTimestampValue value;
    ASSERT_TRUE(PeltaTimeUtilities::EpochMillisToTimestamp(in_millis, value));
    const int64_t millisOfSecond = (in_millis % 1000 + 1000) % 1000;
    const std::time_t seconds = static_cast<std::time_t>((in_millis - millisOfSecond) / 1000);
    std::tm broken {};
    ASSERT_NE(nullptr, gmtime_r(&seconds, &broken));
    if (value.m_year != broken.tm_year + 1900 || value.m_month != broken.tm_mon + 1
        || value.m_day != broken.tm_mday || value.m_hour != broken.tm_hour
        || value.m_minute != broken.tm_min || value.m_second != broken.tm_sec
        || value.m_fraction != millisOfSecond * 1000000)
    {
        FAIL() << in_millis << " gives " << Fields(value);
    }
    int64_t back = 0;
    ASSERT_TRUE(PeltaTimeUtilities::TimestampToEpochMillis(value, back));
    ASSERT_EQ(in_millis, back);
}

// Every day of one 400-year cycle, after which the calendar repeats, and instants spread over
// 1601 to 9999 at odd times of day.
TEST(PeltaTimeUtilities, RoundTripOverTheWholeRangeAgreesWithTheCLibrary)
{
    const int64_t first = -11644473600000;
    const int64_t last = 253402300799999;
    const int64_t day = 86400000;
    for (int64_t millis = first + 3723004; millis < first + 146097 * day; millis += day)
    {
        ASSERT_NO_FATAL_FAILURE(ExpectAgreesAndRoundTrips(millis));
    }
    const int64_t step = 10 * day + 3661007;
    for (int64_t millis = first; millis <= last; millis += step)
    {
        ASSERT_NO_FATAL_FAILURE(ExpectAgreesAndRoundTrips(millis));
    }
    ExpectAgreesAndRoundTrips(last);
}

TEST(PeltaTimeUtilities, YearsBeyondTheYearFieldAreReportedNotWrappedSilently)
{
    TDWTimestampValue value;
    EXPECT_TRUE(PeltaTimeUtilities::EpochMillisToTimestamp(971859427200000, value));
    EXPECT_EQ("32767-01-01 00:00:00.000000000", Fields(value));
    EXPECT_FALSE(PeltaTimeUtilities::EpochMillisToTimestamp(INT64_MAX, value));
    EXPECT_FALSE(PeltaTimeUtilities::EpochMillisToTimestamp(INT64_MIN, value));
}

} // namespace
