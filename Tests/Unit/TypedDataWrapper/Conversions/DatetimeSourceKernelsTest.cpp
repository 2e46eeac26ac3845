#include "KernelTestSupport.h"
#include "StructOutcome.h"

#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"
#include "Unit/TypedDataWrapper/FixedToday.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

TDWTimeValue Time(uint16_t in_hour, uint16_t in_minute, uint16_t in_second, uint32_t in_fraction)
{
    TDWTimeValue time;
    time.m_hour = in_hour;
    time.m_minute = in_minute;
    time.m_second = in_second;
    time.m_fraction = in_fraction;
    return time;
}

TDWTimestampValue Timestamp(int16_t in_year, uint16_t in_month, uint16_t in_day, const TDWTimeValue& in_time)
{
    TDWTimestampValue timestamp;
    timestamp.m_year = in_year;
    timestamp.m_month = in_month;
    timestamp.m_day = in_day;
    timestamp.m_hour = in_time.m_hour;
    timestamp.m_minute = in_time.m_minute;
    timestamp.m_second = in_time.m_second;
    timestamp.m_fraction = in_time.m_fraction;
    return timestamp;
}

/// "<posted> | <length> | <text>" of a text run, the text read in code units of in_unitSize.
std::string TextOutcome(const KernelRun& in_run, size_t in_unitSize = 1)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + TextOf(in_run, in_unitSize);
}

/// Runs a text kernel of a fixed-size source with a buffer of in_size bytes and expects it to
/// write nothing outside; also checks that a length query reports the same length and posts
/// nothing.
template <typename T>
KernelRun RunText(TDWType in_source, TDWType in_target, const T& in_value, SqlToCKernelState& io_state, int64_t in_size)
{
    const SqlToCKernel kernel = KernelOf(in_source, in_target);
    const KernelRun run = RunKernel(kernel, io_state, &in_value, sizeof(T), in_size);
    const KernelRun query = QueryLength(kernel, io_state, &in_value, sizeof(T), in_size);
    EXPECT_TRUE(run.clean) << "written outside the target";
    if (run.posted.find("DatetimeFieldOverflow") == std::string::npos)
    {
        EXPECT_EQ(run.length, query.length) << "a length query reports the same length";
        EXPECT_EQ("", query.posted) << "a length query of text posts nothing";
    }
    return run;
}

} // namespace

TEST(DatetimeSourceKernels, DatesBecomeText)
{
    SqlToCKernelState state;
    const TDWDateValue leapDay{2024, 2, 29};
    EXPECT_EQ(" | 10 | 2024-02-29", TextOutcome(RunText(TDW_SQL_TYPE_DATE, TDW_C_CHAR, leapDay, state, 11)));
    EXPECT_EQ("NumericValOutOfRange(2) | 10 | untouched",
              TextOutcome(RunText(TDW_SQL_TYPE_DATE, TDW_C_CHAR, leapDay, state, 10)));
    EXPECT_EQ(" | 11 | -0044-03-15",
              TextOutcome(RunText(TDW_SQL_TYPE_DATE, TDW_C_CHAR, TDWDateValue{-44, 3, 15}, state, 12)));
    // An invalid date is reported and still written.
    EXPECT_EQ("DatetimeFieldOverflow | 10 | 2023-02-29",
              TextOutcome(RunText(TDW_SQL_TYPE_DATE, TDW_C_CHAR, TDWDateValue{2023, 2, 29}, state, 11)));
    // A year of five digits has no text: reported, and nothing is written.
    const KernelRun fiveDigits = RunText(TDW_SQL_TYPE_DATE, TDW_C_CHAR, TDWDateValue{12000, 1, 1}, state, 20);
    EXPECT_EQ("DatetimeFieldOverflow", fiveDigits.posted);
    EXPECT_TRUE(fiveDigits.untouched);

    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(" | 20 | 2024-02-29", TextOutcome(RunText(TDW_SQL_TYPE_DATE, TDW_C_WCHAR, leapDay, state, 22), 2));
    EXPECT_EQ("NumericValOutOfRange(2) | 20 | untouched",
              TextOutcome(RunText(TDW_SQL_TYPE_DATE, TDW_C_WCHAR, leapDay, state, 21), 2));
}

TEST(DatetimeSourceKernels, TimesBecomeTextWithTheSourcePrecision)
{
    const ConversionSettingsGuard guard;
    struct TimeCase
    {
        TDWTimeValue value;
        int16_t precision;
        bool showZero;
        int64_t size;
        const char* expected;
    };
    const TimeCase cases[] = {
        {Time(12, 34, 56, 500000000), 3, false, 20, " | 12 | 12:34:56.500"},
        {Time(12, 34, 56, 0), 3, false, 20, " | 8 | 12:34:56"},
        {Time(12, 34, 56, 0), 3, true, 20, " | 12 | 12:34:56.000"},
        {Time(12, 34, 56, 0), 0, true, 9, " | 8 | 12:34:56"},
        {Time(12, 34, 56, 500000000), 0, false, 20, " | 8 | 12:34:56"},
        {Time(12, 34, 56, 123456789), 3, false, 20, "StrRightTrunc | 12 | 12:34:56.123"},
        {Time(12, 34, 56, 123456789), 9, false, 20, " | 18 | 12:34:56.123456789"},
        {Time(1, 2, 3, 7), 9, false, 20, " | 18 | 01:02:03.000000007"},
        // The room decides how many digits are written; a digit lost for lack of room is
        // reported, and a cut that loses only zeros is not.
        {Time(12, 34, 56, 500000000), 3, false, 11, " | 12 | 12:34:56.5"},
        {Time(12, 34, 56, 520000000), 3, false, 11, "StrRightTrunc | 12 | 12:34:56.5"},
        {Time(12, 34, 56, 500000000), 3, false, 10, "StrRightTrunc | 12 | 12:34:56"},
        {Time(12, 34, 56, 500000000), 3, false, 9, "NumericValOutOfRange(2) | 12 | untouched"},
        {Time(12, 34, 56, 0), 3, false, 8, "NumericValOutOfRange(2) | 8 | untouched"},
        {Time(12, 34, 56, 0), 3, false, 0, "NumericValOutOfRange(2) | 8 | untouched"},
    };
    SqlToCKernelState state;
    for (const TimeCase& c : cases)
    {
        ConversionSettings::ShowZeroTimeFraction = c.showZero;
        state.m_sourceFractionalPrecision = c.precision;
        const KernelRun run = RunText(TDW_SQL_TYPE_TIME, TDW_C_CHAR, c.value, state, c.size);
        EXPECT_EQ(c.expected, TextOutcome(run)) << c.value.m_fraction << " p" << c.precision << " in " << c.size;
    }

    ConversionSettings::ShowZeroTimeFraction = false;
    state.m_sourceFractionalPrecision = 3;
    state.m_targetEncoding = ENC_UTF16_LE;
    const TDWTimeValue half = Time(12, 34, 56, 500000000);
    EXPECT_EQ(" | 24 | 12:34:56.500", TextOutcome(RunText(TDW_SQL_TYPE_TIME, TDW_C_WCHAR, half, state, 26), 2));
    EXPECT_EQ("StrRightTrunc | 24 | 12:34:56",
              TextOutcome(RunText(TDW_SQL_TYPE_TIME, TDW_C_WCHAR, half, state, 21), 2));
    EXPECT_EQ("NumericValOutOfRange(2) | 24 | untouched",
              TextOutcome(RunText(TDW_SQL_TYPE_TIME, TDW_C_WCHAR, half, state, 19), 2));
}

TEST(DatetimeSourceKernels, TimestampsBecomeText)
{
    const ConversionSettingsGuard guard;
    ConversionSettings::ShowZeroTimestampFraction = false;
    struct TimestampCase
    {
        TDWTimestampValue value;
        int16_t precision;
        int64_t size;
        const char* expected;
    };
    const TimestampCase cases[] = {
        {Timestamp(1999, 12, 31, Time(23, 59, 59, 0)), 6, 40, " | 19 | 1999-12-31 23:59:59"},
        {Timestamp(1999, 12, 31, Time(23, 59, 59, 0)), 6, 20, " | 19 | 1999-12-31 23:59:59"},
        {Timestamp(1999, 12, 31, Time(23, 59, 59, 0)), 6, 19, "NumericValOutOfRange(2) | 19 | untouched"},
        {Timestamp(-1, 1, 1, Time(0, 0, 0, 0)), 0, 21, " | 20 | -0001-01-01 00:00:00"},
        // The source's precision shows as many digits as the column has.
        {Timestamp(2020, 1, 2, Time(3, 4, 5, 123456789)), 3, 40, " | 23 | 2020-01-02 03:04:05.123"},
        {Timestamp(2020, 1, 2, Time(3, 4, 5, 120000000)), 6, 40, " | 26 | 2020-01-02 03:04:05.120000"},
        // Digits lost for lack of room are reported.
        {Timestamp(2020, 1, 2, Time(3, 4, 5, 120000000)), 6, 22, "StrRightTrunc | 26 | 2020-01-02 03:04:05.1"},
        {Timestamp(2020, 1, 2, Time(3, 4, 5, 120000000)), 6, 21, "StrRightTrunc | 26 | 2020-01-02 03:04:05"},
        {Timestamp(2020, 1, 2, Time(3, 4, 5, 100000000)), 6, 22, " | 26 | 2020-01-02 03:04:05.1"},
        {Timestamp(2020, 1, 2, Time(3, 4, 5, 120000000)), 6, 20, "NumericValOutOfRange(2) | 26 | untouched"},
    };
    SqlToCKernelState state;
    for (const TimestampCase& c : cases)
    {
        state.m_sourceFractionalPrecision = c.precision;
        const KernelRun run = RunText(TDW_SQL_TYPE_TIMESTAMP, TDW_C_CHAR, c.value, state, c.size);
        EXPECT_EQ(c.expected, TextOutcome(run)) << c.value.m_fraction << " p" << c.precision << " in " << c.size;
    }

    ConversionSettings::ShowZeroTimestampFraction = true;
    state.m_sourceFractionalPrecision = 2;
    const TDWTimestampValue midnight = Timestamp(2020, 1, 2, Time(0, 0, 0, 0));
    EXPECT_EQ(" | 22 | 2020-01-02 00:00:00.00",
              TextOutcome(RunText(TDW_SQL_TYPE_TIMESTAMP, TDW_C_CHAR, midnight, state, 23)));

    // A wide buffer takes the whole text or nothing.
    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(" | 44 | 2020-01-02 00:00:00.00",
              TextOutcome(RunText(TDW_SQL_TYPE_TIMESTAMP, TDW_C_WCHAR, midnight, state, 46), 2));
    EXPECT_EQ("NumericValOutOfRange(2) | 44 | untouched",
              TextOutcome(RunText(TDW_SQL_TYPE_TIMESTAMP, TDW_C_WCHAR, midnight, state, 44), 2));
}

TEST(DatetimeSourceKernels, DatesTimesAndTimestampsFillStructures)
{
    const FixedToday today;
    SqlToCKernelState state;
    state.m_targetFractionalPrecision = 3;
    const TDWTimeValue time = Time(12, 34, 56, 123456789);
    const TDWTimestampValue timestamp = Timestamp(2020, 1, 2, time);
    const TDWTimestampValue oneSecond = Timestamp(2020, 1, 1, Time(0, 0, 1, 0));
    const TDWTimestampValue midnight = Timestamp(2020, 1, 1, Time(0, 0, 0, 0));
    const struct
    {
        KernelRun run;
        std::string (*show)(const KernelRun&);
        const char* expected;
    } cases[] = {
        {RunFixed(KernelOf(TDW_SQL_TYPE_DATE, TDW_C_TYPE_DATE), state, &midnight, 6, 6), DateText, " | 6 | 2020-1-1"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_DATE, TDW_C_TYPE_TIMESTAMP), state, &midnight, 6, 16), TimestampText,
         " | 16 | 2020-1-1 0:0:0.0"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIME), state, &time, 12, 6), TimeText,
         "FractionalTrunc(1) | 6 | 12:34:56"},
        // A time gets today's date from the clock.
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIMESTAMP), state, &time, 12, 16), TimestampText,
         "FractionalTrunc(1) | 16 | 2024-2-29 12:34:56.123000000"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_DATE), state, &oneSecond, 16, 6), DateText,
         "FractionalTrunc(1) | 6 | 2020-1-1"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_DATE), state, &midnight, 16, 6), DateText,
         " | 6 | 2020-1-1"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIME), state, &timestamp, 16, 6), TimeText,
         "FractionalTrunc(1) | 6 | 12:34:56"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIME), state, &oneSecond, 16, 6), TimeText,
         " | 6 | 0:0:1"},
        {RunFixed(KernelOf(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP), state, &timestamp, 16, 16), TimestampText,
         "FractionalTrunc(1) | 16 | 2020-1-2 12:34:56.123000000"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.expected, Outcome(c.run, c.show));
    }
    state.m_targetFractionalPrecision = 9;
    EXPECT_EQ(" | 16 | 2020-1-2 12:34:56.123456789",
              Outcome(RunFixed(KernelOf(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP), state, &timestamp, 16, 16),
                      TimestampText));
}

TEST(DatetimeSourceKernels, GuidsBecomeTextAndStructures)
{
    TDWGuidValue guid;
    guid.Parse("01234567-89ab-cdef-0123-456789abcdef", 36, true);
    SqlToCKernelState state;
    EXPECT_EQ(" | 36 | 01234567-89AB-CDEF-0123-456789ABCDEF",
              TextOutcome(RunText(TDW_SQL_GUID, TDW_C_CHAR, guid, state, 37)));
    EXPECT_EQ("NumericValOutOfRange(2) | 36 | untouched", TextOutcome(RunText(TDW_SQL_GUID, TDW_C_CHAR, guid, state, 36)));
    EXPECT_EQ("NumericValOutOfRange(2) | 36 | untouched", TextOutcome(RunText(TDW_SQL_GUID, TDW_C_CHAR, guid, state, 0)));

    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(" | 72 | 01234567-89AB-CDEF-0123-456789ABCDEF",
              TextOutcome(RunText(TDW_SQL_GUID, TDW_C_WCHAR, guid, state, 74), 2));
    EXPECT_EQ("NumericValOutOfRange(2) | 72 | untouched",
              TextOutcome(RunText(TDW_SQL_GUID, TDW_C_WCHAR, guid, state, 73), 2));

    const KernelRun structure = RunFixed(KernelOf(TDW_SQL_GUID, TDW_C_GUID), state, &guid, 20, 16);
    EXPECT_EQ("", structure.posted);
    EXPECT_EQ(16, structure.length);
    EXPECT_EQ("67452301AB89EFCD0123456789ABCDEF", Hex(structure.bytes));
}
