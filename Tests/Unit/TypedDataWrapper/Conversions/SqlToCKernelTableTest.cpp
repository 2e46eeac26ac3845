#include "Support/TypedDataWrapper/SqlToCKernelTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace Orvik::Support;

namespace {

/// The C types (0 to 34) for which in_source has a kernel, as a set of ids.
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

/// Every C type but the dates, times and GUID: the targets of a number.
std::set<int> NumberTargets()
{
    std::set<int> targets;
    for (int target = TDW_C_CHAR; target <= TDW_C_GUID; ++target)
    {
        if (target != TDW_C_TYPE_DATE && target != TDW_C_TYPE_TIME && target != TDW_C_TYPE_TIMESTAMP
            && target != TDW_C_GUID)
        {
            targets.insert(target);
        }
    }
    return targets;
}

} // namespace

TEST(SqlToCKernelTable, FloatingAndIntegerSourcesReachEveryNumberTarget)
{
    for (TDWType source : {TDW_SQL_REAL, TDW_SQL_FLOAT, TDW_SQL_DOUBLE, TDW_SQL_STINYINT, TDW_SQL_UTINYINT,
                           TDW_SQL_SSMALLINT, TDW_SQL_USMALLINT, TDW_SQL_UINTEGER, TDW_SQL_SBIGINT, TDW_SQL_UBIGINT})
    {
        EXPECT_EQ(NumberTargets(), TargetsOf(source)) << source;
    }
    std::set<int> sintegerTargets = NumberTargets();
    sintegerTargets.erase(TDW_C_INTERVAL_MINUTE_TO_SECOND);
    EXPECT_EQ(sintegerTargets, TargetsOf(TDW_SQL_SINTEGER));
}

TEST(SqlToCKernelTable, CharacterAndBinarySourcesReachTextAndBinaryBuffers)
{
    const std::set<int> text = {TDW_C_CHAR, TDW_C_WCHAR, TDW_C_BINARY};
    for (TDWType source : {TDW_SQL_CHAR, TDW_SQL_VARCHAR, TDW_SQL_LONGVARCHAR, TDW_SQL_WCHAR, TDW_SQL_WVARCHAR,
                           TDW_SQL_WLONGVARCHAR})
    {
        for (int target : text)
        {
            EXPECT_NE(nullptr, SqlToCKernelTable::Find(source, static_cast<TDWType>(target))) << source << " " << target;
        }
    }
    for (TDWType source : {TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY})
    {
        EXPECT_NE(nullptr, SqlToCKernelTable::Find(source, TDW_C_BINARY)) << source;
    }
}

TEST(SqlToCKernelTable, PairsOfOneComputationShareTheirKernel)
{
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_FLOAT, TDW_C_STINYINT), SqlToCKernelTable::Find(TDW_SQL_DOUBLE, TDW_C_TINYINT));
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_REAL, TDW_C_SLONG), SqlToCKernelTable::Find(TDW_SQL_REAL, TDW_C_LONG));
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_SINTEGER, TDW_C_BINARY), SqlToCKernelTable::Find(TDW_SQL_REAL, TDW_C_BINARY));
    EXPECT_NE(SqlToCKernelTable::Find(TDW_SQL_REAL, TDW_C_SLONG), SqlToCKernelTable::Find(TDW_SQL_FLOAT, TDW_C_SLONG));
}

TEST(SqlToCKernelTable, TextOfOneEncodingIsCopiedByItsUnitSize)
{
    const SqlToCKernel transcoder = SqlToCKernelTable::Find(TDW_SQL_CHAR, TDW_C_CHAR);
    EXPECT_EQ(transcoder, SqlToCKernelTable::Find(TDW_SQL_WCHAR, TDW_C_CHAR, ENC_UTF16_LE, ENC_UTF8));
    EXPECT_EQ(&SqlToCCharCopyCvt<1>::Convert, SqlToCKernelTable::Find(TDW_SQL_CHAR, TDW_C_CHAR, ENC_LATIN1, ENC_LATIN1));
    EXPECT_EQ(&SqlToCCharCopyCvt<2>::Convert, SqlToCKernelTable::Find(TDW_SQL_WVARCHAR, TDW_C_WCHAR, ENC_UTF16_LE, ENC_UTF16_LE));
    EXPECT_EQ(&SqlToCCharCopyCvt<4>::Convert, SqlToCKernelTable::Find(TDW_SQL_VARCHAR, TDW_C_WCHAR, ENC_UTF32_BE, ENC_UTF32_BE));
    // The binary copy does not look at encodings.
    EXPECT_EQ(SqlToCKernelTable::Find(TDW_SQL_BINARY, TDW_C_BINARY),
              SqlToCKernelTable::Find(TDW_SQL_CHAR, TDW_C_BINARY, ENC_UTF8, ENC_UTF8));
}

TEST(SqlToCKernelTable, IdsOutsideTheTableHaveNoKernel)
{
    EXPECT_EQ(nullptr, SqlToCKernelTable::Find(TDW_SQL_NOTYPE, TDW_C_CHAR));
    EXPECT_EQ(nullptr, SqlToCKernelTable::Find(static_cast<TDWType>(-1), TDW_C_CHAR));
    EXPECT_EQ(nullptr, SqlToCKernelTable::Find(TDW_SQL_REAL, TDW_C_DEFAULT));
    EXPECT_EQ(nullptr, SqlToCKernelTable::Find(TDW_C_SLONG, TDW_C_SLONG));
}
