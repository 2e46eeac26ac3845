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

TEST(IntervalFields, SqlValuesAreWrittenWholeInTheLayoutTheyAreReadIn)
{
    struct Case
    {
        TDWType type;
        const char* hex;
    };
    // Fields 11 (year) to 16 (second) by unit, fraction 0x15, negative; the padding
    // after the sign byte is zero however the record held it before.
    const Case cases[] = {
        {TDW_SQL_INTERVAL_YEAR, "0b000000 01000000"},
        {TDW_SQL_INTERVAL_MONTH, "0c000000 01000000"},
        {TDW_SQL_INTERVAL_SECOND, "10000000 15000000 01000000"},
        {TDW_C_INTERVAL_HOUR_TO_MINUTE, "0e000000 0f000000 01000000"},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, "0d000000 0e000000 0f000000 10000000 15000000 01000000"},
    };
    for (const Case& c : cases)
    {
        const IntervalKind* kind = IntervalKind::OfType(c.type);
        ASSERT_NE(nullptr, kind) << c.type;
        IntervalFields fields;
        for (int unit = 0; unit < UNIT_COUNT; ++unit)
        {
            fields.m_fields[unit] = 11 + static_cast<uint64_t>(unit);
        }
        fields.m_fraction = 0x15;
        fields.m_isNegative = true;
        unsigned char record[32];
        std::memset(record, 0xEE, sizeof(record));
        fields.WriteSqlValue(record, *kind);
        std::string hex;
        for (uint32_t i = 0; i < kind->SqlValueSize(); ++i)
        {
            static const char* const DIGITS = "0123456789abcdef";
            hex += (i > 0 && i % 4 == 0) ? " " : "";
            hex += DIGITS[record[i] >> 4];
            hex += DIGITS[record[i] & 15];
        }
        EXPECT_EQ(c.hex, hex) << c.type;
        EXPECT_EQ(0xEE, record[kind->SqlValueSize()]) << "nothing past the record, " << c.type;
        const IntervalFields back = IntervalFields::FromSqlValue(record, *kind);
        EXPECT_EQ(fields.m_fields[kind->m_first], back.m_fields[kind->m_first]) << c.type;
        EXPECT_TRUE(back.m_isNegative) << c.type;
    }
}

TEST(IntervalFields, OnlyIntervalTypeIdsHaveAKind)
{
    EXPECT_EQ(&IntervalKind::Of(KernelOutput::INTERVAL_MONTH), IntervalKind::OfType(TDW_C_INTERVAL_MONTH));
    EXPECT_EQ(&IntervalKind::Of(KernelOutput::INTERVAL_MONTH), IntervalKind::OfType(TDW_SQL_INTERVAL_MONTH));
    EXPECT_EQ(&IntervalKind::Of(KernelOutput::INTERVAL_YEAR_TO_MONTH),
              IntervalKind::OfType(TDW_SQL_INTERVAL_YEAR_TO_MONTH));
    for (TDWType other : {TDW_C_TYPE_TIMESTAMP, TDW_C_GUID, TDW_SQL_TYPE_TIMESTAMP, TDW_SQL_GUID, TDW_SQL_NOTYPE})
    {
        EXPECT_EQ(nullptr, IntervalKind::OfType(other)) << other;
    }
}
