#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "FixedToday.h"

#include <gtest/gtest.h>

using namespace Orvik::Support;

TEST(DateValidity, YearsMonthsAndLeapDays)
{
    struct Case
    {
        int32_t year;
        uint32_t month;
        uint32_t day;
        bool valid;
    };
    const Case cases[] = {
        {0, 1, 1, false},
        {-4713, 1, 1, true},
        {-4714, 12, 31, false},
        {9999, 12, 31, true},
        {10000, 1, 1, false},
        {2000, 2, 29, true},
        {1900, 2, 29, false},
        {2024, 2, 29, true},
        {2023, 2, 29, false},
        {-4, 2, 29, true},
        {-100, 2, 29, false},
        {-400, 2, 29, true},
        {2023, 4, 31, false},
        {2023, 12, 31, true},
        {2023, 0, 1, false},
        {2023, 13, 1, false},
        {2023, 1, 0, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(c.valid, TDWDateValue::IsValid(c.year, c.month, c.day));
    }
}

TEST(TimeValidity, SecondsRunToSixtyOneAndHoursStopAtTwentyThree)
{
    EXPECT_TRUE(TDWTimeValue::IsValid(23, 59, 61, 999999999));
    EXPECT_FALSE(TDWTimeValue::IsValid(23, 59, 62, 0));
    EXPECT_FALSE(TDWTimeValue::IsValid(24, 0, 0, 0));
    EXPECT_FALSE(TDWTimeValue::IsValid(12, 60, 0, 0));
    EXPECT_FALSE(TDWTimeValue::IsValid(12, 0, 0, 1000000000));
}

TEST(TimestampValidity, NeedsBothAValidDateAndAValidTime)
{
    TDWTimestampValue value;
    EXPECT_TRUE(value.IsValid());
    value.m_second = 61;
    EXPECT_TRUE(value.IsValid());
    value.m_hour = 24;
    EXPECT_FALSE(value.IsValid());
    value.m_hour = 0;
    value.m_year = 0;
    EXPECT_FALSE(value.IsValid());
}

TEST(TodaySource, IsTheLocalDateOfTheClock)
{
    struct Case
    {
        const char* zone;
        int16_t year;
        uint16_t month;
        uint16_t day;
    };
    // The fixed clock stands at 2024-02-29 18:00 UTC, already March 1st eight hours east.
    const Case cases[] = {{"UTC0", 2024, 2, 29}, {"<+08>-8", 2024, 3, 1}, {"<-05>5", 2024, 2, 29}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.zone);
        FixedToday fixed(c.zone);
        TDWDateValue today = TDWDateValue::Today();
        EXPECT_EQ(c.year, today.m_year);
        EXPECT_EQ(c.month, today.m_month);
        EXPECT_EQ(c.day, today.m_day);
    }
    EXPECT_TRUE(TDWDateValue::Today().IsValid());
}
