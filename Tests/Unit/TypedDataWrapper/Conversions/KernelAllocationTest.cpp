#include "KernelTestSupport.h"

#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/TypedDataWrapper/AllocationCounter.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

/// Counts results without keeping them, so that the listener allocates nothing itself.
class CountingListener : public WarningListener
{
public:
    void PostWarning(const ConversionResult&) override { ++m_count; }
    int m_count = 0;
};

struct Pair
{
    TDWType source;
    TDWType target;
};

/// The allocations that a second round of conversions makes, once the first has set up
/// whatever is made once (the static results, the kernel table, a transcoder's converter).
int AllocationsOfSecondRound(const Pair* in_pairs, size_t in_count, SqlToCKernelState& io_state)
{
    const char source[40] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    char target[64];
    CountingListener listener;
    int allocations = 0;
    for (int round = 0; round < 2; ++round)
    {
        AllocationCounter::Start();
        for (size_t i = 0; i < in_count; ++i)
        {
            const SqlToCKernel kernel = SqlToCKernelTable::Find(in_pairs[i].source, in_pairs[i].target);
            for (int64_t size : {64, 3, 0})
            {
                int64_t length = size;
                kernel(io_state, source, 9, target, length, listener);
            }
        }
        allocations = AllocationCounter::Stop();
    }
    EXPECT_LT(0, listener.m_count) << "the small buffers were meant to make the kernels post";
    return allocations;
}

} // namespace

TEST(KernelAllocations, FixedSizeTargetsAllocateNothing)
{
    const Pair pairs[] = {
        {TDW_SQL_DOUBLE, TDW_C_SLONG},      {TDW_SQL_REAL, TDW_C_UBIGINT},     {TDW_SQL_DOUBLE, TDW_C_BIT},
        {TDW_SQL_DOUBLE, TDW_C_FLOAT},      {TDW_SQL_DOUBLE, TDW_C_NUMERIC},   {TDW_SQL_REAL, TDW_C_INTERVAL_SECOND},
        {TDW_SQL_SBIGINT, TDW_C_STINYINT},  {TDW_SQL_UINTEGER, TDW_C_DOUBLE},  {TDW_SQL_SINTEGER, TDW_C_INTERVAL_DAY},
        {TDW_SQL_SSMALLINT, TDW_C_NUMERIC}, {TDW_SQL_GUID, TDW_C_BINARY},      {TDW_SQL_TYPE_TIME, TDW_C_BINARY},
        {TDW_SQL_BIT, TDW_C_INTERVAL_DAY_TO_HOUR},
    };
    SqlToCKernelState state;
    state.m_targetPrecision = 5;
    state.m_targetScale = 2;
    state.m_targetLeadingPrecision = 9;
    EXPECT_EQ(0, AllocationsOfSecondRound(pairs, sizeof(pairs) / sizeof(pairs[0]), state));
}

TEST(KernelAllocations, TextKernelsReuseTheirScratchSpaceAndConverter)
{
    const Pair pairs[] = {
        {TDW_SQL_DOUBLE, TDW_C_CHAR},   {TDW_SQL_REAL, TDW_C_WCHAR},   {TDW_SQL_SBIGINT, TDW_C_CHAR},
        {TDW_SQL_UTINYINT, TDW_C_WCHAR}, {TDW_SQL_VARCHAR, TDW_C_WCHAR}, {TDW_SQL_VARBINARY, TDW_C_BINARY},
    };
    SqlToCKernelState state;
    state.m_sourceEncoding = ENC_UTF8;
    state.m_targetEncoding = ENC_UTF16_LE;
    EXPECT_EQ(0, AllocationsOfSecondRound(pairs, sizeof(pairs) / sizeof(pairs[0]), state));
}

namespace {

/// A pair with a source value of its own type.
struct ValuePair
{
    TDWType source;
    TDWType target;
    const void* value;
    int64_t length;
};

/// The allocations of a second round over in_pairs, each into a 64-byte, a 3-byte and a
/// 0-byte buffer.
int AllocationsOfSecondRound(const ValuePair* in_pairs, size_t in_count, SqlToCKernelState& io_state)
{
    char target[64];
    CountingListener listener;
    int allocations = 0;
    for (int round = 0; round < 2; ++round)
    {
        AllocationCounter::Start();
        for (size_t i = 0; i < in_count; ++i)
        {
            const SqlToCKernel kernel = SqlToCKernelTable::Find(in_pairs[i].source, in_pairs[i].target);
            for (int64_t size : {64, 3, 0})
            {
                int64_t length = size;
                kernel(io_state, in_pairs[i].value, in_pairs[i].length, target, length, listener);
            }
        }
        allocations = AllocationCounter::Stop();
    }
    return allocations;
}

} // namespace

TEST(KernelAllocations, ParsedTextAndValueSourcesAllocateNothing)
{
    const std::string number = "  -12345.5 ";
    const std::string timestampText = "2024-02-29 12:34:56.123456789";
    const std::string intervalText = "-5 10:20:30.5";
    const char16_t wide[] = u" 12345 ";
    TDWTimestampValue timestamp;
    timestamp.m_fraction = 123456789;
    const TDWNumeric numeric("-123.456", true);
    const TDWNumeric longNumeric("1.25E-60", true);
    TDWDaySecondInterval daySecond;
    daySecond.m_day = 5;
    daySecond.m_fraction = 5;
    TDWSecondInterval second;
    second.m_second = 61;
    second.m_fraction = 25;
    const uint8_t bit = 1;
    const uint8_t bytes[] = {0x01, 0xAB, 0xFF, 0x00};
    const ValuePair pairs[] = {
        {TDW_SQL_VARCHAR, TDW_C_SLONG, number.data(), 11},
        {TDW_SQL_VARCHAR, TDW_C_UBIGINT, number.data(), 11},
        {TDW_SQL_VARCHAR, TDW_C_DOUBLE, number.data(), 11},
        {TDW_SQL_VARCHAR, TDW_C_FLOAT, number.data(), 11},
        {TDW_SQL_VARCHAR, TDW_C_NUMERIC, number.data(), 11},
        {TDW_SQL_VARCHAR, TDW_C_BIT, number.data(), 11},
        {TDW_SQL_VARCHAR, TDW_C_TYPE_TIMESTAMP, timestampText.data(), 29},
        {TDW_SQL_VARCHAR, TDW_C_TYPE_TIME, timestampText.data(), 29},
        {TDW_SQL_VARCHAR, TDW_C_INTERVAL_DAY_TO_SECOND, intervalText.data(), 13},
        {TDW_SQL_VARCHAR, TDW_C_INTERVAL_HOUR, intervalText.data(), 13},
        {TDW_SQL_WVARCHAR, TDW_C_SLONG, wide, 14},
        {TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP, &timestamp, 16},
        {TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_DATE, &timestamp, 16},
        {TDW_SQL_TYPE_TIMESTAMP, TDW_C_CHAR, &timestamp, 16},
        {TDW_SQL_NUMERIC, TDW_C_SLONG, &numeric, 38},
        {TDW_SQL_NUMERIC, TDW_C_DOUBLE, &numeric, 38},
        {TDW_SQL_NUMERIC, TDW_C_NUMERIC, &numeric, 38},
        {TDW_SQL_NUMERIC, TDW_C_INTERVAL_SECOND, &numeric, 38},
        {TDW_SQL_NUMERIC, TDW_C_CHAR, &numeric, 38},
        {TDW_SQL_DECIMAL, TDW_C_CHAR, &longNumeric, 38},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_HOUR, &daySecond, 24},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_CHAR, &daySecond, 24},
        {TDW_SQL_INTERVAL_SECOND, TDW_C_NUMERIC, &second, 12},
        {TDW_SQL_INTERVAL_SECOND, TDW_C_SLONG, &second, 12},
        {TDW_SQL_BIT, TDW_C_NUMERIC, &bit, 1},
        {TDW_SQL_VARBINARY, TDW_C_WCHAR, bytes, 4},
    };
    SqlToCKernelState state;
    state.m_sourceEncoding = ENC_UTF16_LE;
    state.m_targetEncoding = ENC_UTF16_LE;
    state.m_targetPrecision = 5;
    state.m_targetScale = 2;
    state.m_targetLeadingPrecision = 9;
    state.m_targetFractionalPrecision = 3;
    state.m_sourceLeadingPrecision = 2;
    state.m_sourceFractionalPrecision = 6;
    EXPECT_EQ(0, AllocationsOfSecondRound(pairs, sizeof(pairs) / sizeof(pairs[0]), state));
}
