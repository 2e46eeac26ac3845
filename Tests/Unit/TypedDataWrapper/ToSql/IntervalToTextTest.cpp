// Interval values into character values: the literal bodies of the kinds, the padding switch,
// signs, the fraction digits, the field limits and the leading precision, from the application's
// structure and from SQL-side values.

#include "ToTextTestSupport.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/TypedDataWrapper/Conversions/IntervalToText.h"

#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <cstring>
#include <initializer_list>
#include <string>

using namespace Orvik::Support;

namespace {

/// The application's structure with the day-second fields, which the year-month ones overlay
/// (year on day, month on hour); in_sign as the structure holds it.
std::string ApplicationInterval(std::initializer_list<SQLUINTEGER> in_daySecond, SQLSMALLINT in_sign = 0)
{
    SQL_INTERVAL_STRUCT interval;
    std::memset(&interval, 0, sizeof(interval));
    interval.interval_sign = in_sign;
    SQLUINTEGER* field = &interval.intval.day_second.day;
    for (SQLUINTEGER value : in_daySecond)
    {
        *field++ = value;
    }
    return Image(interval);
}

/// The SQL-side record: the kind's fields (the fraction after the seconds), then the sign byte.
std::string SqlInterval(std::initializer_list<uint32_t> in_fields, bool in_isNegative = false)
{
    std::string image;
    for (uint32_t value : in_fields)
    {
        image += Image(value);
    }
    return image + (in_isNegative ? '\x01' : '\x00');
}

/// One application interval of in_cType with leading precision in_leading and fractional
/// precision in_fraction, into in_target.
std::string FromApplication(TDWType in_cType,
                            const std::string& in_image,
                            uint64_t in_leading,
                            int16_t in_fraction = 6,
                            CharTarget in_target = NARROW)
{
    ToTextRun run(in_cType, in_target);
    run.CMetadata().SetLengthOrIntervalPrecision(in_leading);
    run.CMetadata().SetPrecision(in_fraction);
    return run.Run(in_image);
}

/// One SQL-side interval through the kernel of in_code.
template <KernelOutput::IntervalCode in_code>
std::string FromSql(TDWType in_sqlType,
                    const std::string& in_image,
                    uint64_t in_leading,
                    int16_t in_fraction = 0,
                    CharTarget in_target = NARROW)
{
    ToTextRun run(in_sqlType, &IntervalToText::ToText<in_code>, in_target);
    run.SourceMetadata().SetLengthOrIntervalPrecision(in_leading);
    run.SourceMetadata().SetPrecision(in_fraction);
    return run.Run(in_image);
}

const char* const FIELD_OVERFLOW = "IntervalFieldOverflow(2) |  | 0/0";
const char* const LEADING_PRECISION = "InvalidLeadingPrecision |  | 0/0";

} // namespace

TEST(IntervalToText, EachKindIsWrittenAsItsLiteralsBody)
{
    const std::string daySecond = ApplicationInterval({3, 4, 5, 6, 500000});
    EXPECT_EQ(" | 3 04:05:06.500000\\0 | 18/17", FromApplication(TDW_C_INTERVAL_DAY_TO_SECOND, daySecond, 2));
    EXPECT_EQ(" | 3 04:05:06\\0 | 11/10", FromApplication(TDW_C_INTERVAL_DAY_TO_SECOND, daySecond, 2, 0));
    EXPECT_EQ(" | 3 04:05:06.500000\\0 | 36/34",
              FromApplication(TDW_C_INTERVAL_DAY_TO_SECOND, daySecond, 2, 6, UTF16));
    EXPECT_EQ(" | 3 04\\0 | 5/4", FromApplication(TDW_C_INTERVAL_DAY_TO_HOUR, daySecond, 2));
    EXPECT_EQ(" | 3 04:05\\0 | 8/7", FromApplication(TDW_C_INTERVAL_DAY_TO_MINUTE, daySecond, 2));
    EXPECT_EQ(" | 4:05\\0 | 5/4", FromApplication(TDW_C_INTERVAL_HOUR_TO_MINUTE, daySecond, 2));
    EXPECT_EQ(" | 4:05:06.50\\0 | 11/10", FromApplication(TDW_C_INTERVAL_HOUR_TO_SECOND, daySecond, 2, 2));
    EXPECT_EQ(" | 5:06.25\\0 | 8/7",
              FromApplication(TDW_C_INTERVAL_MINUTE_TO_SECOND, ApplicationInterval({0, 0, 5, 6, 25}), 2, 2));
    EXPECT_EQ(" | 6.000001\\0 | 9/8", FromApplication(TDW_C_INTERVAL_SECOND, ApplicationInterval({0, 0, 0, 6, 1}), 2));
    // The structure's members are read by the bound type: a month sits where an hour does.
    EXPECT_EQ(" | -12\\0 | 4/3", FromApplication(TDW_C_INTERVAL_MONTH, ApplicationInterval({1, 12}, 1), 2));
    EXPECT_EQ(" | 1-02\\0 | 5/4", FromApplication(TDW_C_INTERVAL_YEAR_TO_MONTH, ApplicationInterval({1, 2}, 2), 2));
    EXPECT_EQ(" | 5\\0 | 2/1", FromApplication(TDW_C_INTERVAL_MINUTE, daySecond, 2));

    EXPECT_EQ(" | 1-02 | 4/4",
              FromSql<KernelOutput::INTERVAL_YEAR_TO_MONTH>(TDW_SQL_INTERVAL_YEAR_TO_MONTH, SqlInterval({1, 2}), 2));
    EXPECT_EQ(" | -7 | 4/4", FromSql<KernelOutput::INTERVAL_MINUTE>(TDW_SQL_INTERVAL_MINUTE, SqlInterval({7}, true), 2,
                                                                      0, UTF16));
    EXPECT_EQ(" | 3 04:05:06.005 | 14/14", FromSql<KernelOutput::INTERVAL_DAY_TO_SECOND>(
                                               TDW_SQL_INTERVAL_DAY_TO_SECOND, SqlInterval({3, 4, 5, 6, 5}), 2, 3));
    // One kernel serves the SQL-side single fields of every kind.
    EXPECT_EQ(" | 42 | 2/2", FromSql<KernelOutput::INTERVAL_DAY>(TDW_SQL_INTERVAL_YEAR, SqlInterval({42}), 2));
}

TEST(IntervalToText, TheLeadingFieldIsPaddedToItsPrecisionWhenTheSwitchIsOn)
{
    const ConversionSettingsGuard restored;
    ConversionSettings::PadIntervalLeadingField = true;
    EXPECT_EQ(" | 03 04:05:06.500000\\0 | 19/18",
              FromApplication(TDW_C_INTERVAL_DAY_TO_SECOND, ApplicationInterval({3, 4, 5, 6, 500000}), 2));
    EXPECT_EQ(" | -03 04:05:06.500000\\0 | 20/19",
              FromApplication(TDW_C_INTERVAL_DAY_TO_SECOND, ApplicationInterval({3, 4, 5, 6, 500000}, 1), 2));
    EXPECT_EQ(" | 000000007\\0 | 10/9", FromApplication(TDW_C_INTERVAL_DAY, ApplicationInterval({7}), 9));
    EXPECT_EQ(" | -0007 | 5/5", FromSql<KernelOutput::INTERVAL_DAY>(TDW_SQL_INTERVAL_HOUR, SqlInterval({7}, true), 4));
}

TEST(IntervalToText, AnApplicationsFractionIsCutToItsPrecisionASqlOneMustFitIt)
{
    const std::string fraction = ApplicationInterval({0, 0, 0, 6, 123456});
    EXPECT_EQ(" | 6.123\\0 | 6/5", FromApplication(TDW_C_INTERVAL_SECOND, fraction, 2, 3));
    EXPECT_EQ(" | 6.005\\0 | 6/5", FromApplication(TDW_C_INTERVAL_SECOND, ApplicationInterval({0, 0, 0, 6, 5}), 2, 3));
    EXPECT_EQ(" | 6\\0 | 2/1", FromApplication(TDW_C_INTERVAL_SECOND, fraction, 2, 0));
    EXPECT_EQ(" | 6.999999999\\0 | 12/11",
              FromApplication(TDW_C_INTERVAL_SECOND, ApplicationInterval({0, 0, 0, 6, 999999999}), 2, 9));

    EXPECT_EQ(" | 6.005 | 5/5",
              FromSql<KernelOutput::INTERVAL_SECOND>(TDW_SQL_INTERVAL_SECOND, SqlInterval({6, 5}), 2, 3));
    EXPECT_EQ(" | 6 | 1/1", FromSql<KernelOutput::INTERVAL_SECOND>(TDW_SQL_INTERVAL_SECOND, SqlInterval({6, 5}), 2, 0));
    EXPECT_THROW(FromSql<KernelOutput::INTERVAL_SECOND>(TDW_SQL_INTERVAL_SECOND, SqlInterval({6, 5000}), 2, 3),
                 NumberConversionInvalidDataException);
}

TEST(IntervalToText, FieldsBeyondTheirLimitsOverflowBeforeAnythingIsWritten)
{
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_DAY_TO_HOUR, ApplicationInterval({1, 24}), 2));
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_HOUR_TO_MINUTE, ApplicationInterval({0, 1, 60}), 2));
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_MINUTE_TO_SECOND, ApplicationInterval({0, 0, 1, 60}), 2));
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_YEAR_TO_MONTH, ApplicationInterval({1, 12}), 2));
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_DAY, ApplicationInterval({1000000000}), 9));
    EXPECT_EQ(FIELD_OVERFLOW,
              FromApplication(TDW_C_INTERVAL_SECOND, ApplicationInterval({0, 0, 0, 1, 1000000000}), 2));
    EXPECT_EQ(" | 999999999\\0 | 10/9", FromApplication(TDW_C_INTERVAL_HOUR, ApplicationInterval({0, 999999999}), 9));

    EXPECT_EQ(FIELD_OVERFLOW, FromSql<KernelOutput::INTERVAL_DAY_TO_HOUR>(TDW_SQL_INTERVAL_DAY_TO_HOUR,
                                                                          SqlInterval({1, 24}), 2));
    EXPECT_EQ(FIELD_OVERFLOW, FromSql<KernelOutput::INTERVAL_SECOND>(TDW_SQL_INTERVAL_SECOND,
                                                                     SqlInterval({1000000000, 0}), 9));
    // A SQL-side single field is held to its leading precision alone.
    EXPECT_EQ(LEADING_PRECISION,
              FromSql<KernelOutput::INTERVAL_DAY>(TDW_SQL_INTERVAL_DAY, SqlInterval({4294967295U}), 9));
}

TEST(IntervalToText, ALeadingFieldLongerThanItsPrecisionIsRefused)
{
    EXPECT_EQ(LEADING_PRECISION, FromApplication(TDW_C_INTERVAL_HOUR, ApplicationInterval({0, 123}), 2));
    EXPECT_EQ(" | 123\\0 | 4/3", FromApplication(TDW_C_INTERVAL_HOUR, ApplicationInterval({0, 123}), 3));
    // A precision of 0 refuses even a zero.
    EXPECT_EQ(LEADING_PRECISION, FromApplication(TDW_C_INTERVAL_DAY, ApplicationInterval({0}), 0));
    EXPECT_EQ(LEADING_PRECISION, FromSql<KernelOutput::INTERVAL_DAY_TO_SECOND>(TDW_SQL_INTERVAL_DAY_TO_SECOND,
                                                                             SqlInterval({100, 0, 0, 0, 0}), 2, 6));
}

TEST(IntervalToText, AnApplicationsPrecisionsOutsideTheirDigitsAreRefusedBeforeTheyPadOrCut)
{
    const ConversionSettingsGuard restored;
    ConversionSettings::PadIntervalLeadingField = true;
    const std::string day = ApplicationInterval({5});
    EXPECT_EQ(LEADING_PRECISION, FromApplication(TDW_C_INTERVAL_DAY, day, 10));
    EXPECT_EQ(LEADING_PRECISION, FromApplication(TDW_C_INTERVAL_DAY, day, uint64_t{1} << 40));
    const std::string second = ApplicationInterval({0, 0, 0, 1, 5});
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_SECOND, second, 2, 10));
    EXPECT_EQ(FIELD_OVERFLOW, FromApplication(TDW_C_INTERVAL_DAY_TO_SECOND, second, 2, -1));
    // Kinds without seconds do not read the fractional precision.
    EXPECT_EQ(" | 05\\0 | 3/2", FromApplication(TDW_C_INTERVAL_DAY, day, 2, -1));
}

TEST(IntervalToText, AHolderThatCannotTakeTheTextIsNotWritten)
{
    ToTextRun run(TDW_C_INTERVAL_DAY_TO_HOUR, NARROW);
    run.CapTarget(4);
    EXPECT_EQ("NumericValOutOfRange(2) | .... | 4/4", run.Run(ApplicationInterval({3, 4})));
}
