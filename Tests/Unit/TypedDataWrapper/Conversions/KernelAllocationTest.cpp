#include "KernelTestSupport.h"

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
