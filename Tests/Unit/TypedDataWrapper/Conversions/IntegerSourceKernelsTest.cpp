#include "FixedValueText.h"
#include "KernelTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

/// The byte width of an integer SQL type's values.
size_t WidthOf(TDWType in_source)
{
    switch (in_source)
    {
    case TDW_SQL_STINYINT:
    case TDW_SQL_UTINYINT:
    case TDW_SQL_BIT:
        return 1;
    case TDW_SQL_SSMALLINT:
    case TDW_SQL_USMALLINT:
        return 2;
    case TDW_SQL_SINTEGER:
    case TDW_SQL_UINTEGER:
    case TDW_SQL_REAL:
        return 4;
    default:
        return 8;
    }
}

/// The source value: the low bytes of the 64-bit two's complement value, so that -1 is the
/// all-ones value of every width.
KernelRun ConvertFixed(TDWType in_source, int64_t in_value, TDWType in_target, SqlToCKernelState& io_state, int64_t in_size)
{
    return RunFixed(KernelOf(in_source, in_target), io_state, &in_value, WidthOf(in_source), in_size);
}

struct NumberCase
{
    TDWType source;
    int64_t value;
    TDWType target;
    const char* expected;
};

constexpr int64_t UBIGINT_MAX = -1;

} // namespace

TEST(IntegerSourceKernels, IntegerTargetsStoreValuesInRangeAndRefuseTheOthers)
{
    const NumberCase cases[] = {
        {TDW_SQL_SSMALLINT, -129, TDW_C_STINYINT, "NumericValOutOfRange(1) | 1 | untouched"},
        {TDW_SQL_SSMALLINT, 127, TDW_C_STINYINT, " | 1 | 127"},
        {TDW_SQL_SSMALLINT, -128, TDW_C_TINYINT, " | 1 | -128"},
        {TDW_SQL_SSMALLINT, 256, TDW_C_UTINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        {TDW_SQL_UINTEGER, 2147483648, TDW_C_SLONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {TDW_SQL_UINTEGER, 4294967295, TDW_C_SBIGINT, " | 8 | 4294967295"},
        {TDW_SQL_UBIGINT, INT64_MIN, TDW_C_SBIGINT, "NumericValOutOfRange(0) | 8 | untouched"},
        {TDW_SQL_UBIGINT, UBIGINT_MAX, TDW_C_UBIGINT, " | 8 | 18446744073709551615"},
        {TDW_SQL_UBIGINT, 4294967296, TDW_C_ULONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {TDW_SQL_SINTEGER, -1, TDW_C_ULONG, "NumericValOutOfRange(1) | 4 | untouched"},
        {TDW_SQL_SINTEGER, -32769, TDW_C_SHORT, "NumericValOutOfRange(1) | 2 | untouched"},
        {TDW_SQL_SINTEGER, 65535, TDW_C_USHORT, " | 2 | 65535"},
        {TDW_SQL_SINTEGER, INT32_MIN, TDW_C_LONG, " | 4 | -2147483648"},
        {TDW_SQL_SBIGINT, 4294967295, TDW_C_ULONG, " | 4 | 4294967295"},
        {TDW_SQL_SBIGINT, -2147483649, TDW_C_SLONG, "NumericValOutOfRange(1) | 4 | untouched"},
        {TDW_SQL_SBIGINT, INT64_MIN, TDW_C_SBIGINT, " | 8 | -9223372036854775808"},
        {TDW_SQL_SBIGINT, -1, TDW_C_UBIGINT, "NumericValOutOfRange(1) | 8 | untouched"},
        {TDW_SQL_STINYINT, -1, TDW_C_UBIGINT, "NumericValOutOfRange(1) | 8 | untouched"},
        {TDW_SQL_STINYINT, -128, TDW_C_SSHORT, " | 2 | -128"},
        {TDW_SQL_USMALLINT, 65535, TDW_C_SSHORT, "NumericValOutOfRange(0) | 2 | untouched"},
        {TDW_SQL_USMALLINT, 200, TDW_C_STINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        // UTINYINT into SQL_C_TINYINT is checked, never copied into a negative byte.
        {TDW_SQL_UTINYINT, 200, TDW_C_TINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        {TDW_SQL_UTINYINT, 127, TDW_C_TINYINT, " | 1 | 127"},
        {TDW_SQL_UTINYINT, 255, TDW_C_UTINYINT, " | 1 | 255"},
        {TDW_SQL_SINTEGER, 2, TDW_C_BIT, "NumericValOutOfRange(0) | 1 | untouched"},
        {TDW_SQL_SINTEGER, -1, TDW_C_BIT, "NumericValOutOfRange(1) | 1 | untouched"},
        {TDW_SQL_UBIGINT, 1, TDW_C_BIT, " | 1 | 1"},
        {TDW_SQL_STINYINT, 0, TDW_C_BIT, " | 1 | 0"},
        {TDW_SQL_UBIGINT, UBIGINT_MAX, TDW_C_DOUBLE, " | 8 | 1.8446744073709552e+19"},
        {TDW_SQL_SBIGINT, -3, TDW_C_FLOAT, " | 4 | -3"},
        {TDW_SQL_UINTEGER, 4294967295, TDW_C_FLOAT, " | 4 | 4.2949673e+09"},
        {TDW_SQL_SINTEGER, 16777217, TDW_C_FLOAT, " | 4 | 16777216"},
    };
    SqlToCKernelState state;
    for (const NumberCase& c : cases)
    {
        const KernelRun run = ConvertFixed(c.source, c.value, c.target, state, FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << c.source << " " << c.value << " to " << c.target;
    }
}

TEST(IntegerSourceKernels, EveryIntegerPairKeepsItsValueWhereTheTargetCanHoldIt)
{
    // Each source's extremes and zero against every integer target: a value is stored unchanged
    // exactly when the target's range holds it, and refused in the right direction otherwise.
    struct Type
    {
        TDWType id;
        long double min;
        long double max;
    };
    const Type sources[] = {
        {TDW_SQL_STINYINT, INT8_MIN, INT8_MAX},   {TDW_SQL_UTINYINT, 0, UINT8_MAX},
        {TDW_SQL_SSMALLINT, INT16_MIN, INT16_MAX}, {TDW_SQL_USMALLINT, 0, UINT16_MAX},
        {TDW_SQL_SINTEGER, INT32_MIN, INT32_MAX}, {TDW_SQL_UINTEGER, 0, UINT32_MAX},
        {TDW_SQL_SBIGINT, INT64_MIN, INT64_MAX},  {TDW_SQL_UBIGINT, 0, UINT64_MAX},
    };
    const Type targets[] = {
        {TDW_C_STINYINT, INT8_MIN, INT8_MAX},   {TDW_C_UTINYINT, 0, UINT8_MAX},
        {TDW_C_SSHORT, INT16_MIN, INT16_MAX},    {TDW_C_USHORT, 0, UINT16_MAX},
        {TDW_C_SLONG, INT32_MIN, INT32_MAX},     {TDW_C_ULONG, 0, UINT32_MAX},
        {TDW_C_SBIGINT, INT64_MIN, INT64_MAX},   {TDW_C_UBIGINT, 0, UINT64_MAX},
    };
    SqlToCKernelState state;
    for (const Type& source : sources)
    {
        for (const Type& target : targets)
        {
            for (long double value : {source.min, (long double)0, source.max})
            {
                const int64_t bits = value < 0 ? static_cast<int64_t>(value)
                                               : static_cast<int64_t>(static_cast<uint64_t>(value));
                const KernelRun run = ConvertFixed(source.id, bits, target.id, state, FixedSizeOf(target.id));
                std::string expected;
                if (value > target.max)
                {
                    expected = "NumericValOutOfRange(0)";
                }
                else if (value < target.min)
                {
                    expected = "NumericValOutOfRange(1)";
                }
                EXPECT_EQ(expected, run.posted) << source.id << " " << bits << " to " << target.id;
                if (expected.empty())
                {
                    const std::string stored = StoredValue(target.id, run);
                    EXPECT_EQ(value < 0 ? std::to_string(bits) : std::to_string(static_cast<uint64_t>(bits)), stored);
                }
            }
        }
    }
}

TEST(IntegerSourceKernels, SingleFieldIntervalsTakeTheMagnitudeWithinTheLeadingPrecision)
{
    struct Case
    {
        TDWType source;
        int64_t value;
        TDWType target;
        uint64_t leadingPrecision;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_STINYINT, -42, TDW_C_INTERVAL_MINUTE, 2, " | 28 | type=5 sign=1 0 0:42:0.0"},
        {TDW_SQL_STINYINT, -42, TDW_C_INTERVAL_MINUTE, 1, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_SBIGINT, 0, TDW_C_INTERVAL_DAY, 0, "IntervalFieldOverflow(1) | 28 | untouched"},
        {TDW_SQL_UTINYINT, 255, TDW_C_INTERVAL_YEAR, 3, " | 28 | type=1 sign=0 255-0"},
        {TDW_SQL_SSMALLINT, -12, TDW_C_INTERVAL_MONTH, 2, " | 28 | type=2 sign=1 0-12"},
        {TDW_SQL_UINTEGER, 999999999, TDW_C_INTERVAL_SECOND, 9, " | 28 | type=6 sign=0 0 0:0:999999999.0"},
        {TDW_SQL_SINTEGER, 24, TDW_C_INTERVAL_HOUR, 2, " | 28 | type=4 sign=0 0 24:0:0.0"},
        {TDW_SQL_SBIGINT, 1000000000, TDW_C_INTERVAL_DAY, 10, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_SBIGINT, -1000000000, TDW_C_INTERVAL_DAY, 10, "IntervalFieldOverflow(1) | 28 | untouched"},
        // The high bits of a 64-bit value never wrap into a small field.
        {TDW_SQL_UBIGINT, 4294967296 + 5, TDW_C_INTERVAL_HOUR, 19, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_SBIGINT, INT64_MIN, TDW_C_INTERVAL_YEAR, 19, "IntervalFieldOverflow(1) | 28 | untouched"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        state.m_targetLeadingPrecision = c.leadingPrecision;
        const KernelRun run = ConvertFixed(c.source, c.value, c.target, state, 28);
        EXPECT_EQ(c.expected, IntervalOutcome(run)) << c.source << " " << c.value << " to " << c.target;
    }
}

TEST(IntegerSourceKernels, NumbersAreRefusedForEveryMultiFieldIntervalWithoutALength)
{
    const TDWType sources[] = {TDW_SQL_BIT, TDW_SQL_NUMERIC, TDW_SQL_DECIMAL, TDW_SQL_STINYINT, TDW_SQL_UBIGINT,
                               TDW_SQL_SINTEGER, TDW_SQL_REAL, TDW_SQL_DOUBLE};
    const TDWType targets[] = {TDW_C_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_SECOND,
                               TDW_C_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_SECOND,
                               TDW_C_INTERVAL_YEAR_TO_MONTH};
    const char source[38] = {1};
    SqlToCKernelState state;
    for (TDWType sourceType : sources)
    {
        for (TDWType target : targets)
        {
            const KernelRun run = RunFixed(KernelOf(sourceType, target), state, source, sizeof(source), 28);
            EXPECT_EQ("IntervalFieldOverflow(2) | 28 | untouched", IntervalOutcome(run)) << sourceType << " to " << target;
        }
    }
    // MINUTE TO SECOND has no cell for SINTEGER, and one for the others.
    EXPECT_EQ(nullptr, SqlToCKernelTable::Find(TDW_SQL_SINTEGER, TDW_C_INTERVAL_MINUTE_TO_SECOND));
    EXPECT_NE(nullptr, SqlToCKernelTable::Find(TDW_SQL_UINTEGER, TDW_C_INTERVAL_MINUTE_TO_SECOND));
}

TEST(IntegerSourceKernels, PlainCopiesMoveTheBytesUnchanged)
{
    struct Case
    {
        TDWType source;
        TDWType target;
        uint64_t bits;
        size_t size;
    };
    const Case cases[] = {
        {TDW_SQL_BIT, TDW_C_BIT, 1, 1},
        {TDW_SQL_STINYINT, TDW_C_TINYINT, 0x80, 1},
        {TDW_SQL_USMALLINT, TDW_C_USHORT, 0xFFFE, 2},
        {TDW_SQL_SINTEGER, TDW_C_SLONG, 0x80000001, 4},
        // A signalling NaN's payload survives the copy.
        {TDW_SQL_REAL, TDW_C_FLOAT, 0x7FA00001, 4},
        {TDW_SQL_DOUBLE, TDW_C_DOUBLE, 0x7FF4000000000001, 8},
        {TDW_SQL_FLOAT, TDW_C_DOUBLE, 0x8000000000000000, 8},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        const KernelRun run = RunFixed(KernelOf(c.source, c.target), state, &c.bits, c.size, c.size);
        EXPECT_EQ("", run.posted);
        EXPECT_EQ(static_cast<int64_t>(c.size), run.length);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&c.bits), c.size), run.bytes) << c.source;
    }
}
