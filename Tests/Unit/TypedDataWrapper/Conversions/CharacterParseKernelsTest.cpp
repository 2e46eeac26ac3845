#include "FixedValueText.h"
#include "KernelTestSupport.h"
#include "StructOutcome.h"

#include "Support/TypedDataWrapper/LiteralParser.h"

#include "Unit/TypedDataWrapper/FixedToday.h"
#include "Unit/TypedDataWrapper/RecordingListener.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

struct TextCase
{
    const char* text;
    TDWType target;
    const char* expected;
};

/// Runs the narrow kernel of in_source on in_text into a fixed-size target, also as a length
/// query (RunFixed checks that both post the same).
KernelRun ParseNarrow(TDWType in_source, TDWType in_target, const std::string& in_text, SqlToCKernelState& io_state, int64_t in_size)
{
    return RunFixed(KernelOf(in_source, in_target), io_state, in_text.data(), static_cast<int64_t>(in_text.size()), in_size);
}

/// The same text as UTF-16 through the wide kernel.
KernelRun ParseWide(TDWType in_target, const std::u16string& in_text, SqlToCKernelState& io_state, int64_t in_size)
{
    io_state.m_sourceEncoding = ENC_UTF16_LE;
    const std::string bytes = Utf16Bytes(in_text);
    return RunFixed(KernelOf(TDW_SQL_WVARCHAR, in_target), io_state, bytes.data(), static_cast<int64_t>(bytes.size()), in_size);
}

} // namespace

TEST(CharacterParseKernels, TextBecomesEveryIntegerWidth)
{
    const TextCase cases[] = {
        {" 42 ", TDW_C_SLONG, " | 4 | 42"},
        {"42abc", TDW_C_SLONG, "InvalidCharValForCast | 4 | untouched"},
        {"", TDW_C_SLONG, "InvalidCharValForCast | 4 | untouched"},
        {"   ", TDW_C_SBIGINT, "InvalidCharValForCast | 8 | untouched"},
        {"\t5", TDW_C_SSHORT, "InvalidCharValForCast | 2 | untouched"},
        {"4 2", TDW_C_SSHORT, "InvalidCharValForCast | 2 | untouched"},
        {"65535.9", TDW_C_USHORT, "FractionalTrunc(1) | 2 | 65535"},
        {"65536", TDW_C_USHORT, "NumericValOutOfRange(0) | 2 | untouched"},
        {"Infinity", TDW_C_SSHORT, "NumericValOutOfRange(0) | 2 | untouched"},
        {"-inf", TDW_C_SSHORT, "NumericValOutOfRange(1) | 2 | untouched"},
        {"nan", TDW_C_SSHORT, "NumericValOutOfRange(2) | 2 | untouched"},
        {"-0.5", TDW_C_SLONG, "FractionalTrunc(0) | 4 | 0"},
        {"-0.5", TDW_C_ULONG, "FractionalTrunc(0) | 4 | 0"},
        {"-0.5", TDW_C_UBIGINT, "FractionalTrunc(0) | 8 | 0"},
        {"-1", TDW_C_UTINYINT, "NumericValOutOfRange(1) | 1 | untouched"},
        {"300", TDW_C_STINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        {"-128", TDW_C_TINYINT, " | 1 | -128"},
        {"255", TDW_C_UTINYINT, " | 1 | 255"},
        {"-32768.7", TDW_C_SHORT, "FractionalTrunc(0) | 2 | -32768"},
        {"12.000", TDW_C_SBIGINT, " | 8 | 12"},
        {"1.5E3", TDW_C_SSHORT, " | 2 | 1500"},
        {"+7", TDW_C_UBIGINT, " | 8 | 7"},
        {"2147483648", TDW_C_SLONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {"4294967295", TDW_C_ULONG, " | 4 | 4294967295"},
        {"-9223372036854775808", TDW_C_SBIGINT, " | 8 | -9223372036854775808"},
        {"18446744073709551615", TDW_C_UBIGINT, " | 8 | 18446744073709551615"},
        {"18446744073709551616", TDW_C_UBIGINT, "NumericValOutOfRange(0) | 8 | untouched"},
        {"-9223372036854775809", TDW_C_SBIGINT, "NumericValOutOfRange(1) | 8 | untouched"},
        {"-999999999999999999", TDW_C_SBIGINT, " | 8 | -999999999999999999"},
        {"999999999999999999", TDW_C_ULONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {"-0", TDW_C_UTINYINT, " | 1 | 0"},
        {"-", TDW_C_SLONG, "InvalidCharValForCast | 4 | untouched"},
    };
    SqlToCKernelState state;
    for (const TextCase& c : cases)
    {
        const KernelRun run = ParseNarrow(TDW_SQL_VARCHAR, c.target, c.text, state, FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << "\"" << c.text << "\" to " << c.target;
    }
}

TEST(CharacterParseKernels, ApplicationTextToIntegersRefusesALostFraction)
{
    // The converters of application text set the to-SQL flag: a fraction is an error there.
    RecordingListener listener;
    int32_t value = 0;
    LiteralParser::ConvertCharToSLong("12.5", 4, true, value, listener);
    EXPECT_EQ("StrRightTruncErr", listener.Posted());
    EXPECT_EQ(12, value);
}

TEST(CharacterParseKernels, TextBecomesBitAndFloatingNumbers)
{
    const TextCase cases[] = {
        {"1", TDW_C_BIT, " | 1 | 1"},
        {" 0 ", TDW_C_BIT, " | 1 | 0"},
        {"0.5", TDW_C_BIT, "FractionalTrunc(0) | 1 | 0"},
        {"1.5", TDW_C_BIT, "FractionalTrunc(1) | 1 | 1"},
        {"2", TDW_C_BIT, "NumericValOutOfRange(0) | 1 | untouched"},
        {"", TDW_C_BIT, "NumericValOutOfRange(2) | 1 | untouched"},
        {"yes", TDW_C_BIT, "InvalidCharValForCast | 1 | untouched"},
        {" 1.25 ", TDW_C_DOUBLE, " | 8 | 1.25"},
        {"-2.5e-3", TDW_C_FLOAT, " | 4 | -0.00249999994"},
        {"1e400", TDW_C_DOUBLE, "NumericValOutOfRange(0) | 8 | untouched"},
        {"-1e39", TDW_C_FLOAT, "NumericValOutOfRange(1) | 4 | untouched"},
        {"1.5 kg", TDW_C_DOUBLE, "InvalidCharValForCast | 8 | untouched"},
        {"-INF", TDW_C_DOUBLE, " | 8 | -inf"},
    };
    SqlToCKernelState state;
    for (const TextCase& c : cases)
    {
        const KernelRun run = ParseNarrow(TDW_SQL_CHAR, c.target, c.text, state, FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << "\"" << c.text << "\" to " << c.target;
    }
}

TEST(CharacterParseKernels, TextFillsNumericStructuresWithinTheTargetPrecision)
{
    struct NumericCase
    {
        const char* text;
        int16_t precision;
        int16_t scale;
        const char* expected;
    };
    const NumericCase cases[] = {
        {"123.45", 5, 2, " | 19 | p=5 s=2 sign=1 12345"},
        {"-1.5", 2, 1, " | 19 | p=2 s=1 sign=0 15"},
        {"12.345", 4, 2, "FractionalTrunc(1) | 19 | p=4 s=2 sign=1 1234"},
        {"7", 3, 2, " | 19 | p=3 s=2 sign=1 700"},
        // The value's own digits are held against the precision, whatever the column declares.
        {"123456", 3, 0, "NumericValOutOfRange(0) | 19 | p=3 s=0 sign=1 0"},
        {"1.5E3", 3, 0, "NumericValOutOfRange(0) | 19 | p=3 s=0 sign=1 0"},
        {"000123", 3, 0, " | 19 | p=3 s=0 sign=1 123"},
        {"abc", 5, 0, "InvalidCharValForCast | 19 | untouched"},
        {"-inf", 5, 0, "NumericValOutOfRange(1) | 19 | untouched"},
    };
    SqlToCKernelState state;
    state.m_sourcePrecision = 1;
    for (const NumericCase& c : cases)
    {
        state.m_targetPrecision = c.precision;
        state.m_targetScale = c.scale;
        const KernelRun run = ParseNarrow(TDW_SQL_CHAR, TDW_C_NUMERIC, c.text, state, 19);
        EXPECT_EQ(c.expected, Outcome(run, NumericText)) << c.text;
    }
}

TEST(CharacterParseKernels, TextBecomesDatesTimesAndTimestamps)
{
    const FixedToday today;
    SqlToCKernelState state;
    state.m_targetFractionalPrecision = 3;
    const struct
    {
        const char* text;
        TDWType target;
        std::string (*show)(const KernelRun&);
        const char* expected;
    } cases[] = {
        {"2024-02-29", TDW_C_TYPE_DATE, DateText, " | 6 | 2024-2-29"},
        {" {d '2024-02-29'} ", TDW_C_TYPE_DATE, DateText, " | 6 | 2024-2-29"},
        {"-0044-03-15", TDW_C_TYPE_DATE, DateText, " | 6 | -44-3-15"},
        {"2024-02-29 10:00:00", TDW_C_TYPE_DATE, DateText, "FractionalTrunc(1) | 6 | 2024-2-29"},
        {"2023-02-29", TDW_C_TYPE_DATE, DateText, "InvalidCharValForCast | 6 | untouched"},
        {"", TDW_C_TYPE_DATE, DateText, "NumericValOutOfRange(2) | 6 | untouched"},
        {"12:34:56", TDW_C_TYPE_TIME, TimeText, " | 6 | 12:34:56"},
        {"12:00:00.5", TDW_C_TYPE_TIME, TimeText, "FractionalTrunc(1) | 6 | 12:0:0"},
        {"{t '23:59:61'}", TDW_C_TYPE_TIME, TimeText, " | 6 | 23:59:61"},
        {"2024-01-01", TDW_C_TYPE_TIME, TimeText, "InvalidCharValForCast | 6 | untouched"},
        {"24:00:00", TDW_C_TYPE_TIME, TimeText, "InvalidCharValForCast | 6 | untouched"},
        {"2024-02-29 12:34:56.123456789", TDW_C_TYPE_TIMESTAMP, TimestampText,
         "FractionalTrunc(1) | 16 | 2024-2-29 12:34:56.123000000"},
        {"2024-02-29 12:34:56.5", TDW_C_TYPE_TIMESTAMP, TimestampText, " | 16 | 2024-2-29 12:34:56.500000000"},
        {"2024-02-29", TDW_C_TYPE_TIMESTAMP, TimestampText, " | 16 | 2024-2-29 0:0:0.0"},
        {"06:30:00", TDW_C_TYPE_TIMESTAMP, TimestampText, " | 16 | 2024-2-29 6:30:0.0"},
        {"2024-13-01 00:00:00", TDW_C_TYPE_TIMESTAMP, TimestampText, "InvalidCharValForCast | 16 | untouched"},
    };
    for (const auto& c : cases)
    {
        const KernelRun run = ParseNarrow(TDW_SQL_LONGVARCHAR, c.target, c.text, state, 16);
        EXPECT_EQ(c.expected, Outcome(run, c.show)) << c.text;
    }
}

TEST(CharacterParseKernels, TextBecomesAGuidStructure)
{
    SqlToCKernelState state;
    const KernelRun run = ParseNarrow(TDW_SQL_CHAR, TDW_C_GUID, "{01234567-89ab-CDEF-0123-456789abcdef}", state, 16);
    EXPECT_EQ("", run.posted);
    EXPECT_EQ(16, run.length);
    EXPECT_EQ("67452301AB89EFCD0123456789ABCDEF", Hex(run.bytes));

    const KernelRun bad = ParseNarrow(TDW_SQL_CHAR, TDW_C_GUID, "01234567-89ab-cdef-0123-456789abcdeg", state, 16);
    EXPECT_EQ("NumericValOutOfRange(2)", bad.posted);
    EXPECT_TRUE(bad.untouched);
}

TEST(CharacterParseKernels, WideTextIsReadAsItsAsciiCharacters)
{
    SqlToCKernelState state;
    EXPECT_EQ(" | 4 | -42", FixedOutcome(TDW_C_SLONG, ParseWide(TDW_C_SLONG, u" -42 ", state, 4)));
    EXPECT_EQ(" | 6 | 2024-2-29", Outcome(ParseWide(TDW_C_TYPE_DATE, u"2024-02-29", state, 6), DateText));
    EXPECT_EQ("FractionalTrunc(1) | 1 | 1", FixedOutcome(TDW_C_BIT, ParseWide(TDW_C_BIT, u"1.5", state, 1)));

    // A character beyond one byte belongs to no literal, whatever the target.
    for (TDWType target : {TDW_C_STINYINT, TDW_C_UBIGINT, TDW_C_BIT, TDW_C_DOUBLE, TDW_C_NUMERIC, TDW_C_TYPE_DATE,
                           TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP, TDW_C_GUID, TDW_C_INTERVAL_DAY})
    {
        const KernelRun run = ParseWide(target, u"1\u0100", state, 28);
        EXPECT_EQ("InvalidCharValForCast", run.posted) << target;
        EXPECT_TRUE(run.untouched) << target;
    }
}

TEST(CharacterParseKernels, LongWideTextIsNarrowedWhole)
{
    // Beyond the narrowing buffer's room on the stack: blanks around a number.
    SqlToCKernelState state;
    const std::u16string text = std::u16string(200, u' ') + u"123" + std::u16string(200, u' ');
    EXPECT_EQ(" | 2 | 123", FixedOutcome(TDW_C_SSHORT, ParseWide(TDW_C_SSHORT, text, state, 2)));
}
