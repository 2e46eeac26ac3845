#include "FixedValueText.h"
#include "KernelTestSupport.h"
#include "StructOutcome.h"

#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

KernelRun Convert(const char* in_value, TDWType in_target, SqlToCKernelState& io_state, int64_t in_size, TDWType in_source = TDW_SQL_NUMERIC)
{
    const TDWNumeric value(in_value, true);
    return RunKernel(KernelOf(in_source, in_target), io_state, &value, sizeof(value), in_size);
}

std::string TextOutcome(const KernelRun& in_run, size_t in_unitSize = 1)
{
    EXPECT_TRUE(in_run.clean) << "written outside the target";
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + TextOf(in_run, in_unitSize);
}

struct TextCase
{
    const char* value;
    bool zeroAsDigit;
    bool leadingZero;
    int64_t size;
    const char* expected;
};

struct FixedCase
{
    const char* value;
    TDWType target;
    const char* expected;
};

} // namespace

TEST(ExactNumericSourceKernels, ValuesBecomeDecimalText)
{
    const ConversionSettingsGuard guard;
    const TextCase cases[] = {
        {"123.456", true, false, 10, " | 7 | 123.456"},
        {"123.456", true, false, 8, " | 7 | 123.456"},
        // A cut reports the whole text's length, so that the next buffer can be sized.
        {"123.456", true, false, 6, "StrRightTrunc | 7 | 123.4"},
        {"123.456", true, false, 5, "StrRightTrunc | 7 | 123"},
        {"123.456", true, false, 4, "NumericValOutOfRange(2) | 7 | untouched"},
        {"123.456", true, false, 0, "NumericValOutOfRange(2) | 7 | untouched"},
        {"-123.456", true, false, 6, "StrRightTrunc | 8 | -123"},
        {"0.00", true, false, 2, " | 1 | 0"},
        {"0.00", false, false, 4, " | 3 | .00"},
        {"0.00", false, true, 5, " | 4 | 0.00"},
        {"0", false, false, 2, " | 1 | 0"},
        {"0.5", true, false, 3, " | 2 | .5"},
        {"0.5", true, true, 4, " | 3 | 0.5"},
        {"-0.05", true, false, 5, " | 4 | -.05"},
        {"-0.05", true, true, 6, " | 5 | -0.05"},
        {"12.30", true, true, 6, " | 5 | 12.30"},
        {"1.5E3", true, false, 5, " | 4 | 1500"},
        {"-7", true, false, 3, " | 2 | -7"},
        {"-0", false, false, 2, " | 1 | 0"},
    };
    SqlToCKernelState state;
    for (const TextCase& c : cases)
    {
        ConversionSettings::NumericZeroAsDigit = c.zeroAsDigit;
        ConversionSettings::NumericLeadingZero = c.leadingZero;
        EXPECT_EQ(c.expected, TextOutcome(Convert(c.value, TDW_C_CHAR, state, c.size)))
            << c.value << " in " << c.size << " zero " << c.zeroAsDigit << " leading " << c.leadingZero;
    }
}

TEST(ExactNumericSourceKernels, LargeExponentsAreWrittenInFull)
{
    SqlToCKernelState state;
    EXPECT_EQ(" | 201 | 1" + std::string(200, '0'), TextOutcome(Convert("1E200", TDW_C_CHAR, state, 300)));
    EXPECT_EQ(" | 102 | -." + std::string(99, '0') + "1", TextOutcome(Convert("-1E-100", TDW_C_CHAR, state, 103)));
    EXPECT_EQ("StrRightTrunc | 102 | -." + std::string(49, '0'), TextOutcome(Convert("-1E-100", TDW_C_CHAR, state, 52)));
    const TDWNumeric large("-1E-100", true);
    EXPECT_EQ(" | 102 | untouched",
              TextOutcome(QueryLength(KernelOf(TDW_SQL_DECIMAL, TDW_C_CHAR), state, &large, sizeof(large), 0)));
}

TEST(ExactNumericSourceKernels, ValuesBecomeWideText)
{
    const ConversionSettingsGuard guard;
    ConversionSettings::NumericZeroAsDigit = true;
    ConversionSettings::NumericLeadingZero = false;
    SqlToCKernelState state;
    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(" | 8 | 12.5", TextOutcome(Convert("12.5", TDW_C_WCHAR, state, 10), 2));
    // Room for four characters: "12." would be left, so the point goes too.
    EXPECT_EQ("StrRightTrunc | 8 | 12", TextOutcome(Convert("12.5", TDW_C_WCHAR, state, 8), 2));
    EXPECT_EQ("NumericValOutOfRange(2) | 8 | untouched", TextOutcome(Convert("12.5", TDW_C_WCHAR, state, 6), 2));
    EXPECT_EQ(" | 2 | 0", TextOutcome(Convert("0.000", TDW_C_WCHAR, state, 4), 2));
    EXPECT_EQ(" | 2 | 0", TextOutcome(Convert("0.000", TDW_C_WCHAR, state, 4, TDW_SQL_DECIMAL), 2));
    state.m_targetEncoding = ENC_UTF32_LE;
    EXPECT_EQ("StrRightTrunc | 32 | -1.234", TextOutcome(Convert("-1.23456", TDW_C_WCHAR, state, 28), 4));
}

TEST(ExactNumericSourceKernels, ValuesBecomeIntegersFloatsAndBits)
{
    const FixedCase cases[] = {
        {"-7", TDW_C_UTINYINT, "NumericValOutOfRange(1) | 1 | untouched"},
        {"128", TDW_C_STINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        {"-128.9", TDW_C_TINYINT, "FractionalTrunc(0) | 1 | -128"},
        {"2.9", TDW_C_SLONG, "FractionalTrunc(1) | 4 | 2"},
        {"-2.9", TDW_C_LONG, "FractionalTrunc(0) | 4 | -2"},
        {"2.000", TDW_C_SSHORT, " | 2 | 2"},
        {"65535", TDW_C_USHORT, " | 2 | 65535"},
        // The sign is judged after truncation: -0.5 is 0 in any unsigned width.
        {"-0.5", TDW_C_ULONG, "FractionalTrunc(0) | 4 | 0"},
        {"-0.5", TDW_C_UBIGINT, "FractionalTrunc(0) | 8 | 0"},
        {"-1.5", TDW_C_UBIGINT, "NumericValOutOfRange(1) | 8 | untouched"},
        {"1E20", TDW_C_SBIGINT, "NumericValOutOfRange(0) | 8 | untouched"},
        {"18446744073709551615", TDW_C_UBIGINT, " | 8 | 18446744073709551615"},
        {"1.5", TDW_C_DOUBLE, " | 8 | 1.5"},
        {"0.1", TDW_C_FLOAT, " | 4 | 0.100000001"},
        {"1E39", TDW_C_FLOAT, "NumericValOutOfRange(0) | 4 | untouched"},
        {"-1E400", TDW_C_DOUBLE, "NumericValOutOfRange(1) | 8 | untouched"},
        {"0", TDW_C_BIT, " | 1 | 0"},
        {"1.000", TDW_C_BIT, " | 1 | 1"},
        {"0.5", TDW_C_BIT, "FractionalTrunc(0) | 1 | 0"},
        {"1.5", TDW_C_BIT, "FractionalTrunc(1) | 1 | 1"},
        {"2", TDW_C_BIT, "NumericValOutOfRange(0) | 1 | untouched"},
        {"-0.1", TDW_C_BIT, "NumericValOutOfRange(1) | 1 | untouched"},
    };
    SqlToCKernelState state;
    for (const FixedCase& c : cases)
    {
        const TDWNumeric value(c.value, true);
        const KernelRun run = RunFixed(KernelOf(TDW_SQL_DECIMAL, c.target), state, &value, sizeof(value), FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << c.value << " to " << c.target;
    }
}

TEST(ExactNumericSourceKernels, ValuesFillNumericStructures)
{
    struct NumericCase
    {
        const char* value;
        int16_t precision;
        int16_t scale;
        const char* expected;
    };
    const NumericCase cases[] = {
        {"123.456", 5, 2, "FractionalTrunc(1) | 19 | p=5 s=2 sign=1 12345"},
        {"123.456", 4, 2, "NumericValOutOfRange(0) | 19 | p=4 s=2 sign=1 0"},
        {"-123.456", 6, 3, " | 19 | p=6 s=3 sign=0 123456"},
        {"12", 4, 2, " | 19 | p=4 s=2 sign=1 1200"},
        {"99999999999999999999999999999999999999", 38, 0, " | 19 | p=38 s=0 sign=1 99999999999999999999999999999999999999"},
    };
    SqlToCKernelState state;
    // The column's declared precision does not hide digits the value has.
    state.m_sourcePrecision = 2;
    for (const NumericCase& c : cases)
    {
        state.m_targetPrecision = c.precision;
        state.m_targetScale = c.scale;
        const TDWNumeric value(c.value, true);
        const KernelRun run = RunFixed(KernelOf(TDW_SQL_NUMERIC, TDW_C_NUMERIC), state, &value, sizeof(value), 19);
        EXPECT_EQ(c.expected, Outcome(run, NumericText)) << c.value;
    }
}

TEST(ExactNumericSourceKernels, ValuesBecomeSingleFieldIntervals)
{
    struct IntervalCase
    {
        const char* value;
        TDWType target;
        uint64_t leadingPrecision;
        int16_t fractionalPrecision;
        const char* expected;
    };
    const IntervalCase cases[] = {
        {"1234567890", TDW_C_INTERVAL_DAY, 9, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"-1234567890", TDW_C_INTERVAL_YEAR, 9, 0, "IntervalFieldOverflow(1) | 28 | untouched"},
        {"123", TDW_C_INTERVAL_MONTH, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {"12.5", TDW_C_INTERVAL_HOUR, 2, 0, "FractionalTrunc(1) | 28 | type=4 sign=0 0 12:0:0.0"},
        {"-3", TDW_C_INTERVAL_MINUTE, 2, 0, " | 28 | type=5 sign=1 0 0:3:0.0"},
        {"-0.5", TDW_C_INTERVAL_DAY, 2, 0, "FractionalTrunc(0) | 28 | type=3 sign=1 0 0:0:0.0"},
        {"99", TDW_C_INTERVAL_YEAR, 2, 0, " | 28 | type=1 sign=0 99-0"},
        {"61.25", TDW_C_INTERVAL_SECOND, 2, 3, " | 28 | type=6 sign=0 0 0:0:61.250"},
        {"61.25", TDW_C_INTERVAL_SECOND, 2, 1, "FractionalTrunc(1) | 28 | type=6 sign=0 0 0:0:61.2"},
        {"-1.2345", TDW_C_INTERVAL_SECOND, 2, 2, "FractionalTrunc(0) | 28 | type=6 sign=1 0 0:0:1.23"},
        {"7", TDW_C_INTERVAL_SECOND, 2, 6, " | 28 | type=6 sign=0 0 0:0:7.0"},
        {"1E2", TDW_C_INTERVAL_SECOND, 3, 6, " | 28 | type=6 sign=0 0 0:0:100.0"},
        {"0.000000001", TDW_C_INTERVAL_SECOND, 2, 9, " | 28 | type=6 sign=0 0 0:0:0.1"},
        {"999999999.5", TDW_C_INTERVAL_SECOND, 9, 9, " | 28 | type=6 sign=0 0 0:0:999999999.500000000"},
        {"1000000000", TDW_C_INTERVAL_SECOND, 10, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
    };
    SqlToCKernelState state;
    for (const IntervalCase& c : cases)
    {
        state.m_targetLeadingPrecision = c.leadingPrecision;
        state.m_targetFractionalPrecision = c.fractionalPrecision;
        const TDWNumeric value(c.value, true);
        const KernelRun run = RunFixed(KernelOf(TDW_SQL_NUMERIC, c.target), state, &value, sizeof(value), 28);
        EXPECT_EQ(c.expected, IntervalOutcome(run)) << c.value << " to " << c.target;
    }
}

TEST(ExactNumericSourceKernels, AValueThatOverflowedWhenMadeIsRefused)
{
    const TDWNumeric invalid("not a number", false);
    ASSERT_FALSE(invalid.IsValid());
    SqlToCKernelState state;
    for (TDWType target : {TDW_C_CHAR, TDW_C_SLONG, TDW_C_DOUBLE, TDW_C_BIT, TDW_C_NUMERIC, TDW_C_INTERVAL_SECOND})
    {
        const KernelRun run = RunKernel(KernelOf(TDW_SQL_NUMERIC, target), state, &invalid, sizeof(invalid), 28);
        EXPECT_EQ("NumericValOutOfRange(2)", run.posted) << target;
        EXPECT_TRUE(run.untouched) << target;
    }
}
