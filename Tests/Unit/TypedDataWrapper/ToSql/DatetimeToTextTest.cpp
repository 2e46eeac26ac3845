// Dates, times and timestamps into character values: the checks of application values and SQL
// dates, the fraction digits by precision and switch, what is reported for digits not written,
// and short holders.

#include "ToTextTestSupport.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/TypedDataWrapper/Conversions/DatetimeToText.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <string>

using namespace Orvik::Support;

namespace {

constexpr ToSqlKernel DATE = &DatetimeToText::DateToText;
constexpr ToSqlKernel TIME = &DatetimeToText::TimeToText;
constexpr ToSqlKernel TIMESTAMP = &DatetimeToText::TimestampToText;

std::string Date(int16_t in_year, uint16_t in_month, uint16_t in_day)
{
    return Image(SQL_DATE_STRUCT{in_year, in_month, in_day});
}

std::string ApplicationTime(uint16_t in_hour, uint16_t in_minute, uint16_t in_second)
{
    return Image(SQL_TIME_STRUCT{in_hour, in_minute, in_second});
}

std::string SqlTime(uint16_t in_hour, uint16_t in_minute, uint16_t in_second, uint32_t in_fraction)
{
    TDWTimeValue time;
    time.m_hour = in_hour;
    time.m_minute = in_minute;
    time.m_second = in_second;
    time.m_fraction = in_fraction;
    return Image(time);
}

std::string Timestamp(int16_t in_year, uint16_t in_month, uint16_t in_day, uint32_t in_fraction)
{
    return Image(SQL_TIMESTAMP_STRUCT{in_year, in_month, in_day, 10, 20, 30, in_fraction});
}

/// A time or timestamp into in_target with in_precision as the source's fractional precision.
std::string WithPrecision(TDWType in_source, const std::string& in_image, int16_t in_precision,
                          CharTarget in_target = NARROW)
{
    if (in_source >= TDW_SQL_CHAR)
    {
        ToTextRun run(in_source, in_source == TDW_SQL_TYPE_TIME ? TIME : TIMESTAMP, in_target);
        run.SourceMetadata().SetPrecision(in_precision);
        return run.Run(in_image);
    }
    ToTextRun run(in_source, in_target);
    run.CMetadata().SetPrecision(in_precision);
    return run.Run(in_image);
}

} // namespace

TEST(DatetimeToText, DatesAreCheckedFromBothSidesAndWrittenInTheirPlainForm)
{
    EXPECT_EQ(" | 2024-02-29\\0 | 11/10", ApplicationToText(TDW_C_TYPE_DATE, Date(2024, 2, 29), NARROW));
    EXPECT_EQ(" | 2024-02-29\\0 | 22/20", ApplicationToText(TDW_C_TYPE_DATE, Date(2024, 2, 29), UTF16));
    EXPECT_EQ(" | 0005-01-02 | 10/10", SqlToText(TDW_SQL_TYPE_DATE, DATE, Date(5, 1, 2), NARROW));
    EXPECT_EQ(" | -0044-03-15 | 11/11", SqlToText(TDW_SQL_TYPE_DATE, DATE, Date(-44, 3, 15), NARROW));
    EXPECT_EQ(" | 2000-02-29 | 20/20", SqlToText(TDW_SQL_TYPE_DATE, DATE, Date(2000, 2, 29), UTF16));

    const char* const refused = "DatetimeFieldOverflow |  | 0/0";
    EXPECT_EQ(refused, ApplicationToText(TDW_C_TYPE_DATE, Date(2023, 2, 29), NARROW));
    EXPECT_EQ(refused, ApplicationToText(TDW_C_TYPE_DATE, Date(1900, 2, 29), NARROW));
    EXPECT_EQ(refused, ApplicationToText(TDW_C_TYPE_DATE, Date(0, 1, 1), NARROW));
    EXPECT_EQ(refused, SqlToText(TDW_SQL_TYPE_DATE, DATE, Date(2024, 13, 1), NARROW));
    EXPECT_EQ(refused, SqlToText(TDW_SQL_TYPE_DATE, DATE, Date(10000, 1, 1), NARROW));
}

TEST(DatetimeToText, TimesShowTheirFractionToTheirPrecisionAndReportDigitsNotWritten)
{
    const ConversionSettingsGuard restored;
    EXPECT_EQ(" | 23:59:61\\0 | 9/8", ApplicationToText(TDW_C_TYPE_TIME, ApplicationTime(23, 59, 61), NARROW));
    EXPECT_EQ("DatetimeFieldOverflow |  | 0/0",
              ApplicationToText(TDW_C_TYPE_TIME, ApplicationTime(24, 0, 0), NARROW));
    EXPECT_EQ(" | 12:00:00\\0 | 9/8", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), 3));

    const std::string time = SqlTime(10, 20, 30, 123456789);
    EXPECT_EQ("StrRightTrunc | 10:20:30.123 | 12/12", WithPrecision(TDW_SQL_TYPE_TIME, time, 3));
    EXPECT_EQ(" | 10:20:30 | 8/8", WithPrecision(TDW_SQL_TYPE_TIME, time, 0));
    EXPECT_EQ(" | 10:20:30.123456789 | 36/36", WithPrecision(TDW_SQL_TYPE_TIME, time, 9, UTF16));
    EXPECT_EQ(" | 10:20:30.250000 | 15/15", WithPrecision(TDW_SQL_TYPE_TIME, SqlTime(10, 20, 30, 250000000), 6));
    // Dropped zeros are no loss.
    EXPECT_EQ(" | 10:20:30.25 | 11/11", WithPrecision(TDW_SQL_TYPE_TIME, SqlTime(10, 20, 30, 250000000), 2));

    ConversionSettings::ShowZeroTimeFraction = true;
    EXPECT_EQ(" | 12:00:00.000\\0 | 13/12", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), 3));
    EXPECT_EQ(" | 12:00:00\\0 | 9/8", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), 0));
}

TEST(DatetimeToText, AnApplicationsTimePrecisionBeyondNineDigitsIsRefused)
{
    const ConversionSettingsGuard restored;
    ConversionSettings::ShowZeroTimeFraction = true;
    EXPECT_EQ(" | 12:00:00.000000000\\0 | 19/18", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), 9));
    EXPECT_EQ("DatetimeFieldOverflow |  | 0/0", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), 10));
    EXPECT_EQ("DatetimeFieldOverflow |  | 0/0", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), 32767));
    EXPECT_EQ("DatetimeFieldOverflow |  | 0/0", WithPrecision(TDW_C_TYPE_TIME, ApplicationTime(12, 0, 0), -1));
}

TEST(DatetimeToText, AnApplicationsTimestampHasNineFractionDigitsASqlOneItsPrecision)
{
    const ConversionSettingsGuard restored;
    const std::string timestamp = Timestamp(2024, 1, 5, 5000000);
    EXPECT_EQ(" | 2024-01-05 10:20:30.005000000\\0 | 30/29", WithPrecision(TDW_C_TYPE_TIMESTAMP, timestamp, 2));
    EXPECT_EQ(" | 2024-01-05 10:20:30.005000000\\0 | 60/58",
              WithPrecision(TDW_C_TYPE_TIMESTAMP, timestamp, 0, UTF16));
    EXPECT_EQ("FractionalTrunc(2) | 2024-01-05 10:20:30.00 | 22/22",
              WithPrecision(TDW_SQL_TYPE_TIMESTAMP, timestamp, 2));
    EXPECT_EQ(" | 2024-01-05 10:20:30.005 | 23/23", WithPrecision(TDW_SQL_TYPE_TIMESTAMP, timestamp, 3));
    EXPECT_EQ(" | 2024-01-05 10:20:30 | 19/19", WithPrecision(TDW_SQL_TYPE_TIMESTAMP, timestamp, 0));
    EXPECT_EQ(" | -0044-03-15 10:20:30 | 20/20",
              WithPrecision(TDW_SQL_TYPE_TIMESTAMP, Timestamp(-44, 3, 15, 0), 6));

    const std::string zero = Timestamp(2024, 1, 5, 0);
    EXPECT_EQ(" | 2024-01-05 10:20:30\\0 | 20/19", WithPrecision(TDW_C_TYPE_TIMESTAMP, zero, 6));
    EXPECT_EQ(" | 2024-01-05 10:20:30 | 19/19", WithPrecision(TDW_SQL_TYPE_TIMESTAMP, zero, 3));
    ConversionSettings::ShowZeroTimestampFraction = true;
    EXPECT_EQ(" | 2024-01-05 10:20:30.000000000\\0 | 30/29", WithPrecision(TDW_C_TYPE_TIMESTAMP, zero, 6));
    EXPECT_EQ(" | 2024-01-05 10:20:30.000 | 23/23", WithPrecision(TDW_SQL_TYPE_TIMESTAMP, zero, 3));

    const char* const refused = "DatetimeFieldOverflow |  | 0/0";
    EXPECT_EQ(refused, WithPrecision(TDW_C_TYPE_TIMESTAMP, Timestamp(2023, 2, 29, 0), 0));
    EXPECT_EQ(refused, WithPrecision(TDW_C_TYPE_TIMESTAMP, Timestamp(2024, 1, 5, 1000000000), 9));
}

TEST(DatetimeToText, AShortHolderLosesFractionDigitsOrTakesNothing)
{
    struct ShortCase
    {
        TDWType source;
        std::string image;
        uint32_t capacity;
        const char* expected;
    };
    // The converted length counts what was written, which is all that is read of the value.
    const ShortCase cases[] = {
        // Nine digits and a terminator asked for, four digits' room short.
        {TDW_C_TYPE_TIMESTAMP, Timestamp(2024, 1, 5, 123456789), 25,
         "FractionalTrunc(2) | 2024-01-05 10:20:30.1234\\0 | 25/24"},
        {TDW_C_TYPE_TIMESTAMP, Timestamp(2024, 1, 5, 123000000), 25, " | 2024-01-05 10:20:30.1230\\0 | 25/24"},
        // No digit left: no point either.
        {TDW_C_TYPE_TIMESTAMP, Timestamp(2024, 1, 5, 123456789), 21,
         "FractionalTrunc(2) | 2024-01-05 10:20:30\\0 | 20/19"},
        {TDW_C_TYPE_TIMESTAMP, Timestamp(2024, 1, 5, 123456789), 20,
         "NumericValOutOfRange(2) | .................... | 20/0"},
        // A SQL time asks for a terminator's place too, and writes none.
        {TDW_SQL_TYPE_TIME, SqlTime(10, 20, 30, 123000000), 12, "StrRightTrunc | 10:20:30.12 | 11/11"},
        {TDW_C_TYPE_DATE, Date(2024, 1, 5), 10, "NumericValOutOfRange(2) | .......... | 10/10"},
    };
    for (const ShortCase& c : cases)
    {
        ToTextRun run = c.source == TDW_SQL_TYPE_TIME ? ToTextRun(c.source, TIME, NARROW) : ToTextRun(c.source, NARROW);
        if (c.source == TDW_SQL_TYPE_TIME)
        {
            run.SourceMetadata().SetPrecision(3);
        }
        run.CapTarget(c.capacity);
        EXPECT_EQ(c.expected, run.Run(c.image)) << c.capacity;
    }
}

TEST(DatetimeToText, ASqlSideFieldWiderThanItsPlaceHasNoText)
{
    EXPECT_THROW(SqlToText(TDW_SQL_TYPE_TIME, TIME, SqlTime(100, 0, 0, 0), NARROW),
                 NumberConversionInvalidDataException);
    EXPECT_THROW(WithPrecision(TDW_SQL_TYPE_TIME, SqlTime(1, 0, 0, 1000000000), 9),
                 NumberConversionInvalidDataException);
    EXPECT_THROW(SqlToText(TDW_SQL_TYPE_TIMESTAMP, TIMESTAMP, Timestamp(10000, 1, 1, 0), NARROW),
                 NumberConversionInvalidDataException);
    // Fields within their places are written as they stand.
    EXPECT_EQ(" | 2024-13-40 10:20:30 | 19/19",
              SqlToText(TDW_SQL_TYPE_TIMESTAMP, TIMESTAMP, Timestamp(2024, 13, 40, 0), NARROW));
}
