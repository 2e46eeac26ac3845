#include "FixedValueText.h"
#include "KernelTestSupport.h"
#include "StructOutcome.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

const uint8_t BYTES[] = {0x01, 0xAB, 0xFF};

struct HexCase
{
    EncodingType encoding;
    int64_t size;
    const char* expected;
};

std::string TextOutcome(const KernelRun& in_run, size_t in_unitSize)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + TextOf(in_run, in_unitSize);
}

} // namespace

TEST(BinaryAndBitSourceKernels, BinaryBecomesHexadecimalTextCutToWholeBytes)
{
    const HexCase cases[] = {
        {ENC_UTF8, 7, " | 6 | 01ABFF"},
        {ENC_UTF8, 6, "StrRightTrunc | 6 | 01AB"},
        {ENC_UTF8, 5, "StrRightTrunc | 6 | 01AB"},
        {ENC_UTF8, 2, "StrRightTrunc | 6 | "},
        {ENC_UTF8, 1, "StrRightTrunc | 6 | "},
        // No room even for the terminator: nothing is written.
        {ENC_UTF8, 0, "StrRightTrunc | 6 | untouched"},
        {ENC_UTF16_LE, 14, " | 12 | 01ABFF"},
        {ENC_UTF16_LE, 12, "StrRightTrunc | 12 | 01AB"},
        {ENC_UTF16_LE, 3, "StrRightTrunc | 12 | "},
        {ENC_UTF16_LE, 1, "StrRightTrunc | 12 | untouched"},
        {ENC_UTF16_LE, 0, "StrRightTrunc | 12 | untouched"},
        {ENC_UTF32_LE, 28, " | 24 | 01ABFF"},
        {ENC_UTF32_LE, 27, "StrRightTrunc | 24 | 01AB"},
    };
    for (const HexCase& c : cases)
    {
        SqlToCKernelState state;
        state.m_targetEncoding = c.encoding;
        const size_t unitSize = c.encoding == ENC_UTF8 ? 1 : c.encoding == ENC_UTF16_LE ? 2 : 4;
        const TDWType target = unitSize == 1 ? TDW_C_CHAR : TDW_C_WCHAR;
        const KernelRun run = RunKernel(KernelOf(TDW_SQL_VARBINARY, target), state, BYTES, 3, c.size);
        EXPECT_TRUE(run.clean) << c.encoding << " in " << c.size;
        EXPECT_EQ(c.expected, TextOutcome(run, unitSize)) << c.encoding << " in " << c.size;
        const KernelRun query = QueryLength(KernelOf(TDW_SQL_VARBINARY, target), state, BYTES, 3, c.size);
        EXPECT_EQ(" | " + std::to_string(run.length) + " | untouched", TextOutcome(query, unitSize));
    }
}

TEST(BinaryAndBitSourceKernels, LongAndEmptyBinaryValues)
{
    SqlToCKernelState state;
    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(" | 0 | ", TextOutcome(RunKernel(KernelOf(TDW_SQL_BINARY, TDW_C_CHAR), state, BYTES, 0, 1), 1));
    // A negated buffer size counts as its absolute value.
    EXPECT_EQ(" | 6 | 01ABFF", TextOutcome(RunKernel(KernelOf(TDW_SQL_BINARY, TDW_C_CHAR), state, BYTES, 3, 7, -7), 1));

    // More bytes than one pass of the wide writer.
    std::string bytes(700, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        bytes[i] = static_cast<char>(i);
    }
    std::string hex;
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        hex += Hex(bytes.substr(i, 1));
    }
    const KernelRun whole = RunKernel(KernelOf(TDW_SQL_LONGVARBINARY, TDW_C_WCHAR), state, bytes.data(), 700, 2802);
    EXPECT_EQ(" | 2800 | " + hex, TextOutcome(whole, 2));
    EXPECT_TRUE(whole.clean);
    const KernelRun cut = RunKernel(KernelOf(TDW_SQL_LONGVARBINARY, TDW_C_WCHAR), state, bytes.data(), 700, 1100);
    EXPECT_EQ("StrRightTrunc | 2800 | " + hex.substr(0, 548), TextOutcome(cut, 2));
    EXPECT_TRUE(cut.clean);
}

TEST(BinaryAndBitSourceKernels, BitsBecomeText)
{
    SqlToCKernelState state;
    const uint8_t two = 2;
    const uint8_t zero = 0;
    EXPECT_EQ(" | 1 | 1", TextOutcome(RunKernel(KernelOf(TDW_SQL_BIT, TDW_C_CHAR), state, &two, 1, 2), 1));
    EXPECT_EQ(" | 1 | 0", TextOutcome(RunKernel(KernelOf(TDW_SQL_BIT, TDW_C_CHAR), state, &zero, 1, 2), 1));
    EXPECT_EQ("NumericValOutOfRange(2) | 1 | untouched",
              TextOutcome(RunKernel(KernelOf(TDW_SQL_BIT, TDW_C_CHAR), state, &two, 1, 1), 1));
    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(" | 2 | 1", TextOutcome(RunKernel(KernelOf(TDW_SQL_BIT, TDW_C_WCHAR), state, &two, 1, 4), 2));
    EXPECT_EQ("NumericValOutOfRange(2) | 2 | untouched",
              TextOutcome(RunKernel(KernelOf(TDW_SQL_BIT, TDW_C_WCHAR), state, &two, 1, 3), 2));
}

TEST(BinaryAndBitSourceKernels, BitsBecomeNumbersOfEveryWidth)
{
    SqlToCKernelState state;
    const uint8_t two = 2;
    for (TDWType target : {TDW_C_STINYINT, TDW_C_UTINYINT, TDW_C_TINYINT, TDW_C_SSHORT, TDW_C_USHORT, TDW_C_SHORT,
                           TDW_C_SLONG, TDW_C_ULONG, TDW_C_LONG, TDW_C_SBIGINT, TDW_C_UBIGINT, TDW_C_FLOAT, TDW_C_DOUBLE})
    {
        const int64_t size = FixedSizeOf(target);
        const std::string length = std::to_string(size);
        EXPECT_EQ(" | " + length + " | 2", FixedOutcome(target, RunFixed(KernelOf(TDW_SQL_BIT, target), state, &two, 1, size)))
            << target;
        EXPECT_EQ("NumericValOutOfRange(2) | " + length + " | untouched",
                  FixedOutcome(target, RunFixed(KernelOf(TDW_SQL_BIT, target), state, &two, 1, size - 1)))
            << target;
    }
    const KernelRun binary = RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_BINARY), state, &two, 1, 1);
    EXPECT_EQ("02", Hex(binary.bytes));

    const uint8_t one = 1;
    EXPECT_EQ(" | 19 | p=1 s=0 sign=1 1",
              Outcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_NUMERIC), state, &one, 1, 19), NumericText));
    EXPECT_EQ("NumericValOutOfRange(2) | 19 | untouched",
              Outcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_NUMERIC), state, &one, 1, 18), NumericText));
}

TEST(BinaryAndBitSourceKernels, BitsBecomeSingleFieldIntervals)
{
    SqlToCKernelState state;
    state.m_targetLeadingPrecision = 2;
    const uint8_t one = 1;
    EXPECT_EQ(" | 28 | type=1 sign=0 1-0", IntervalOutcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_INTERVAL_YEAR), state, &one, 1, 28)));
    EXPECT_EQ(" | 28 | type=2 sign=0 0-1", IntervalOutcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_INTERVAL_MONTH), state, &one, 1, 28)));
    EXPECT_EQ(" | 28 | type=4 sign=0 0 1:0:0.0", IntervalOutcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_INTERVAL_HOUR), state, &one, 1, 28)));
    EXPECT_EQ(" | 28 | type=6 sign=0 0 0:0:1.0", IntervalOutcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_INTERVAL_SECOND), state, &one, 1, 28)));
    state.m_targetLeadingPrecision = 0;
    EXPECT_EQ("IntervalFieldOverflow(0) | 28 | untouched",
              IntervalOutcome(RunFixed(KernelOf(TDW_SQL_BIT, TDW_C_INTERVAL_DAY), state, &one, 1, 28)));
}
