#include "Support/TypedDataWrapper/TDWDayHourInterval.h"
#include "Support/TypedDataWrapper/TDWDayMinuteInterval.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWHourMinuteInterval.h"
#include "Support/TypedDataWrapper/TDWHourSecondInterval.h"
#include "Support/TypedDataWrapper/TDWMinuteSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWYearMonthInterval.h"

#include <gtest/gtest.h>

using namespace Orvik::Support;

TEST(IntervalValidity, LeadingFieldsTakeNineDigitsAndLaterFieldsTheirUnit)
{
    EXPECT_TRUE(TDWSingleFieldInterval::IsValid(999999999));
    EXPECT_FALSE(TDWSingleFieldInterval::IsValid(1000000000));
    EXPECT_TRUE(TDWYearMonthInterval::IsValid(999999999, 11));
    EXPECT_FALSE(TDWYearMonthInterval::IsValid(1, 12));
    EXPECT_TRUE(TDWDayHourInterval::IsValid(999999999, 23));
    EXPECT_FALSE(TDWDayHourInterval::IsValid(1, 24));
    EXPECT_FALSE(TDWDayMinuteInterval::IsValid(1, 23, 60));
    EXPECT_TRUE(TDWDaySecondInterval::IsValid(999999999, 23, 59, 59, 999999999));
    EXPECT_FALSE(TDWDaySecondInterval::IsValid(1, 0, 0, 60, 0));
    EXPECT_TRUE(TDWHourMinuteInterval::IsValid(999999999, 59));
    EXPECT_FALSE(TDWHourMinuteInterval::IsValid(1000000000, 0));
    EXPECT_FALSE(TDWHourSecondInterval::IsValid(1, 0, 60, 0));
    EXPECT_TRUE(TDWMinuteSecondInterval::IsValid(999999999, 59, 0));
    EXPECT_FALSE(TDWSecondInterval::IsValid(1000000000, 0));
}

TEST(IntervalValidity, OnlyTheFieldFormChecksTheFraction)
{
    EXPECT_FALSE(TDWSecondInterval::IsValid(1, 1000000000));
    EXPECT_FALSE(TDWHourSecondInterval::IsValid(1, 0, 0, 1000000000));
    TDWSecondInterval value;
    value.m_second = 59;
    value.m_fraction = 1000000000;
    EXPECT_TRUE(value.IsValid());
    value.m_second = 1000000000;
    EXPECT_FALSE(value.IsValid());
}
