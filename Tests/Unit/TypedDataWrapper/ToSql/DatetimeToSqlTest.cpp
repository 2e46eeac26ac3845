// Dates, times and timestamps among themselves, from application structures (checked, strict)
// and from SQL-side values (taken as they stand, cut with a warning).

#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/TypedDataWrapper/FixedToday.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::Support;

namespace {

/// A date, time or timestamp as the test writes it: the fields a type has are read from it.
struct Moment
{
    int16_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint32_t fraction = 0;
};

template <typename T>
void Put(std::string& io_bytes, T in_value)
{
    io_bytes.append(reinterpret_cast<const char*>(&in_value), sizeof(T));
}

/// The application's structure of in_cType, or the SQL-side record of in_sqlType (a time with its
/// two unused bytes and its fraction).
std::string ImageOf(TDWType in_type, const Moment& in_moment)
{
    std::string bytes;
    const bool hasDate = in_type != TDW_C_TYPE_TIME && in_type != TDW_SQL_TYPE_TIME;
    const bool hasTime = in_type != TDW_C_TYPE_DATE && in_type != TDW_SQL_TYPE_DATE;
    if (hasDate)
    {
        Put(bytes, in_moment.year);
        Put(bytes, in_moment.month);
        Put(bytes, in_moment.day);
    }
    if (hasTime)
    {
        Put(bytes, in_moment.hour);
        Put(bytes, in_moment.minute);
        Put(bytes, in_moment.second);
    }
    if (in_type == TDW_SQL_TYPE_TIME)
    {
        Put(bytes, uint16_t{0});
    }
    if (in_type == TDW_SQL_TYPE_TIME || in_type == TDW_C_TYPE_TIMESTAMP || in_type == TDW_SQL_TYPE_TIMESTAMP)
    {
        Put(bytes, in_moment.fraction);
    }
    return bytes;
}

size_t RecordSize(TDWType in_type)
{
    return in_type == TDW_SQL_TYPE_DATE ? sizeof(TDWDateValue)
        : in_type == TDW_SQL_TYPE_TIME  ? sizeof(TDWTimeValue)
                                        : sizeof(TDWTimestampValue);
}

/// A target whose record holds 0x5A bytes before the conversion, its seconds precision set.
SqlValue Target(TDWType in_type, int16_t in_precision)
{
    SqlValue target(in_type);
    if (in_type != TDW_SQL_TYPE_DATE)
    {
        target.Metadata().SetPrecision(in_precision);
    }
    std::memset(target.Data().GetBuffer(), 0x5A, RecordSize(in_type));
    return target;
}

std::string Outcome(const ConversionResult* in_result, SqlValue& io_target)
{
    const TDWType type = io_target.Metadata().GetTDWType();
    const std::string bytes(static_cast<const char*>(io_target.Data().GetBuffer()), RecordSize(type));
    if (bytes == std::string(RecordSize(type), '\x5A'))
    {
        return Describe(in_result) + " | kept";
    }
    EXPECT_EQ(static_cast<int64_t>(RecordSize(type)), io_target.Data().GetConvertedLength());
    return Describe(in_result) + " | " + ShowSqlValue(type, bytes);
}

std::string ConvertC(TDWType in_cType, const Moment& in_moment, TDWType in_target, int16_t in_precision = 9)
{
    BoundParameter parameter(in_cType, in_target);
    SqlValue target = Target(in_target, in_precision);
    std::string bytes = ImageOf(in_cType, in_moment);
    parameter.Wrapper().SetData(&bytes[0]);
    parameter.Wrapper().SetDataLength(3);
    const std::unique_ptr<ConversionResult> result = parameter.Converter().Convert(parameter.Wrapper(), target.Data());
    return Outcome(result.get(), target);
}

std::string ConvertSql(TDWType in_source, const Moment& in_moment, TDWType in_target, int16_t in_precision = 9)
{
    SqlValue source(in_source);
    source.Set(ImageOf(in_source, in_moment));
    SqlValue target = Target(in_target, in_precision);
    const std::unique_ptr<ConversionResult> result =
        SqlToSqlConverterOfCell(in_source, in_target)->Convert(source.Data(), target.Data());
    return Outcome(result.get(), target);
}

const char* const OVERFLOW_KEPT = "DatetimeFieldOverflow | kept";

} // namespace

TEST(DatetimeToSql, ApplicationDatesAreCopiedAsTheyStandButCheckedForATimestamp)
{
    struct Case
    {
        Moment date;
        const char* toDate;
        const char* toTimestamp;
    };
    const Case cases[] = {
        {{2024, 2, 29}, " | 2024-02-29", " | 2024-02-29 00:00:00.0"},
        {{2023, 2, 29}, " | 2023-02-29", OVERFLOW_KEPT},
        {{0, 1, 1}, " | 0-01-01", OVERFLOW_KEPT},
        {{-4713, 1, 1}, " | -4713-01-01", " | -4713-01-01 00:00:00.0"},
        {{9999, 12, 31}, " | 9999-12-31", " | 9999-12-31 00:00:00.0"},
        {{2024, 13, 1}, " | 2024-13-01", OVERFLOW_KEPT},
        {{1900, 2, 29}, " | 1900-02-29", OVERFLOW_KEPT},
        {{2000, 2, 29}, " | 2000-02-29", " | 2000-02-29 00:00:00.0"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.toDate, ConvertC(TDW_C_TYPE_DATE, c.date, TDW_SQL_TYPE_DATE)) << c.date.year << "-" << c.date.month;
        EXPECT_EQ(c.toTimestamp, ConvertC(TDW_C_TYPE_DATE, c.date, TDW_SQL_TYPE_TIMESTAMP))
            << c.date.year << "-" << c.date.month;
    }
    EXPECT_EQ(" | 2023-02-29 00:00:00.0", ConvertSql(TDW_SQL_TYPE_DATE, {2023, 2, 29}, TDW_SQL_TYPE_TIMESTAMP))
        << "a SQL-side date is not checked";
}

TEST(DatetimeToSql, TimesAreCheckedFromApplicationsAndCutFromSqlValues)
{
    const FixedToday today;
    EXPECT_EQ(" | 23:59:61.0", ConvertC(TDW_C_TYPE_TIME, {0, 0, 0, 23, 59, 61}, TDW_SQL_TYPE_TIME));
    EXPECT_EQ(OVERFLOW_KEPT, ConvertC(TDW_C_TYPE_TIME, {0, 0, 0, 24, 0, 0}, TDW_SQL_TYPE_TIME));
    EXPECT_EQ(OVERFLOW_KEPT, ConvertC(TDW_C_TYPE_TIME, {0, 0, 0, 12, 60, 0}, TDW_SQL_TYPE_TIMESTAMP));
    EXPECT_EQ(" | 2024-02-29 10:20:30.0", ConvertC(TDW_C_TYPE_TIME, {0, 0, 0, 10, 20, 30}, TDW_SQL_TYPE_TIMESTAMP, 0));

    const Moment time{0, 0, 0, 10, 20, 30, 123456789};
    EXPECT_EQ("FractionalTrunc(1) | 10:20:30.123000000", ConvertSql(TDW_SQL_TYPE_TIME, time, TDW_SQL_TYPE_TIME, 3));
    EXPECT_EQ(" | 10:20:30.123456789", ConvertSql(TDW_SQL_TYPE_TIME, time, TDW_SQL_TYPE_TIME, 9));
    EXPECT_EQ("FractionalTrunc(1) | 10:20:30.0", ConvertSql(TDW_SQL_TYPE_TIME, time, TDW_SQL_TYPE_TIME, 0));
    EXPECT_EQ(" | 10:20:30.0", ConvertSql(TDW_SQL_TYPE_TIME, {0, 0, 0, 10, 20, 30, 0}, TDW_SQL_TYPE_TIME, 0));
    EXPECT_EQ("FractionalTrunc(1) | 2024-02-29 10:20:30.120000000",
              ConvertSql(TDW_SQL_TYPE_TIME, time, TDW_SQL_TYPE_TIMESTAMP, 2));
    EXPECT_EQ(" | 25:00:00.0", ConvertSql(TDW_SQL_TYPE_TIME, {0, 0, 0, 25, 0, 0, 0}, TDW_SQL_TYPE_TIME))
        << "a SQL-side time is not checked";
}

TEST(DatetimeToSql, ATimeTakesTheDateOfTheDayOfTheCall)
{
    // 2024-02-29 18:00 UTC is already the first of March eight hours east.
    const FixedToday east("UTC-8");
    EXPECT_EQ(" | 2024-03-01 08:00:00.0", ConvertC(TDW_C_TYPE_TIME, {0, 0, 0, 8, 0, 0}, TDW_SQL_TYPE_TIMESTAMP));
    EXPECT_EQ(" | 2024-03-01 08:00:00.5", ConvertSql(TDW_SQL_TYPE_TIME, {0, 0, 0, 8, 0, 0, 5}, TDW_SQL_TYPE_TIMESTAMP));
}

TEST(DatetimeToSql, TimestampsLoseTheirPartsAsTheirSideAllows)
{
    struct Case
    {
        Moment timestamp;
        TDWType target;
        int16_t precision;
        const char* fromApplication;
        const char* fromSql;
    };
    const Case cases[] = {
        {{2024, 5, 1, 0, 0, 0, 0}, TDW_SQL_TYPE_DATE, 0, " | 2024-05-01", " | 2024-05-01"},
        {{2024, 5, 1, 0, 0, 0, 1}, TDW_SQL_TYPE_DATE, 0, OVERFLOW_KEPT, "FractionalTrunc(1) | 2024-05-01"},
        {{2024, 5, 1, 10, 30, 0, 0}, TDW_SQL_TYPE_DATE, 0, OVERFLOW_KEPT, "FractionalTrunc(1) | 2024-05-01"},
        {{2024, 13, 1, 0, 0, 0, 0}, TDW_SQL_TYPE_DATE, 0, "InvalidDatetimeValue | kept", " | 2024-13-01"},
        {{2024, 5, 1, 10, 30, 0, 123456789}, TDW_SQL_TYPE_TIME, 3, OVERFLOW_KEPT,
         "FractionalTrunc(1) | 10:30:00.123000000"},
        {{2024, 5, 1, 10, 30, 0, 123000000}, TDW_SQL_TYPE_TIME, 3, " | 10:30:00.123000000", " | 10:30:00.123000000"},
        {{2024, 2, 30, 10, 30, 0, 0}, TDW_SQL_TYPE_TIME, 9, "InvalidDatetimeValue | kept", " | 10:30:00.0"},
        // Copied first, so the refused value stands whole.
        {{2024, 5, 1, 10, 30, 0, 123456789}, TDW_SQL_TYPE_TIMESTAMP, 3,
         "DatetimeFieldOverflow | 2024-05-01 10:30:00.123456789",
         "FractionalTrunc(1) | 2024-05-01 10:30:00.123000000"},
        {{2024, 13, 40, 25, 0, 0, 0}, TDW_SQL_TYPE_TIMESTAMP, 0, " | 2024-13-40 25:00:00.0",
         " | 2024-13-40 25:00:00.0"},
        {{2024, 5, 1, 10, 30, 0, 999999999}, TDW_SQL_TYPE_TIMESTAMP, 9, " | 2024-05-01 10:30:00.999999999",
         " | 2024-05-01 10:30:00.999999999"},
        {{2024, 5, 1, 10, 30, 0, 1}, TDW_SQL_TYPE_TIMESTAMP, 0, "DatetimeFieldOverflow | 2024-05-01 10:30:00.1",
         "FractionalTrunc(1) | 2024-05-01 10:30:00.0"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.fromApplication, ConvertC(TDW_C_TYPE_TIMESTAMP, c.timestamp, c.target, c.precision))
            << c.target << " at " << c.precision;
        EXPECT_EQ(c.fromSql, ConvertSql(TDW_SQL_TYPE_TIMESTAMP, c.timestamp, c.target, c.precision))
            << c.target << " at " << c.precision;
    }
}

TEST(DatetimeToSql, ANullSourceMakesANullTargetAndLeavesItsValue)
{
    BoundParameter parameter(TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_DATE);
    parameter.Wrapper().SetNull(true);
    SqlValue target = Target(TDW_SQL_TYPE_DATE, 0);
    EXPECT_EQ(nullptr, parameter.Converter().Convert(parameter.Wrapper(), target.Data()));
    EXPECT_TRUE(target.Data().IsNull());
    EXPECT_EQ(std::string(6, '\x5A'), target.Bytes());
}
