// Reading the application's interval structure: each kind's fields at their ODBC places, whatever
// the structure's type says, and the sign.

#include "Support/TypedDataWrapper/Conversions/IntervalFields.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <cstring>
#include <string>

using namespace Orvik::Support;

namespace {

/// A structure whose day-second fields hold 11 to 15; the year-month member overlays day and hour.
SQL_INTERVAL_STRUCT FilledStruct(SQLSMALLINT in_sign)
{
    SQL_INTERVAL_STRUCT interval;
    std::memset(&interval, 0, sizeof(interval));
    // A type that matches none of the kinds read: it must not be consulted.
    interval.interval_type = SQL_IS_YEAR;
    interval.interval_sign = in_sign;
    interval.intval.day_second.day = 11;
    interval.intval.day_second.hour = 12;
    interval.intval.day_second.minute = 13;
    interval.intval.day_second.second = 14;
    interval.intval.day_second.fraction = 15;
    return interval;
}

/// "<fields of the kind> .<fraction> <sign>".
std::string Read(KernelOutput::IntervalCode in_code, SQLSMALLINT in_sign)
{
    const SQL_INTERVAL_STRUCT interval = FilledStruct(in_sign);
    const IntervalKind& kind = IntervalKind::Of(in_code);
    const IntervalFields fields = IntervalFields::FromApplicationStruct(&interval, kind);
    std::string text;
    for (int unit = kind.m_first; unit <= kind.m_last; ++unit)
    {
        text += std::to_string(fields.m_fields[unit]) + " ";
    }
    return text + "." + std::to_string(fields.m_fraction) + (fields.m_isNegative ? " -" : " +");
}

} // namespace

TEST(IntervalFields, TheApplicationStructureIsReadAtTheFieldsPlacesOfTheKind)
{
    struct Case
    {
        KernelOutput::IntervalCode code;
        const char* expected;
    };
    // The year sits where the day does and the month where the hour does.
    const Case cases[] = {
        {KernelOutput::INTERVAL_YEAR, "11 .0 +"},
        {KernelOutput::INTERVAL_MONTH, "12 .0 +"},
        {KernelOutput::INTERVAL_YEAR_TO_MONTH, "11 12 .0 +"},
        {KernelOutput::INTERVAL_DAY, "11 .0 +"},
        {KernelOutput::INTERVAL_HOUR, "12 .0 +"},
        {KernelOutput::INTERVAL_MINUTE, "13 .0 +"},
        {KernelOutput::INTERVAL_SECOND, "14 .15 +"},
        {KernelOutput::INTERVAL_DAY_TO_SECOND, "11 12 13 14 .15 +"},
        {KernelOutput::INTERVAL_HOUR_TO_MINUTE, "12 13 .0 +"},
        {KernelOutput::INTERVAL_MINUTE_TO_SECOND, "13 14 .15 +"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, Read(c.code, 0)) << c.code;
    }
}

TEST(IntervalFields, OnlyASignOfOneIsNegative)
{
    EXPECT_EQ("11 .0 -", Read(KernelOutput::INTERVAL_DAY, 1));
    EXPECT_EQ("11 .0 +", Read(KernelOutput::INTERVAL_DAY, 2));
    EXPECT_EQ("11 .0 +", Read(KernelOutput::INTERVAL_DAY, -1));
}
