#include "FixedValueText.h"
#include "KernelTestSupport.h"

#include "Support/EncodingType.h"

#include <gtest/gtest.h>

#include <sql.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

const double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();

/// A floating source value: a REAL holds a float, FLOAT and DOUBLE a double.
struct FloatingSource
{
    FloatingSource(TDWType in_type, double in_value) : m_type(in_type)
    {
        if (in_type == TDW_SQL_REAL)
        {
            const float value = static_cast<float>(in_value);
            std::memcpy(m_bytes, &value, sizeof(value));
            m_length = sizeof(value);
        }
        else
        {
            std::memcpy(m_bytes, &in_value, sizeof(in_value));
            m_length = sizeof(in_value);
        }
    }

    TDWType m_type;
    char m_bytes[8] = {};
    int64_t m_length = 0;
};

KernelRun Convert(TDWType in_source, double in_value, TDWType in_target, SqlToCKernelState& io_state, int64_t in_size)
{
    const FloatingSource source(in_source, in_value);
    return RunKernel(KernelOf(in_source, in_target), io_state, source.m_bytes, source.m_length, in_size);
}

KernelRun ConvertFixed(TDWType in_source, double in_value, TDWType in_target, SqlToCKernelState& io_state, int64_t in_size)
{
    const FloatingSource source(in_source, in_value);
    return RunFixed(KernelOf(in_source, in_target), io_state, source.m_bytes, source.m_length, in_size);
}

struct NumberCase
{
    TDWType source;
    double value;
    TDWType target;
    const char* expected;
};

} // namespace

TEST(FloatingSourceKernels, IntegerAndBitTargetsTruncateTowardZeroWithinTheirBounds)
{
    const NumberCase cases[] = {
        {TDW_SQL_REAL, 127.9, TDW_C_STINYINT, "FractionalTrunc(1) | 1 | 127"},
        {TDW_SQL_REAL, -128.5, TDW_C_STINYINT, "FractionalTrunc(0) | 1 | -128"},
        {TDW_SQL_REAL, 128.0, TDW_C_STINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        {TDW_SQL_REAL, -129.0, TDW_C_TINYINT, "NumericValOutOfRange(1) | 1 | untouched"},
        {TDW_SQL_REAL, 300.0, TDW_C_UTINYINT, "NumericValOutOfRange(0) | 1 | untouched"},
        // Only a whole part below 0 is out of an unsigned range; -0.25 is 0 and a lost fraction.
        {TDW_SQL_DOUBLE, -0.25, TDW_C_UTINYINT, "FractionalTrunc(0) | 1 | 0"},
        {TDW_SQL_REAL, -1.5, TDW_C_UTINYINT, "NumericValOutOfRange(1) | 1 | untouched"},
        {TDW_SQL_DOUBLE, 255.99, TDW_C_UTINYINT, "FractionalTrunc(1) | 1 | 255"},
        {TDW_SQL_FLOAT, -32768.9, TDW_C_SSHORT, "FractionalTrunc(0) | 2 | -32768"},
        {TDW_SQL_FLOAT, 32768.0, TDW_C_SHORT, "NumericValOutOfRange(0) | 2 | untouched"},
        {TDW_SQL_DOUBLE, 65535.0, TDW_C_USHORT, " | 2 | 65535"},
        {TDW_SQL_DOUBLE, 65536.0, TDW_C_USHORT, "NumericValOutOfRange(0) | 2 | untouched"},
        // 2^31 is the float nearest 2147483647, and above it.
        {TDW_SQL_REAL, 2147483648.0, TDW_C_SLONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {TDW_SQL_REAL, -2147483648.0, TDW_C_LONG, " | 4 | -2147483648"},
        {TDW_SQL_DOUBLE, 2147483647.0, TDW_C_SLONG, " | 4 | 2147483647"},
        {TDW_SQL_DOUBLE, 2147483647.5, TDW_C_SLONG, "FractionalTrunc(1) | 4 | 2147483647"},
        {TDW_SQL_DOUBLE, 4294967295.0, TDW_C_ULONG, " | 4 | 4294967295"},
        {TDW_SQL_DOUBLE, 4294967296.0, TDW_C_ULONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {TDW_SQL_REAL, 4294967296.0, TDW_C_ULONG, "NumericValOutOfRange(0) | 4 | untouched"},
        {TDW_SQL_DOUBLE, 9223372036854775808.0, TDW_C_SBIGINT, "NumericValOutOfRange(0) | 8 | untouched"},
        {TDW_SQL_DOUBLE, -9223372036854775808.0, TDW_C_SBIGINT, " | 8 | -9223372036854775808"},
        {TDW_SQL_REAL, -9223372036854775808.0, TDW_C_SBIGINT, " | 8 | -9223372036854775808"},
        {TDW_SQL_DOUBLE, 18446744073709551616.0, TDW_C_UBIGINT, "NumericValOutOfRange(0) | 8 | untouched"},
        {TDW_SQL_DOUBLE, 18446744073709549568.0, TDW_C_UBIGINT, " | 8 | 18446744073709549568"},
        {TDW_SQL_DOUBLE, -0.5, TDW_C_UBIGINT, "FractionalTrunc(0) | 8 | 0"},
        {TDW_SQL_REAL, -0.75, TDW_C_ULONG, "FractionalTrunc(0) | 4 | 0"},
        {TDW_SQL_DOUBLE, -0.99, TDW_C_USHORT, "FractionalTrunc(0) | 2 | 0"},
        {TDW_SQL_DOUBLE, INF, TDW_C_SBIGINT, "NumericValOutOfRange(0) | 8 | untouched"},
        {TDW_SQL_DOUBLE, -INF, TDW_C_SSHORT, "NumericValOutOfRange(1) | 2 | untouched"},
        // A NaN has no integer value: it is refused, never converted.
        {TDW_SQL_DOUBLE, NAN_VALUE, TDW_C_STINYINT, "NumericValOutOfRange(2) | 1 | untouched"},
        {TDW_SQL_REAL, NAN_VALUE, TDW_C_SLONG, "NumericValOutOfRange(2) | 4 | untouched"},
        {TDW_SQL_DOUBLE, NAN_VALUE, TDW_C_UBIGINT, "NumericValOutOfRange(2) | 8 | untouched"},
        {TDW_SQL_DOUBLE, 1.5, TDW_C_BIT, "FractionalTrunc(1) | 1 | 1"},
        {TDW_SQL_DOUBLE, 0.5, TDW_C_BIT, "FractionalTrunc(1) | 1 | 0"},
        {TDW_SQL_REAL, 1.0, TDW_C_BIT, " | 1 | 1"},
        {TDW_SQL_REAL, 0.0, TDW_C_BIT, " | 1 | 0"},
        {TDW_SQL_DOUBLE, 2.0, TDW_C_BIT, "NumericValOutOfRange(0) | 1 | untouched"},
        {TDW_SQL_DOUBLE, -0.1, TDW_C_BIT, "NumericValOutOfRange(1) | 1 | untouched"},
        {TDW_SQL_DOUBLE, NAN_VALUE, TDW_C_BIT, "NumericValOutOfRange(2) | 1 | untouched"},
    };
    SqlToCKernelState state;
    for (const NumberCase& c : cases)
    {
        const KernelRun run = ConvertFixed(c.source, c.value, c.target, state, FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << c.source << " " << c.value << " to " << c.target;
    }
}

TEST(FloatingSourceKernels, FloatingTargetsWidenCopyOrNarrowWithARangeCheck)
{
    const NumberCase cases[] = {
        {TDW_SQL_DOUBLE, 1E300, TDW_C_FLOAT, "NumericValOutOfRange(0) | 4 | inf"},
        {TDW_SQL_FLOAT, -1E300, TDW_C_FLOAT, "NumericValOutOfRange(1) | 4 | -inf"},
        {TDW_SQL_DOUBLE, 0.5, TDW_C_FLOAT, " | 4 | 0.5"},
        {TDW_SQL_DOUBLE, 3.4028234663852886E38, TDW_C_FLOAT, " | 4 | 3.40282347e+38"},
        {TDW_SQL_REAL, 0.1, TDW_C_DOUBLE, " | 8 | 0.10000000149011612"},
        {TDW_SQL_REAL, 0.1, TDW_C_FLOAT, " | 4 | 0.100000001"},
        {TDW_SQL_DOUBLE, 0.1, TDW_C_DOUBLE, " | 8 | 0.10000000000000001"},
        {TDW_SQL_FLOAT, -INF, TDW_C_DOUBLE, " | 8 | -inf"},
    };
    SqlToCKernelState state;
    for (const NumberCase& c : cases)
    {
        const KernelRun run = ConvertFixed(c.source, c.value, c.target, state, FixedSizeOf(c.target));
        EXPECT_EQ(c.expected, FixedOutcome(c.target, run)) << c.source << " " << c.value << " to " << c.target;
    }
}

TEST(FloatingSourceKernels, NarrowTextLosesFractionDigitsButNeverItsExponent)
{
    struct Case
    {
        TDWType source;
        double value;
        int64_t size;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_DOUBLE, 123.456, 8, " | 7 | 123.456"},
        {TDW_SQL_DOUBLE, 123.456, 7, "FractionalTrunc(1) | 7 | 123.45"},
        {TDW_SQL_DOUBLE, 123.456, 5, "FractionalTrunc(1) | 7 | 123."},
        {TDW_SQL_DOUBLE, 123.456, 4, "FractionalTrunc(1) | 7 | 123"},
        {TDW_SQL_DOUBLE, 123.456, 3, "NumericValOutOfRange(2) | 7 | untouched"},
        {TDW_SQL_DOUBLE, -2.5, 3, "FractionalTrunc(0) | 4 | -2"},
        {TDW_SQL_REAL, 0.1, 4, " | 3 | 0.1"},
        {TDW_SQL_FLOAT, 1.5E100, 9, " | 8 | 1.5e+100"},
        {TDW_SQL_FLOAT, 1.5E100, 7, "FractionalTrunc(1) | 8 | 1e+100"},
        {TDW_SQL_FLOAT, 1.5E100, 6, "NumericValOutOfRange(2) | 8 | untouched"},
        {TDW_SQL_DOUBLE, -1.25E-200, 8, "FractionalTrunc(0) | 10 | -1e-200"},
        {TDW_SQL_DOUBLE, -1.25E-200, 9, "FractionalTrunc(0) | 10 | -1e-200"},
        {TDW_SQL_DOUBLE, -1.25E-200, 10, "FractionalTrunc(0) | 10 | -1.2e-200"},
        {TDW_SQL_REAL, 3.0E20, 7, " | 6 | 3e+020"},
        {TDW_SQL_DOUBLE, 1.5E100, 0, "NumericValOutOfRange(2) | 8 | untouched"},
        {TDW_SQL_DOUBLE, 7.0, 0, "NumericValOutOfRange(2) | 1 | untouched"},
        {TDW_SQL_DOUBLE, NAN_VALUE, 4, " | 3 | NaN"},
        {TDW_SQL_DOUBLE, NAN_VALUE, 3, "NumericValOutOfRange(2) | 3 | untouched"},
        {TDW_SQL_DOUBLE, INF, 9, " | 8 | INFINITY"},
        {TDW_SQL_REAL, -INF, 9, "NumericValOutOfRange(2) | 9 | untouched"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        const KernelRun run = Convert(c.source, c.value, TDW_C_CHAR, state, c.size);
        EXPECT_TRUE(run.clean) << c.value << " into " << c.size;
        EXPECT_EQ(c.expected, run.posted + " | " + std::to_string(run.length) + " | " + TextOf(run))
            << c.value << " into " << c.size;
    }
}

TEST(FloatingSourceKernels, NarrowTextTakesANegativeSizeAsNoRoom)
{
    SqlToCKernelState state;
    const FloatingSource source(TDW_SQL_DOUBLE, 1.0);
    const KernelRun run = RunKernel(KernelOf(TDW_SQL_DOUBLE, TDW_C_CHAR), state, source.m_bytes, 8, 10, -10);
    EXPECT_EQ("NumericValOutOfRange(2)", run.posted);
    EXPECT_TRUE(run.untouched);
    EXPECT_EQ(1, run.length);
}

TEST(FloatingSourceKernels, TextLengthQueriesReportTheWholeTextWithoutResults)
{
    SqlToCKernelState state;
    state.m_targetEncoding = ENC_UTF16_LE;
    const FloatingSource source(TDW_SQL_DOUBLE, 123.456);
    const KernelRun narrow = QueryLength(KernelOf(TDW_SQL_DOUBLE, TDW_C_CHAR), state, source.m_bytes, 8, 2);
    EXPECT_EQ("", narrow.posted);
    EXPECT_EQ(7, narrow.length);
    const KernelRun wide = QueryLength(KernelOf(TDW_SQL_DOUBLE, TDW_C_WCHAR), state, source.m_bytes, 8, 2);
    EXPECT_EQ("", wide.posted);
    EXPECT_EQ(14, wide.length);
}

TEST(FloatingSourceKernels, WideTextCountsBytesAndCutsWholeCharacters)
{
    struct Case
    {
        EncodingType encoding;
        double value;
        int64_t size;
        const char* expected;
    };
    const Case cases[] = {
        {ENC_UTF16_LE, 123.456, 16, " | 14 | 123.456"},
        {ENC_UTF16_LE, 123.456, -16, " | 14 | 123.456"},
        {ENC_UTF16_LE, 123.456, 15, "FractionalTrunc(1) | 14 | 123.45"},
        {ENC_UTF16_LE, 123.456, 10, "FractionalTrunc(1) | 14 | 123."},
        {ENC_UTF16_LE, 123.456, 7, "NumericValOutOfRange(2) | 14 | untouched"},
        {ENC_UTF16_LE, 1.5E100, 14, "FractionalTrunc(1) | 16 | 1e+100"},
        {ENC_UTF16_LE, 1.5E100, 13, "NumericValOutOfRange(2) | 16 | untouched"},
        {ENC_UTF16_LE, NAN_VALUE, 7, "NumericValOutOfRange(2) | 6 | untouched"},
        {ENC_UTF16_LE, 5.0, 1, "NumericValOutOfRange(2) | 2 | untouched"},
        {ENC_UTF32_LE, -2.5, 12, "FractionalTrunc(0) | 16 | -2"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        state.m_targetEncoding = c.encoding;
        const size_t unitSize = c.encoding == ENC_UTF32_LE ? 4 : 2;
        const FloatingSource source(TDW_SQL_DOUBLE, c.value);
        const KernelRun run = RunKernel(KernelOf(TDW_SQL_DOUBLE, TDW_C_WCHAR),
                                        state,
                                        source.m_bytes,
                                        8,
                                        c.size < 0 ? -c.size : c.size,
                                        c.size);
        EXPECT_TRUE(run.clean) << c.value << " into " << c.size;
        EXPECT_EQ(c.expected, run.posted + " | " + std::to_string(run.length) + " | " + TextOf(run, unitSize))
            << c.value << " into " << c.size;
    }
}

TEST(FloatingSourceKernels, WideTextInABigEndianEncodingPutsEachCharacterInItsLowByte)
{
    SqlToCKernelState state;
    state.m_targetEncoding = ENC_UTF16_BE;
    const FloatingSource source(TDW_SQL_REAL, 2.5);
    const KernelRun run = RunKernel(KernelOf(TDW_SQL_REAL, TDW_C_WCHAR), state, source.m_bytes, 4, 8);
    EXPECT_EQ(std::string("\0" "2" "\0" "." "\0" "5" "\0\0", 8), run.bytes);
    EXPECT_EQ(6, run.length);
}

TEST(FloatingSourceKernels, NumericStructuresTakeTheDecimalValueOfTheFloat)
{
    struct Case
    {
        TDWType source;
        double value;
        int16_t precision;
        int16_t scale;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_DOUBLE, 12.345, 10, 2, "FractionalTrunc(1) | sign=1 1234"},
        {TDW_SQL_DOUBLE, -12.5, 10, 1, " | sign=0 125"},
        {TDW_SQL_REAL, 0.5, 3, 3, " | sign=1 500"},
        // A float or double is the decimal it was written as: 0.1, not 0.100000001490116...
        {TDW_SQL_REAL, 0.1, 10, 9, " | sign=1 100000000"},
        {TDW_SQL_DOUBLE, 0.1, 19, 18, " | sign=1 100000000000000000"},
        {TDW_SQL_REAL, 0.3, 12, 12, " | sign=1 300000000000"},
        {TDW_SQL_DOUBLE, 12345.0, 4, 0, "NumericValOutOfRange(0) | sign=1 0"},
        {TDW_SQL_DOUBLE, 1E300, 38, 0, "NumericValOutOfRange(0) | sign=1 0"},
        {TDW_SQL_DOUBLE, NAN_VALUE, 10, 2, "NumericValOutOfRange(2) | untouched"},
        {TDW_SQL_DOUBLE, INF, 10, 2, "NumericValOutOfRange(0) | untouched"},
        {TDW_SQL_REAL, -INF, 10, 2, "NumericValOutOfRange(1) | untouched"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        state.m_targetPrecision = c.precision;
        state.m_targetScale = c.scale;
        const KernelRun run = ConvertFixed(c.source, c.value, TDW_C_NUMERIC, state, 19);
        EXPECT_EQ(19, run.length);
        std::string value = "untouched";
        if (!run.untouched)
        {
            const SQL_NUMERIC_STRUCT numeric = ValueOf<SQL_NUMERIC_STRUCT>(run);
            EXPECT_EQ(c.precision, numeric.precision);
            EXPECT_EQ(c.scale, numeric.scale);
            uint64_t low = 0;
            std::memcpy(&low, numeric.val, sizeof(low));
            value = "sign=" + std::to_string(numeric.sign) + " " + std::to_string(low);
        }
        EXPECT_EQ(c.expected, run.posted + " | " + value) << c.value;
    }
}

TEST(FloatingSourceKernels, SingleFieldIntervalsTakeTheMagnitudeAndTheSign)
{
    struct Case
    {
        TDWType source;
        double value;
        TDWType target;
        uint64_t leadingPrecision;
        int16_t fractionalPrecision;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_DOUBLE, -2.5, TDW_C_INTERVAL_SECOND, 2, 1, " | 28 | type=6 sign=1 0 0:0:2.5"},
        {TDW_SQL_DOUBLE, 2.25, TDW_C_INTERVAL_SECOND, 2, 1, "FractionalTrunc(1) | 28 | type=6 sign=0 0 0:0:2.2"},
        {TDW_SQL_REAL, 1.5, TDW_C_INTERVAL_SECOND, 2, 6, " | 28 | type=6 sign=0 0 0:0:1.500000"},
        {TDW_SQL_DOUBLE, 99.5, TDW_C_INTERVAL_DAY, 2, 0, "FractionalTrunc(1) | 28 | type=3 sign=0 99 0:0:0.0"},
        {TDW_SQL_DOUBLE, 100.0, TDW_C_INTERVAL_DAY, 2, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_DOUBLE, 0.5, TDW_C_INTERVAL_HOUR, 0, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_FLOAT, -3.0, TDW_C_INTERVAL_MONTH, 2, 0, " | 28 | type=2 sign=1 0-3"},
        {TDW_SQL_DOUBLE, 7.0, TDW_C_INTERVAL_YEAR, 1, 0, " | 28 | type=1 sign=0 7-0"},
        {TDW_SQL_DOUBLE, 59.0, TDW_C_INTERVAL_MINUTE, 2, 0, " | 28 | type=5 sign=0 0 0:59:0.0"},
        {TDW_SQL_DOUBLE, 999999999.0, TDW_C_INTERVAL_HOUR, 9, 0, " | 28 | type=4 sign=0 0 999999999:0:0.0"},
        {TDW_SQL_DOUBLE, 1E9, TDW_C_INTERVAL_HOUR, 10, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_DOUBLE, -1E300, TDW_C_INTERVAL_DAY, 9, 0, "IntervalFieldOverflow(0) | 28 | untouched"},
        {TDW_SQL_DOUBLE, NAN_VALUE, TDW_C_INTERVAL_SECOND, 9, 6, "NumericValOutOfRange(2) | 28 | untouched"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        state.m_targetLeadingPrecision = c.leadingPrecision;
        state.m_targetFractionalPrecision = c.fractionalPrecision;
        const KernelRun run = ConvertFixed(c.source, c.value, c.target, state, 28);
        EXPECT_EQ(c.expected, IntervalOutcome(run)) << c.value << " to " << c.target;
    }
}
