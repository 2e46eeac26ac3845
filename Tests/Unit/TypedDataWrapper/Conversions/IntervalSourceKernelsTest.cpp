#include "FixedValueText.h"
#include "KernelTestSupport.h"
#include "StructOutcome.h"

#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWYearMonthInterval.h"

#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

/// The units of interval fields, largest first, and what each kind holds of them.
enum Unit
{
    YEAR,
    MONTH,
    DAY,
    HOUR,
    MINUTE,
    SECOND
};

struct Kind
{
    TDWType sqlType;
    TDWType cType;
    int code;
    Unit first;
    Unit last;
};

const Kind YEAR_MONTH_KINDS[] = {
    {TDW_SQL_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR, 1, YEAR, YEAR},
    {TDW_SQL_INTERVAL_MONTH, TDW_C_INTERVAL_MONTH, 2, MONTH, MONTH},
    {TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH, 7, YEAR, MONTH},
};

const Kind DAY_TIME_KINDS[] = {
    {TDW_SQL_INTERVAL_DAY, TDW_C_INTERVAL_DAY, 3, DAY, DAY},
    {TDW_SQL_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR, 4, HOUR, HOUR},
    {TDW_SQL_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE, 5, MINUTE, MINUTE},
    {TDW_SQL_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND, 6, SECOND, SECOND},
    {TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_HOUR, 8, DAY, HOUR},
    {TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_MINUTE, 9, DAY, MINUTE},
    {TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND, 10, DAY, SECOND},
    {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_MINUTE, 11, HOUR, MINUTE},
    {TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_SECOND, 12, HOUR, SECOND},
    {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND, 13, MINUTE, SECOND},
};

/// Months or seconds in one unit.
uint64_t SizeOf(Unit in_unit)
{
    constexpr uint64_t SIZES[] = {12, 1, 86400, 3600, 60, 1};
    return SIZES[in_unit];
}

/// A source value in the layout of the SQL-side interval records: the kind's fields as 32-bit
/// numbers, the fraction for the kinds with seconds, then the sign.
struct Source
{
    uint32_t fields[6] = {};
    uint32_t fraction = 0;
    bool negative = false;

    std::vector<uint8_t> Bytes(const Kind& in_kind) const
    {
        std::vector<uint8_t> bytes;
        auto put = [&bytes](uint32_t in_value) {
            const uint8_t* raw = reinterpret_cast<const uint8_t*>(&in_value);
            bytes.insert(bytes.end(), raw, raw + 4);
        };
        for (int unit = in_kind.first; unit <= in_kind.last; ++unit)
        {
            put(fields[unit]);
        }
        if (in_kind.last == SECOND)
        {
            put(fraction);
        }
        bytes.push_back(negative ? 1 : 0);
        bytes.resize(bytes.size() + 3, 0);
        return bytes;
    }
};

/// What a conversion between two kinds must give, worked out on the total of the smallest unit
/// (months or seconds), independently of the kernels' field arithmetic.
std::string Reference(const Source& in_source, const Kind& in_from, const Kind& in_to, uint64_t in_leadingPrecision)
{
    uint64_t total = 0;
    for (int unit = in_from.first; unit <= in_from.last; ++unit)
    {
        total += in_source.fields[unit] * SizeOf(static_cast<Unit>(unit));
    }
    const uint64_t lastSize = SizeOf(in_to.last);
    const bool keepsFraction = in_from.last == SECOND && in_to.last == SECOND;
    const bool isLost = total % lastSize != 0 || (in_source.fraction != 0 && !keepsFraction);
    total -= total % lastSize;
    uint64_t fields[6] = {};
    for (int unit = in_to.first; unit <= in_to.last; ++unit)
    {
        const uint64_t inUnit = total / SizeOf(static_cast<Unit>(unit));
        fields[unit] = unit == in_to.first ? inUnit : inUnit % (SizeOf(static_cast<Unit>(unit - 1)) / SizeOf(static_cast<Unit>(unit)));
    }
    const uint64_t leading = fields[in_to.first];
    if (leading > 999999999 || std::to_string(leading).size() > in_leadingPrecision)
    {
        return std::string(in_source.negative ? "IntervalFieldOverflow(1)" : "IntervalFieldOverflow(0)") + " | 28 | untouched";
    }
    std::string value = "type=" + std::to_string(in_to.code) + " sign=" + (in_source.negative ? "1 " : "0 ");
    if (in_to.last <= MONTH)
    {
        value += std::to_string(fields[YEAR]) + "-" + std::to_string(fields[MONTH]);
    }
    else
    {
        value += std::to_string(fields[DAY]) + " " + std::to_string(fields[HOUR]) + ":" + std::to_string(fields[MINUTE])
            + ":" + std::to_string(fields[SECOND]) + "." + std::to_string(keepsFraction ? in_source.fraction : 0);
    }
    const std::string posted = isLost ? (in_source.negative ? "FractionalTrunc(0)" : "FractionalTrunc(1)") : "";
    return posted + " | 28 | " + value;
}

KernelRun Convert(const Source& in_source, const Kind& in_from, const Kind& in_to, uint64_t in_leadingPrecision)
{
    SqlToCKernelState state;
    state.m_targetLeadingPrecision = in_leadingPrecision;
    const std::vector<uint8_t> bytes = in_source.Bytes(in_from);
    return RunFixed(KernelOf(in_from.sqlType, in_to.cType), state, bytes.data(), static_cast<int64_t>(bytes.size()), 28);
}

template <size_t in_count>
void ExpectEveryPairMatchesTheReference(const Kind (&in_kinds)[in_count], const uint32_t (&in_limits)[6])
{
    uint64_t seed = 0x9E3779B97F4A7C15ull;
    auto next = [&seed](uint32_t in_bound) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return static_cast<uint32_t>(seed % in_bound);
    };
    for (const Kind& from : in_kinds)
    {
        for (const Kind& to : in_kinds)
        {
            for (int sample = 0; sample < 60; ++sample)
            {
                Source source;
                for (int unit = from.first; unit <= from.last; ++unit)
                {
                    // Every third sample keeps only its leading field, so that exact moves show.
                    const bool isLeading = unit == from.first;
                    source.fields[unit] = isLeading ? next(in_limits[unit]) : (sample % 3 == 0 ? 0 : next(in_limits[unit]));
                }
                source.fraction = (from.last == SECOND && sample % 3 != 0) ? next(1000000) : 0;
                source.negative = sample % 2 == 1;
                for (uint64_t precision : {9, 2})
                {
                    EXPECT_EQ(Reference(source, from, to, precision), IntervalOutcome(Convert(source, from, to, precision)))
                        << from.code << " to " << to.code << " sample " << sample << " precision " << precision;
                }
            }
        }
    }
}

std::string TextOutcome(const KernelRun& in_run, size_t in_unitSize = 1)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + TextOf(in_run, in_unitSize);
}

} // namespace

TEST(IntervalSourceKernels, EveryPairOfKindsConvertsAsTheReferenceDoes)
{
    // Leading fields up to 100000 days, hours, minutes or seconds, lower fields within their
    // units; with leading precision 9 and 2.
    ExpectEveryPairMatchesTheReference(DAY_TIME_KINDS, {0, 0, 100000, 100000, 100000, 100000});
    ExpectEveryPairMatchesTheReference(YEAR_MONTH_KINDS, {100000, 100000, 0, 0, 0, 0});
    // Lower fields within their units in the day-to-second kinds.
    ExpectEveryPairMatchesTheReference(DAY_TIME_KINDS, {0, 0, 1000, 24, 60, 60});
    ExpectEveryPairMatchesTheReference(YEAR_MONTH_KINDS, {1000, 12, 0, 0, 0, 0});
}

TEST(IntervalSourceKernels, IntervalsMoveBetweenKinds)
{
    auto convert = [](const Source& in_source, const Kind& in_from, const Kind& in_to, uint64_t in_precision) {
        return IntervalOutcome(Convert(in_source, in_from, in_to, in_precision));
    };
    const Kind& day = DAY_TIME_KINDS[0];
    const Kind& hour = DAY_TIME_KINDS[1];
    const Kind& minute = DAY_TIME_KINDS[2];
    const Kind& second = DAY_TIME_KINDS[3];
    const Kind& dayToHour = DAY_TIME_KINDS[4];
    const Kind& dayToMinute = DAY_TIME_KINDS[5];
    const Kind& hourToMinute = DAY_TIME_KINDS[7];
    Source dayMinute;
    dayMinute.fields[DAY] = 1;
    dayMinute.fields[HOUR] = 2;
    dayMinute.fields[MINUTE] = 3;
    EXPECT_EQ("FractionalTrunc(1) | 28 | type=4 sign=0 0 26:0:0.0", convert(dayMinute, dayToMinute, hour, 2));
    Source minutes;
    minutes.fields[MINUTE] = 1500;
    EXPECT_EQ(" | 28 | type=8 sign=0 1 1:0:0.0", convert(minutes, minute, dayToHour, 2));
    minutes.fields[MINUTE] = 1530;
    EXPECT_EQ("FractionalTrunc(1) | 28 | type=8 sign=0 1 1:0:0.0", convert(minutes, minute, dayToHour, 2));
    minutes.fields[MINUTE] = 1441;
    minutes.negative = true;
    EXPECT_EQ("FractionalTrunc(0) | 28 | type=3 sign=1 1 0:0:0.0", convert(minutes, minute, day, 2));
    Source seconds;
    seconds.fields[SECOND] = 3661;
    seconds.fraction = 5;
    EXPECT_EQ("FractionalTrunc(1) | 28 | type=11 sign=0 0 1:1:0.0", convert(seconds, second, hourToMinute, 2));
    Source months;
    months.fields[MONTH] = 30;
    EXPECT_EQ(" | 28 | type=7 sign=0 2-6", convert(months, YEAR_MONTH_KINDS[1], YEAR_MONTH_KINDS[2], 2));

    // 12345 days are 1066608000 seconds: ten digits, refused whatever the precision, and never
    // counted in 32 bits.
    Source days;
    days.fields[DAY] = 12345;
    EXPECT_EQ("IntervalFieldOverflow(0) | 28 | untouched", convert(days, day, second, 6));
    EXPECT_EQ("IntervalFieldOverflow(0) | 28 | untouched", convert(days, day, second, 10));
    days.fields[DAY] = 4294967295u;
    EXPECT_EQ("IntervalFieldOverflow(0) | 28 | untouched", convert(days, day, minute, 9));
    days.fields[DAY] = 11574;
    EXPECT_EQ(" | 28 | type=6 sign=0 0 0:0:999993600.0", convert(days, day, second, 9));
}

TEST(IntervalSourceKernels, IntervalsBecomeText)
{
    const ConversionSettingsGuard guard;
    ConversionSettings::PadIntervalLeadingField = false;
    SqlToCKernelState state;
    state.m_sourceLeadingPrecision = 2;
    state.m_sourceFractionalPrecision = 3;
    TDWDaySecondInterval daySecond;
    daySecond.m_day = 3;
    daySecond.m_hour = 4;
    daySecond.m_minute = 5;
    daySecond.m_second = 6;
    daySecond.m_fraction = 7;
    const SqlToCKernel daySecondText = KernelOf(TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_CHAR);
    auto run = [&](SqlToCKernel in_kernel, const auto& in_value, int64_t in_size) {
        const KernelRun result = RunKernel(in_kernel, state, &in_value, sizeof(in_value), in_size);
        EXPECT_TRUE(result.clean);
        return TextOutcome(result, state.m_targetEncoding == ENC_UTF16_LE ? 2 : 1);
    };
    EXPECT_EQ(" | 14 | 3 04:05:06.007", run(daySecondText, daySecond, 20));
    EXPECT_EQ(" | 14 | 3 04:05:06.007", run(daySecondText, daySecond, 15));
    EXPECT_EQ("NumericValOutOfRange(2) | 14 | untouched", run(daySecondText, daySecond, 10));
    EXPECT_EQ("NumericValOutOfRange(2) | 14 | untouched", run(daySecondText, daySecond, 3));
    daySecond.m_isNegative = true;
    const KernelRun query = QueryLength(daySecondText, state, &daySecond, sizeof(daySecond), 0);
    EXPECT_EQ(" | 15 | untouched", TextOutcome(query));

    TDWYearMonthInterval yearMonth;
    yearMonth.m_year = 1;
    yearMonth.m_month = 2;
    yearMonth.m_isNegative = true;
    const SqlToCKernel yearMonthText = KernelOf(TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_CHAR);
    EXPECT_EQ(" | 5 | -1-02", run(yearMonthText, yearMonth, 6));
    EXPECT_EQ("NumericValOutOfRange(2) | 5 | untouched", run(yearMonthText, yearMonth, 5));

    TDWSingleFieldInterval hours;
    hours.m_value = 5;
    state.m_sourceLeadingPrecision = 3;
    const SqlToCKernel hourText = KernelOf(TDW_SQL_INTERVAL_HOUR, TDW_C_CHAR);
    EXPECT_EQ(" | 1 | 5", run(hourText, hours, 10));
    ConversionSettings::PadIntervalLeadingField = true;
    EXPECT_EQ(" | 3 | 005", run(hourText, hours, 10));
    hours.m_isNegative = true;
    EXPECT_EQ(" | 4 | -005", run(hourText, hours, 10));
    ConversionSettings::PadIntervalLeadingField = false;

    TDWSecondInterval secondsValue;
    secondsValue.m_second = 5;
    secondsValue.m_fraction = 1;
    state.m_sourceFractionalPrecision = 6;
    EXPECT_EQ(" | 8 | 5.000001", run(KernelOf(TDW_SQL_INTERVAL_SECOND, TDW_C_CHAR), secondsValue, 10));
    state.m_sourceFractionalPrecision = 0;
    EXPECT_EQ(" | 1 | 5", run(KernelOf(TDW_SQL_INTERVAL_SECOND, TDW_C_CHAR), secondsValue, 10));

    state.m_targetEncoding = ENC_UTF16_LE;
    state.m_sourceLeadingPrecision = 2;
    state.m_sourceFractionalPrecision = 3;
    daySecond.m_isNegative = false;
    const SqlToCKernel daySecondWide = KernelOf(TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_WCHAR);
    EXPECT_EQ(" | 28 | 3 04:05:06.007", run(daySecondWide, daySecond, 30));
    EXPECT_EQ("NumericValOutOfRange(2) | 28 | untouched", run(daySecondWide, daySecond, 21));
    EXPECT_EQ(" | 10 | -1-02", run(KernelOf(TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_WCHAR), yearMonth, 12));
    EXPECT_EQ("NumericValOutOfRange(2) | 10 | untouched",
              run(KernelOf(TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_WCHAR), yearMonth, 11));
}

TEST(IntervalSourceKernels, TextCutToFitReportsTheWholeTextsLength)
{
    // 3 days 04:05:06.007 with leading precision 2 and three fraction digits; each kind reads
    // its own fields of it. Only fraction digits are given up, the point going with the last of
    // them, and the length is the whole text's, as a length query reports it.
    struct CutCase
    {
        const Kind& kind;
        bool negative;
        EncodingType encoding;
        int64_t size;
        const char* expected;
    };
    const Kind& daySecond = DAY_TIME_KINDS[6];
    const Kind& hourSecond = DAY_TIME_KINDS[8];
    const Kind& minuteSecond = DAY_TIME_KINDS[9];
    const Kind& second = DAY_TIME_KINDS[3];
    const CutCase cases[] = {
        {daySecond, false, ENC_NONE, 13, "FractionalTrunc(1) | 14 | 3 04:05:06.0"},
        {daySecond, false, ENC_NONE, 12, "FractionalTrunc(1) | 14 | 3 04:05:06"},
        {daySecond, false, ENC_NONE, 11, "FractionalTrunc(1) | 14 | 3 04:05:06"},
        {daySecond, true, ENC_NONE, 13, "FractionalTrunc(0) | 15 | -3 04:05:06"},
        {daySecond, false, ENC_UTF16_LE, 26, "FractionalTrunc(1) | 28 | 3 04:05:06.0"},
        {daySecond, false, ENC_UTF16_LE, 24, "FractionalTrunc(1) | 28 | 3 04:05:06"},
        {hourSecond, true, ENC_NONE, 10, "FractionalTrunc(0) | 12 | -4:05:06"},
        {hourSecond, false, ENC_UTF16_LE, 22, "FractionalTrunc(1) | 22 | 4:05:06.00"},
        {minuteSecond, false, ENC_NONE, 8, "FractionalTrunc(1) | 8 | 5:06.00"},
        {minuteSecond, true, ENC_UTF32_LE, 32, "FractionalTrunc(0) | 36 | -5:06.0"},
        {second, false, ENC_NONE, 3, "FractionalTrunc(1) | 5 | 6"},
        {second, true, ENC_UTF16_LE, 10, "FractionalTrunc(0) | 12 | -6.0"},
        {second, true, ENC_UTF16_LE, 8, "FractionalTrunc(0) | 12 | -6"},
    };
    const ConversionSettingsGuard guard;
    ConversionSettings::PadIntervalLeadingField = false;
    for (const CutCase& c : cases)
    {
        Source source;
        source.fields[DAY] = 3;
        source.fields[HOUR] = 4;
        source.fields[MINUTE] = 5;
        source.fields[SECOND] = 6;
        source.fraction = 7;
        source.negative = c.negative;
        const std::vector<uint8_t> bytes = source.Bytes(c.kind);
        SqlToCKernelState state;
        state.m_sourceLeadingPrecision = 2;
        state.m_sourceFractionalPrecision = 3;
        state.m_targetEncoding = c.encoding;
        const bool isWide = c.encoding != ENC_NONE;
        const SqlToCKernel kernel = KernelOf(c.kind.sqlType, isWide ? TDW_C_WCHAR : TDW_C_CHAR);
        const int64_t sourceLength = static_cast<int64_t>(bytes.size());
        const KernelRun run = RunKernel(kernel, state, bytes.data(), sourceLength, c.size);
        const KernelRun query = QueryLength(kernel, state, bytes.data(), sourceLength, c.size);
        const size_t unitSize = c.encoding == ENC_UTF32_LE ? 4 : isWide ? 2 : 1;
        EXPECT_EQ(c.expected, TextOutcome(run, unitSize)) << c.kind.code << " into " << c.size << " bytes";
        EXPECT_EQ(query.length, run.length) << c.kind.code << " into " << c.size << " bytes";
        EXPECT_TRUE(run.clean) << c.kind.code << " into " << c.size << " bytes";
    }
}

TEST(IntervalSourceKernels, SingleFieldIntervalsAndSecondsBecomeIntegers)
{
    struct IntegerCase
    {
        TDWType source;
        uint32_t value;
        uint32_t fraction;
        bool negative;
        TDWType target;
        const char* expected;
    };
    const IntegerCase cases[] = {
        {TDW_SQL_INTERVAL_HOUR, 300, 0, true, TDW_C_STINYINT, "NumericValOutOfRange(1) | 1 | untouched"},
        {TDW_SQL_INTERVAL_HOUR, 128, 0, true, TDW_C_TINYINT, " | 1 | -128"},
        {TDW_SQL_INTERVAL_YEAR, 300, 0, false, TDW_C_UTINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        {TDW_SQL_INTERVAL_MONTH, 255, 0, false, TDW_C_UTINYINT, " | 1 | 255"},
        // A negative interval of value 0 is still negative for an unsigned target.
        {TDW_SQL_INTERVAL_MINUTE, 0, 0, true, TDW_C_USHORT, "NumericValOutOfRange(1) | 2 | untouched"},
        {TDW_SQL_INTERVAL_MINUTE, 0, 0, true, TDW_C_SSHORT, " | 2 | 0"},
        {TDW_SQL_INTERVAL_DAY, 32768, 0, true, TDW_C_SHORT, " | 2 | -32768"},
        {TDW_SQL_INTERVAL_DAY, 4000000000u, 0, false, TDW_C_SLONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {TDW_SQL_INTERVAL_DAY, 4000000000u, 0, false, TDW_C_ULONG, " | 4 | 4000000000"},
        {TDW_SQL_INTERVAL_DAY, 4000000000u, 0, true, TDW_C_SBIGINT, " | 8 | -4000000000"},
        {TDW_SQL_INTERVAL_DAY, 1, 0, true, TDW_C_UBIGINT, "NumericValOutOfRange(1) | 8 | untouched"},
        {TDW_SQL_INTERVAL_SECOND, 7, 25, false, TDW_C_SLONG, "FractionalTrunc(1) | 4 | 7"},
        {TDW_SQL_INTERVAL_SECOND, 7, 25, true, TDW_C_LONG, "FractionalTrunc(0) | 4 | -7"},
        {TDW_SQL_INTERVAL_SECOND, 7, 0, true, TDW_C_SSHORT, " | 2 | -7"},
        {TDW_SQL_INTERVAL_SECOND, 1, 5, true, TDW_C_ULONG, "NumericValOutOfRange(1) | 4 | untouched"},
        {TDW_SQL_INTERVAL_SECOND, 70000, 5, false, TDW_C_USHORT, "NumericValOutOfRange(0) | 2 | untouched"},
    };
    SqlToCKernelState state;
    for (const IntegerCase& c : cases)
    {
        uint8_t source[12] = {};
        std::memcpy(source, &c.value, 4);
        const bool isSecond = c.source == TDW_SQL_INTERVAL_SECOND;
        if (isSecond)
        {
            std::memcpy(source + 4, &c.fraction, 4);
        }
        source[isSecond ? 8 : 4] = c.negative ? 1 : 0;
        const KernelRun run = RunFixed(KernelOf(c.source, c.target), state, source, isSecond ? 12 : 8, FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << c.source << " " << c.value << " to " << c.target;
    }
    TDWSingleFieldInterval one;
    one.m_value = 1;
    EXPECT_EQ("NumericValOutOfRange(2) | 4 | untouched",
              FixedOutcome(TDW_C_SLONG, RunFixed(KernelOf(TDW_SQL_INTERVAL_DAY, TDW_C_SLONG), state, &one, 8, 3)));
}

TEST(IntervalSourceKernels, SingleFieldIntervalsAndSecondsFillNumericStructures)
{
    SqlToCKernelState state;
    state.m_sourceLeadingPrecision = 3;
    TDWSingleFieldInterval days;
    days.m_value = 123;
    auto numeric = [&state](TDWType in_source, const auto& in_value, int16_t in_precision, int16_t in_scale) {
        state.m_targetPrecision = in_precision;
        state.m_targetScale = in_scale;
        return Outcome(RunFixed(KernelOf(in_source, TDW_C_NUMERIC), state, &in_value, sizeof(in_value), 19), NumericText);
    };
    EXPECT_EQ(" | 19 | p=3 s=0 sign=1 123", numeric(TDW_SQL_INTERVAL_DAY, days, 5, 2));
    EXPECT_EQ("NumericValOutOfRange(0) | 19 | untouched", numeric(TDW_SQL_INTERVAL_DAY, days, 4, 2));
    days.m_isNegative = true;
    EXPECT_EQ(" | 19 | p=3 s=0 sign=0 123", numeric(TDW_SQL_INTERVAL_MINUTE, days, 3, 0));
    EXPECT_EQ("NumericValOutOfRange(1) | 19 | untouched", numeric(TDW_SQL_INTERVAL_YEAR, days, 2, 0));

    // 5.007 seconds at fractional precision 3: the fraction is brought to the target's scale.
    state.m_sourceFractionalPrecision = 3;
    TDWSecondInterval seconds;
    seconds.m_second = 5;
    seconds.m_fraction = 7;
    EXPECT_EQ(" | 19 | p=10 s=3 sign=1 5007", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 10, 3));
    EXPECT_EQ(" | 19 | p=10 s=4 sign=1 50070", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 10, 4));
    EXPECT_EQ("FractionalTrunc(1) | 19 | p=10 s=2 sign=1 500", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 10, 2));
    EXPECT_EQ("FractionalTrunc(1) | 19 | p=10 s=0 sign=1 5", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 10, 0));
    // A scale beyond what 64 bits hold still gets every digit.
    EXPECT_EQ(" | 19 | p=38 s=30 sign=1 5007000000000000000000000000000", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 38, 30));
    seconds.m_fraction = 0;
    EXPECT_EQ(" | 19 | p=10 s=1 sign=1 50", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 10, 1));
    seconds.m_second = 123;
    seconds.m_isNegative = true;
    EXPECT_EQ("NumericValOutOfRange(1) | 19 | untouched", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 3, 1));
    EXPECT_EQ(" | 19 | p=4 s=1 sign=0 1230", numeric(TDW_SQL_INTERVAL_SECOND, seconds, 4, 1));
}
