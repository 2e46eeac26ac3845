#include "KernelTestSupport.h"

#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"

#include <gtest/gtest.h>

#include <sql.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

KernelRun ConvertInteger(TDWType in_source, int64_t in_value, TDWType in_target, SqlToCKernelState& io_state, int64_t in_size)
{
    const size_t widths[] = {1, 1, 2, 2, 4, 4, 8, 8};
    const size_t width = widths[in_source - TDW_SQL_STINYINT];
    return RunKernel(KernelOf(in_source, in_target), io_state, &in_value, width, in_size < 0 ? -in_size : in_size, in_size);
}

std::string TextOutcome(const KernelRun& in_run, size_t in_unitSize = 1)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + TextOf(in_run, in_unitSize);
}

} // namespace

TEST(NumberTextKernels, IntegerTextIsWrittenWholeOrNotAtAll)
{
    struct Case
    {
        TDWType source;
        int64_t value;
        int64_t size;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_SINTEGER, INT32_MIN, 12, " | 11 | -2147483648"},
        {TDW_SQL_SINTEGER, INT32_MIN, 11, "NumericValOutOfRange(2) | 11 | untouched"},
        {TDW_SQL_UBIGINT, 0, 2, " | 1 | 0"},
        {TDW_SQL_UBIGINT, -1, 21, " | 20 | 18446744073709551615"},
        {TDW_SQL_SBIGINT, INT64_MIN, 21, " | 20 | -9223372036854775808"},
        {TDW_SQL_STINYINT, -128, 5, " | 4 | -128"},
        {TDW_SQL_UTINYINT, 255, 4, " | 3 | 255"},
        {TDW_SQL_USMALLINT, 65535, 5, "NumericValOutOfRange(2) | 5 | untouched"},
        {TDW_SQL_SSMALLINT, 7, 0, "NumericValOutOfRange(2) | 1 | untouched"},
        {TDW_SQL_UINTEGER, 42, -10, "NumericValOutOfRange(2) | 2 | untouched"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        const KernelRun run = ConvertInteger(c.source, c.value, TDW_C_CHAR, state, c.size);
        EXPECT_TRUE(run.clean);
        EXPECT_EQ(c.expected, TextOutcome(run)) << c.value << " into " << c.size;
    }
    const int64_t zero = 0;
    const KernelRun query = QueryLength(KernelOf(TDW_SQL_UBIGINT, TDW_C_CHAR), state, &zero, 8, 0);
    EXPECT_EQ(" | 1 | untouched", TextOutcome(query)) << "a length query only measures";
}

TEST(NumberTextKernels, WideIntegerTextCountsBytesOfTheTargetEncoding)
{
    struct Case
    {
        EncodingType encoding;
        int64_t value;
        int64_t size;
        size_t unitSize;
        const char* expected;
    };
    const Case cases[] = {
        {ENC_UTF16_LE, -5, 6, 2, " | 4 | -5"},
        {ENC_UTF16_LE, -5, -6, 2, " | 4 | -5"},
        {ENC_UTF16_LE, -5, 5, 2, "NumericValOutOfRange(2) | 4 | untouched"},
        {ENC_UTF16_LE, -5, 4, 2, "NumericValOutOfRange(2) | 4 | untouched"},
        {ENC_UTF32_LE, 12345, 24, 4, " | 20 | 12345"},
        {ENC_UTF8, 12345, 6, 1, " | 5 | 12345"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        state.m_targetEncoding = c.encoding;
        const KernelRun run = ConvertInteger(TDW_SQL_SSMALLINT, c.value, TDW_C_WCHAR, state, c.size);
        EXPECT_TRUE(run.clean);
        EXPECT_EQ(c.expected, TextOutcome(run, c.unitSize)) << c.value << " into " << c.size;
    }
    state.m_targetEncoding = ENC_UTF16_LE;
    const int16_t value = -5;
    const KernelRun query = QueryLength(KernelOf(TDW_SQL_SSMALLINT, TDW_C_WCHAR), state, &value, 2, 2);
    EXPECT_EQ(" | 4 | untouched", TextOutcome(query));
}

TEST(NumberTextKernels, IntegersFillNumericStructuresAtTheTargetScale)
{
    struct Case
    {
        TDWType source;
        int64_t value;
        int16_t precision;
        int16_t scale;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_SINTEGER, 12345, 4, 0, "NumericValOutOfRange(0) | sign=1 0"},
        {TDW_SQL_SINTEGER, 12345, 5, 2, " | sign=1 1234500"},
        {TDW_SQL_SINTEGER, -12345, 4, 0, "NumericValOutOfRange(1) | sign=0 0"},
        {TDW_SQL_SBIGINT, INT64_MIN, 19, 0, " | sign=0 9223372036854775808"},
        {TDW_SQL_UBIGINT, -1, 20, 0, " | sign=1 18446744073709551615"},
        {TDW_SQL_UTINYINT, 125, 3, -1, "FractionalTrunc(1) | sign=1 12"},
        {TDW_SQL_STINYINT, 0, 1, 0, " | sign=1 0"},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        state.m_targetPrecision = c.precision;
        state.m_targetScale = c.scale;
        const int64_t widths[] = {1, 1, 2, 2, 4, 4, 8, 8};
        const KernelRun run =
            RunFixed(KernelOf(c.source, TDW_C_NUMERIC), state, &c.value, widths[c.source - TDW_SQL_STINYINT], 19);
        EXPECT_EQ(19, run.length);
        const SQL_NUMERIC_STRUCT numeric = ValueOf<SQL_NUMERIC_STRUCT>(run);
        EXPECT_EQ(c.precision, numeric.precision);
        EXPECT_EQ(c.scale, numeric.scale);
        uint64_t low = 0;
        std::memcpy(&low, numeric.val, sizeof(low));
        EXPECT_EQ(std::string(8, '\0'), std::string(reinterpret_cast<const char*>(numeric.val) + 8, 8));
        EXPECT_EQ(c.expected, run.posted + " | sign=" + std::to_string(numeric.sign) + " " + std::to_string(low))
            << c.value;
    }
}

TEST(BinaryImageKernels, EveryFixedSizeValueCopiesItsImageWhenTheBufferHoldsIt)
{
    struct Case
    {
        TDWType source;
        size_t imageSize;
    };
    const Case cases[] = {
        {TDW_SQL_STINYINT, 1},
        {TDW_SQL_UTINYINT, 1},
        {TDW_SQL_SSMALLINT, 2},
        {TDW_SQL_USMALLINT, 2},
        {TDW_SQL_SINTEGER, 4},
        {TDW_SQL_UINTEGER, 4},
        {TDW_SQL_REAL, 4},
        {TDW_SQL_TYPE_DATE, 6},
        {TDW_SQL_SBIGINT, 8},
        {TDW_SQL_UBIGINT, 8},
        {TDW_SQL_FLOAT, 8},
        {TDW_SQL_DOUBLE, 8},
        {TDW_SQL_INTERVAL_YEAR, 8},
        {TDW_SQL_INTERVAL_MONTH, 8},
        {TDW_SQL_INTERVAL_DAY, 8},
        {TDW_SQL_INTERVAL_HOUR, 8},
        {TDW_SQL_INTERVAL_MINUTE, 8},
        {TDW_SQL_INTERVAL_DAY_TO_HOUR, 12},
        {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, 12},
        {TDW_SQL_INTERVAL_SECOND, 12},
        {TDW_SQL_INTERVAL_YEAR_TO_MONTH, 12},
        {TDW_SQL_TYPE_TIMESTAMP, 16},
        {TDW_SQL_INTERVAL_DAY_TO_MINUTE, 16},
        {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, 16},
        {TDW_SQL_GUID, 16},
        {TDW_SQL_INTERVAL_HOUR_TO_SECOND, 20},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, 24},
        {TDW_SQL_NUMERIC, 38},
        {TDW_SQL_DECIMAL, 38},
    };
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        std::string source(c.imageSize, '\0');
        for (size_t i = 0; i < c.imageSize; ++i)
        {
            source[i] = static_cast<char>(0x10 + i);
        }
        const SqlToCKernel kernel = KernelOf(c.source, TDW_C_BINARY);
        const int64_t size = static_cast<int64_t>(c.imageSize);

        const KernelRun exact = RunFixed(kernel, state, source.data(), size, size);
        EXPECT_EQ("", exact.posted) << c.source;
        EXPECT_EQ(size, exact.length) << c.source;
        EXPECT_EQ(source, exact.bytes) << c.source;

        const KernelRun larger = RunKernel(kernel, state, source.data(), size, size + 3);
        EXPECT_EQ(size, larger.length) << c.source;
        EXPECT_EQ(source + std::string(3, static_cast<char>(GuardedBuffer::FILL)), larger.bytes) << c.source;

        const KernelRun smaller = RunFixed(kernel, state, source.data(), size, size - 1);
        EXPECT_EQ("NumericValOutOfRange(2)", smaller.posted) << c.source;
        EXPECT_EQ(size - 1, smaller.length) << "the buffer's size stays the length";
        EXPECT_TRUE(smaller.untouched) << c.source;
    }
}

TEST(BinaryImageKernels, TheTimeImageIsPackedAndOtherImagesAreTheRecordsAsTheyLie)
{
    SqlToCKernelState state;
    TDWTimeValue time;
    time.m_hour = 1;
    time.m_minute = 2;
    time.m_second = 3;
    time.m_fraction = 0x04050607;
    const KernelRun timeImage = RunFixed(KernelOf(TDW_SQL_TYPE_TIME, TDW_C_BINARY), state, &time, sizeof(time), 12);
    EXPECT_EQ("", timeImage.posted);
    EXPECT_EQ(10, timeImage.length);
    EXPECT_EQ("01000200030007060504CDCD", Hex(timeImage.bytes));

    const KernelRun tooSmall = RunFixed(KernelOf(TDW_SQL_TYPE_TIME, TDW_C_BINARY), state, &time, sizeof(time), 9);
    EXPECT_EQ("NumericValOutOfRange(2)", tooSmall.posted);
    EXPECT_TRUE(tooSmall.untouched);

    const TDWNumeric numeric("-1.5", true);
    const KernelRun numericImage = RunFixed(KernelOf(TDW_SQL_DECIMAL, TDW_C_BINARY), state, &numeric, 38, 38);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&numeric), 38), numericImage.bytes);

    TDWDaySecondInterval interval;
    interval.m_day = 3;
    interval.m_isNegative = true;
    const KernelRun intervalImage =
        RunFixed(KernelOf(TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_BINARY), state, &interval, 24, 24);
    EXPECT_EQ("03000000" "00000000" "00000000" "00000000" "00000000" "01000000", Hex(intervalImage.bytes))
        << "the sign's padding is zero";
}
