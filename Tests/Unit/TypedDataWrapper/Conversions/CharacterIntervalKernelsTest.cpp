#include "FixedValueText.h"
#include "KernelTestSupport.h"
#include "StructOutcome.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

struct IntervalCase
{
    const char* text;
    TDWType target;
    uint64_t leadingPrecision;
    int16_t fractionalPrecision;
    const char* expected;
};

KernelRun ParseInterval(const IntervalCase& in_case, TDWType in_source = TDW_SQL_VARCHAR)
{
    SqlToCKernelState state;
    state.m_sourceEncoding = ENC_UTF16_LE;
    state.m_targetLeadingPrecision = in_case.leadingPrecision;
    state.m_targetFractionalPrecision = in_case.fractionalPrecision;
    std::string text = in_case.text;
    if (in_source == TDW_SQL_WCHAR)
    {
        text = Utf16Bytes(std::u16string(text.begin(), text.end()));
    }
    return RunFixed(KernelOf(in_source, in_case.target), state, text.data(), static_cast<int64_t>(text.size()), 28);
}

void ExpectCases(const IntervalCase* in_cases, size_t in_count, TDWType in_source = TDW_SQL_VARCHAR)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        const IntervalCase& c = in_cases[i];
        EXPECT_EQ(c.expected, IntervalOutcome(ParseInterval(c, in_source))) << "\"" << c.text << "\" to " << c.target;
    }
}

} // namespace

TEST(CharacterIntervalKernels, DayTimeTextIsReducedToTheTargetFields)
{
    const IntervalCase cases[] = {
        {"1 12:00:00", TDW_C_INTERVAL_DAY, 2, 0, "FractionalTrunc(1) | 28 | type=3 sign=0 1 0:0:0.0"},
        {"36:00", TDW_C_INTERVAL_HOUR, 2, 0, " | 28 | type=4 sign=0 0 36:0:0.0"},
        {"36", TDW_C_INTERVAL_HOUR, 2, 0, " | 28 | type=4 sign=0 0 36:0:0.0"},
        {"-90", TDW_C_INTERVAL_MINUTE, 2, 0, " | 28 | type=5 sign=1 0 0:90:0.0"},
        {"1 02:03", TDW_C_INTERVAL_HOUR, 2, 0, "FractionalTrunc(1) | 28 | type=4 sign=0 0 26:0:0.0"},
        {"1 02:03", TDW_C_INTERVAL_MINUTE, 4, 0, " | 28 | type=5 sign=0 0 0:1563:0.0"},
        {"5 25", TDW_C_INTERVAL_DAY_TO_HOUR, 2, 0, " | 28 | type=8 sign=0 6 1:0:0.0"},
        {"1 25", TDW_C_INTERVAL_DAY_TO_MINUTE, 2, 0, " | 28 | type=9 sign=0 2 1:0:0.0"},
        {"2 23:59:59", TDW_C_INTERVAL_DAY_TO_MINUTE, 2, 0, "FractionalTrunc(1) | 28 | type=9 sign=0 2 23:59:0.0"},
        {"1 25:61:62.5", TDW_C_INTERVAL_DAY_TO_SECOND, 2, 1, " | 28 | type=10 sign=0 2 2:2:2.5"},
        {"-5 10:20:30.5", TDW_C_INTERVAL_DAY_TO_SECOND, 2, 3, " | 28 | type=10 sign=1 5 10:20:30.500"},
        {"12:30", TDW_C_INTERVAL_HOUR_TO_MINUTE, 2, 0, " | 28 | type=11 sign=0 0 12:30:0.0"},
        {"1 1:90:30", TDW_C_INTERVAL_HOUR_TO_SECOND, 2, 6, " | 28 | type=12 sign=0 0 26:30:30.0"},
        {"7", TDW_C_INTERVAL_HOUR_TO_SECOND, 2, 6, " | 28 | type=12 sign=0 0 7:0:0.0"},
        // Two numbers joined by ":" are minutes and seconds for the kinds that end in seconds.
        {"12:30.5", TDW_C_INTERVAL_MINUTE_TO_SECOND, 2, 3, " | 28 | type=13 sign=0 0 0:12:30.500"},
        {"12:30", TDW_C_INTERVAL_MINUTE_TO_SECOND, 2, 6, " | 28 | type=13 sign=0 0 0:12:30.0"},
        {"12:30", TDW_C_INTERVAL_SECOND, 3, 6, " | 28 | type=6 sign=0 0 0:0:750.0"},
        {"1 0:0:1", TDW_C_INTERVAL_MINUTE_TO_SECOND, 4, 6, " | 28 | type=13 sign=0 0 0:1440:1.0"},
        {"1.123456", TDW_C_INTERVAL_SECOND, 2, 3, "FractionalTrunc(1) | 28 | type=6 sign=0 0 0:0:1.123"},
        {"-1.5", TDW_C_INTERVAL_SECOND, 2, 6, " | 28 | type=6 sign=1 0 0:0:1.500000"},
        {"-0 0:0:1.25", TDW_C_INTERVAL_SECOND, 2, 1, "FractionalTrunc(0) | 28 | type=6 sign=1 0 0:0:1.2"},
    };
    ExpectCases(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(CharacterIntervalKernels, YearMonthTextIsReducedToTheTargetFields)
{
    const IntervalCase cases[] = {
        {"2-6", TDW_C_INTERVAL_YEAR, 2, 0, "FractionalTrunc(1) | 28 | type=1 sign=0 2-0"},
        {"-2-6", TDW_C_INTERVAL_YEAR, 2, 0, "FractionalTrunc(0) | 28 | type=1 sign=1 2-0"},
        {"2-6", TDW_C_INTERVAL_MONTH, 2, 0, " | 28 | type=2 sign=0 0-30"},
        {"45", TDW_C_INTERVAL_MONTH, 2, 0, " | 28 | type=2 sign=0 0-45"},
        {"-1-2", TDW_C_INTERVAL_YEAR_TO_MONTH, 2, 0, " | 28 | type=7 sign=1 1-2"},
        {"3", TDW_C_INTERVAL_YEAR_TO_MONTH, 2, 0, " | 28 | type=7 sign=0 3-0"},
        {"2-12", TDW_C_INTERVAL_MONTH, 2, 0, "InvalidCharValForCast | 28 | untouched"},
        {"2-", TDW_C_INTERVAL_YEAR_TO_MONTH, 2, 0, "InvalidCharValForCast | 28 | untouched"},
        {"123", TDW_C_INTERVAL_YEAR, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        // The precision holds also for a value that lost its months.
        {"123-4", TDW_C_INTERVAL_YEAR, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-12-4", TDW_C_INTERVAL_YEAR, 2, 0, "FractionalTrunc(0) | 28 | type=1 sign=1 12-0"},
    };
    ExpectCases(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(CharacterIntervalKernels, MalformedAndOversizedTextIsRefused)
{
    const IntervalCase cases[] = {
        {"123", TDW_C_INTERVAL_DAY, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-123", TDW_C_INTERVAL_DAY_TO_HOUR, 2, 0, "IntervalFieldOverflow(1) | 28 | untouched"},
        {"123.5", TDW_C_INTERVAL_SECOND, 2, 6, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"1234567890", TDW_C_INTERVAL_DAY, 9, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-1234567890", TDW_C_INTERVAL_MINUTE, 9, 0, "IntervalFieldOverflow(1) | 28 | untouched"},
        {"1.1234567891", TDW_C_INTERVAL_SECOND, 2, 9, "IntervalFieldOverflow(2) | 28 | untouched"},
        {"5 123", TDW_C_INTERVAL_DAY_TO_HOUR, 2, 0, "InvalidCharValForCast | 28 | untouched"},
        {"", TDW_C_INTERVAL_HOUR, 2, 0, "InvalidCharValForCast | 28 | untouched"},
        {"1:2:3:4", TDW_C_INTERVAL_HOUR_TO_SECOND, 2, 0, "InvalidCharValForCast | 28 | untouched"},
        {"1 day", TDW_C_INTERVAL_DAY, 2, 0, "InvalidCharValForCast | 28 | untouched"},
        // A leading field beyond the leading precision overflows also when finer fields had no
        // place in the target: 130 hours are three digits.
        {"5 10:20:30.5", TDW_C_INTERVAL_HOUR, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-5 10:20:30.5", TDW_C_INTERVAL_HOUR, 3, 0, "FractionalTrunc(0) | 28 | type=4 sign=1 0 130:0:0.0"},
        {"100 10", TDW_C_INTERVAL_DAY, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"1 02:03:04", TDW_C_INTERVAL_MINUTE, 3, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-100 1:30", TDW_C_INTERVAL_DAY_TO_HOUR, 2, 0, "IntervalFieldOverflow(1) | 28 | untouched"},
        {"100 1:30:15", TDW_C_INTERVAL_DAY_TO_MINUTE, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"5 10:20:30", TDW_C_INTERVAL_HOUR_TO_MINUTE, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
    };
    ExpectCases(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(CharacterIntervalKernels, AFractionTypedWithLeadingZerosKeepsItsValue)
{
    const IntervalCase cases[] = {
        // 1.0123 s at two places is 1.01 s, never 1.12 s.
        {"1.0123", TDW_C_INTERVAL_SECOND, 2, 2, "FractionalTrunc(1) | 28 | type=6 sign=0 0 0:0:1.1"},
        {"0:0:1.0012", TDW_C_INTERVAL_HOUR_TO_SECOND, 2, 3, "FractionalTrunc(1) | 28 | type=12 sign=0 0 0:0:1.1"},
        // Dropped zeros lose nothing.
        {"1.500", TDW_C_INTERVAL_SECOND, 2, 1, " | 28 | type=6 sign=0 0 0:0:1.5"},
        {"1.05", TDW_C_INTERVAL_SECOND, 2, 3, " | 28 | type=6 sign=0 0 0:0:1.50"},
    };
    ExpectCases(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(CharacterIntervalKernels, LargeCountsOverflowInsteadOfWrapping)
{
    const IntervalCase cases[] = {
        // 24 times 200000000 days is 4800000000 hours: beyond 32 bits, never wrapped to 505032704.
        {"200000000 0", TDW_C_INTERVAL_HOUR, 9, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-200000000 0", TDW_C_INTERVAL_HOUR_TO_MINUTE, 9, 0, "IntervalFieldOverflow(1) | 28 | untouched"},
        {"50000 0:0:0", TDW_C_INTERVAL_SECOND, 9, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"999999999 23", TDW_C_INTERVAL_DAY, 9, 0, "FractionalTrunc(1) | 28 | type=3 sign=0 999999999 0:0:0.0"},
        {"999999999 24", TDW_C_INTERVAL_DAY_TO_HOUR, 9, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"11574 1:46:39", TDW_C_INTERVAL_SECOND, 9, 0, " | 28 | type=6 sign=0 0 0:0:999999999.0"},
    };
    ExpectCases(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(CharacterIntervalKernels, WideTextIsReadAsNarrowText)
{
    const IntervalCase cases[] = {
        {"-90", TDW_C_INTERVAL_MINUTE, 2, 0, " | 28 | type=5 sign=1 0 0:90:0.0"},
        {"12:30.5", TDW_C_INTERVAL_MINUTE_TO_SECOND, 2, 3, " | 28 | type=13 sign=0 0 0:12:30.500"},
        {"2-6", TDW_C_INTERVAL_MONTH, 2, 0, " | 28 | type=2 sign=0 0-30"},
        {"5 10:20:30.5", TDW_C_INTERVAL_HOUR, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
    };
    ExpectCases(cases, sizeof(cases) / sizeof(cases[0]), TDW_SQL_WCHAR);
}
