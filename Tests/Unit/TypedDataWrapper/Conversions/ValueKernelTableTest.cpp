#include "Support/TypedDataWrapper/SqlToCKernelTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace Orvik::Support;

namespace {

std::set<int> TargetsOf(TDWType in_source)
{
    std::set<int> targets;
    for (int target = TDW_C_CHAR; target <= TDW_C_GUID; ++target)
    {
        if (SqlToCKernelTable::Find(in_source, static_cast<TDWType>(target)) != nullptr)
        {
            targets.insert(target);
        }
    }
    return targets;
}

std::set<int> Range(int in_first, int in_last)
{
    std::set<int> ids;
    for (int id = in_first; id <= in_last; ++id)
    {
        ids.insert(id);
    }
    return ids;
}

std::set<int> Join(std::set<int> in_left, const std::set<int>& in_right)
{
    in_left.insert(in_right.begin(), in_right.end());
    return in_left;
}

const std::set<int> INTEGERS = {TDW_C_STINYINT, TDW_C_UTINYINT, TDW_C_TINYINT, TDW_C_SBIGINT, TDW_C_UBIGINT, TDW_C_SSHORT,
                                TDW_C_USHORT,   TDW_C_SHORT,    TDW_C_SLONG,   TDW_C_ULONG,   TDW_C_LONG};
const std::set<int> SINGLE_FIELDS = {TDW_C_INTERVAL_YEAR, TDW_C_INTERVAL_MONTH, TDW_C_INTERVAL_DAY,
                                     TDW_C_INTERVAL_HOUR, TDW_C_INTERVAL_MINUTE, TDW_C_INTERVAL_SECOND};
const std::set<int> DAY_TIME = {TDW_C_INTERVAL_DAY,    TDW_C_INTERVAL_DAY_TO_HOUR,    TDW_C_INTERVAL_DAY_TO_MINUTE,
                                TDW_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR_TO_MINUTE,
                                TDW_C_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE_TO_SECOND,
                                TDW_C_INTERVAL_SECOND};
const std::set<int> YEAR_MONTH = {TDW_C_INTERVAL_MONTH, TDW_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR_TO_MONTH};
const std::set<int> TEXT = {TDW_C_CHAR, TDW_C_WCHAR, TDW_C_BINARY};

} // namespace

TEST(ValueKernelTable, CharacterSourcesReachEveryCType)
{
    std::set<int> everything = Range(TDW_C_CHAR, TDW_C_GUID);
    EXPECT_EQ(everything, TargetsOf(TDW_SQL_CHAR));
    EXPECT_EQ(everything, TargetsOf(TDW_SQL_LONGVARCHAR));
    everything.erase(TDW_C_LONG);
    for (TDWType source : {TDW_SQL_VARCHAR, TDW_SQL_WCHAR, TDW_SQL_WVARCHAR, TDW_SQL_WLONGVARCHAR})
    {
        EXPECT_EQ(everything, TargetsOf(source)) << source;
    }
}

TEST(ValueKernelTable, ValueSourcesReachTheirTargets)
{
    const std::set<int> dateTargets = {TDW_C_CHAR, TDW_C_WCHAR, TDW_C_BINARY, TDW_C_TYPE_DATE, TDW_C_TYPE_TIMESTAMP};
    EXPECT_EQ(dateTargets, TargetsOf(TDW_SQL_TYPE_DATE));
    EXPECT_EQ(Join(TEXT, {TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP}), TargetsOf(TDW_SQL_TYPE_TIME));
    EXPECT_EQ(Join(TEXT, {TDW_C_TYPE_DATE, TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP}), TargetsOf(TDW_SQL_TYPE_TIMESTAMP));
    EXPECT_EQ(Join(TEXT, {TDW_C_GUID}), TargetsOf(TDW_SQL_GUID));
    for (TDWType source : {TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY})
    {
        EXPECT_EQ(TEXT, TargetsOf(source)) << source;
    }
    const std::set<int> numberTargets =
        Join(Join(Join(TEXT, INTEGERS), SINGLE_FIELDS), {TDW_C_BIT, TDW_C_NUMERIC, TDW_C_FLOAT, TDW_C_DOUBLE});
    // BIT and the exact numerics also reach the multi-field intervals, which refuse every value.
    const std::set<int> withMultiField = Join(Join(numberTargets, DAY_TIME), YEAR_MONTH);
    EXPECT_EQ(withMultiField, TargetsOf(TDW_SQL_BIT));
    EXPECT_EQ(withMultiField, TargetsOf(TDW_SQL_NUMERIC));
    EXPECT_EQ(withMultiField, TargetsOf(TDW_SQL_DECIMAL));
}

TEST(ValueKernelTable, IntervalSourcesReachTextTheirFamilyAndNumbers)
{
    const std::set<int> numbers = Join(INTEGERS, {TDW_C_NUMERIC});
    std::set<int> minuteNumbers = numbers;
    minuteNumbers.erase(TDW_C_TINYINT);
    EXPECT_EQ(Join(Join(TEXT, DAY_TIME), numbers), TargetsOf(TDW_SQL_INTERVAL_DAY));
    EXPECT_EQ(Join(Join(TEXT, DAY_TIME), minuteNumbers), TargetsOf(TDW_SQL_INTERVAL_MINUTE));
    EXPECT_EQ(Join(Join(TEXT, DAY_TIME), numbers), TargetsOf(TDW_SQL_INTERVAL_SECOND));
    EXPECT_EQ(Join(Join(TEXT, YEAR_MONTH), numbers), TargetsOf(TDW_SQL_INTERVAL_YEAR));
    EXPECT_EQ(Join(TEXT, DAY_TIME), TargetsOf(TDW_SQL_INTERVAL_DAY_TO_SECOND));
    EXPECT_EQ(Join(TEXT, YEAR_MONTH), TargetsOf(TDW_SQL_INTERVAL_YEAR_TO_MONTH));
}

TEST(ValueKernelTable, PairsOfOneComputationShareTheirKernel)
{
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_VARCHAR, TDW_C_SLONG), SqlToCKernelTable::Find(TDW_SQL_CHAR, TDW_C_SLONG));
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_WLONGVARCHAR, TDW_C_TINYINT),
              SqlToCKernelTable::Find(TDW_SQL_WCHAR, TDW_C_STINYINT));
    EXPECT_NE(SqlToCKernelTable::Find(TDW_SQL_WCHAR, TDW_C_SLONG), SqlToCKernelTable::Find(TDW_SQL_CHAR, TDW_C_SLONG));
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_DECIMAL, TDW_C_CHAR), SqlToCKernelTable::Find(TDW_SQL_NUMERIC, TDW_C_CHAR));
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_INTERVAL_YEAR, TDW_C_CHAR),
              SqlToCKernelTable::Find(TDW_SQL_INTERVAL_MINUTE, TDW_C_CHAR));
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_BIT, TDW_C_ULONG), SqlToCKernelTable::Find(TDW_SQL_BIT, TDW_C_SLONG));
}
