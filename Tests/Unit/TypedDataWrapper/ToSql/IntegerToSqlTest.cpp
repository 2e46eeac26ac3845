// Bits and integers into bits, integers and floating-point values, from application buffers and
// from SQL-side values: copies, widening, range tests and the bit rules.

#include "ToSqlTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace Orvik::Support;

namespace {

struct IntegerCase
{
    TDWType source;
    std::string image;
    TDWType target;
    const char* expected;
};

const char* const OUT_ABOVE = "NumericValOutOfRange(0) | kept";
const char* const OUT_BELOW = "NumericValOutOfRange(1) | kept";

} // namespace

TEST(IntegerToSql, ApplicationIntegersKeepTheirValueOrAreRefusedWithTheTargetUntouched)
{
    const IntegerCase cases[] = {
        // Narrowing: both bounds belong to the range.
        {TDW_C_UTINYINT, Image<uint8_t>(200), TDW_SQL_STINYINT, OUT_ABOVE},
        {TDW_C_UTINYINT, Image<uint8_t>(127), TDW_SQL_STINYINT, " | 127"},
        {TDW_C_SBIGINT, Image<int64_t>(2147483648LL), TDW_SQL_SINTEGER, OUT_ABOVE},
        {TDW_C_SBIGINT, Image<int64_t>(-2147483648LL), TDW_SQL_SINTEGER, " | -2147483648"},
        {TDW_C_SBIGINT, Image<int64_t>(-2147483649LL), TDW_SQL_SINTEGER, OUT_BELOW},
        {TDW_C_SBIGINT, Image<int64_t>(-129), TDW_SQL_STINYINT, OUT_BELOW},
        {TDW_C_SBIGINT, Image<int64_t>(4294967295LL), TDW_SQL_UINTEGER, " | 4294967295"},
        {TDW_C_SBIGINT, Image<int64_t>(4294967296LL), TDW_SQL_UINTEGER, OUT_ABOVE},
        {TDW_C_SLONG, Image<int32_t>(-32769), TDW_SQL_SSMALLINT, OUT_BELOW},
        {TDW_C_SLONG, Image<int32_t>(65535), TDW_SQL_USMALLINT, " | 65535"},
        {TDW_C_SLONG, Image<int32_t>(256), TDW_SQL_UTINYINT, OUT_ABOVE},
        {TDW_C_SSHORT, Image<int16_t>(300), TDW_SQL_UTINYINT, OUT_ABOVE},
        {TDW_C_USHORT, Image<uint16_t>(32768), TDW_SQL_SSMALLINT, OUT_ABOVE},
        {TDW_C_USHORT, Image<uint16_t>(255), TDW_SQL_UTINYINT, " | 255"},
        {TDW_C_ULONG, Image<uint32_t>(4294967295U), TDW_SQL_SINTEGER, OUT_ABOVE},
        {TDW_C_ULONG, Image<uint32_t>(65536), TDW_SQL_USMALLINT, OUT_ABOVE},
        {TDW_C_UBIGINT, Image<uint64_t>(9223372036854775808ULL), TDW_SQL_SBIGINT, OUT_ABOVE},
        {TDW_C_UBIGINT, Image<uint64_t>(9223372036854775807ULL), TDW_SQL_SBIGINT, " | 9223372036854775807"},
        {TDW_C_UBIGINT, Image<uint64_t>(4294967296ULL), TDW_SQL_UINTEGER, OUT_ABOVE},
        // Sign changes: a negative value is below every unsigned range.
        {TDW_C_SSHORT, Image<int16_t>(-1), TDW_SQL_USMALLINT, OUT_BELOW},
        {TDW_C_STINYINT, Image<int8_t>(-1), TDW_SQL_UBIGINT, OUT_BELOW},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MIN), TDW_SQL_UBIGINT, OUT_BELOW},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MAX), TDW_SQL_UBIGINT, " | 9223372036854775807"},
        // Copies and widening.
        {TDW_C_SSHORT, Image<int16_t>(-32768), TDW_SQL_SSMALLINT, " | -32768"},
        {TDW_C_ULONG, Image<uint32_t>(4294967295U), TDW_SQL_UINTEGER, " | 4294967295"},
        {TDW_C_STINYINT, Image<int8_t>(-128), TDW_SQL_SBIGINT, " | -128"},
        {TDW_C_USHORT, Image<uint16_t>(65535), TDW_SQL_UINTEGER, " | 65535"},
        {TDW_C_ULONG, Image<uint32_t>(4294967295U), TDW_SQL_SBIGINT, " | 4294967295"},
        {TDW_C_UTINYINT, Image<uint8_t>(255), TDW_SQL_UBIGINT, " | 255"},
        // A plain SQL_C_TINYINT id reads its byte as unsigned.
        {TDW_C_TINYINT, Image<uint8_t>(0xFF), TDW_SQL_STINYINT, OUT_ABOVE},
        {TDW_C_TINYINT, Image<uint8_t>(0xFF), TDW_SQL_SSMALLINT, " | 255"},
        {TDW_C_SHORT, Image<int16_t>(-1), TDW_SQL_SINTEGER, " | -1"},
        {TDW_C_LONG, Image<int32_t>(-1), TDW_SQL_UINTEGER, OUT_BELOW},
    };
    for (const IntegerCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertNumber(c.source, c.image, c.target)) << c.source << " to " << c.target;
    }
}

TEST(IntegerToSql, IntegersBecomeTheNearestFloatingValueWithoutAResult)
{
    const IntegerCase cases[] = {
        {TDW_C_SLONG, Image<int32_t>(16777217), TDW_SQL_REAL, " | 16777216"},
        {TDW_C_SBIGINT, Image<int64_t>(9007199254740993LL), TDW_SQL_DOUBLE, " | 9007199254740992"},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), TDW_SQL_DOUBLE, " | 1.8446744073709552e+19"},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), TDW_SQL_REAL, " | 1.84467441e+19"},
        {TDW_C_STINYINT, Image<int8_t>(-5), TDW_SQL_FLOAT, " | -5"},
        {TDW_C_ULONG, Image<uint32_t>(4294967295U), TDW_SQL_DOUBLE, " | 4294967295"},
        {TDW_C_USHORT, Image<uint16_t>(65535), TDW_SQL_REAL, " | 65535"},
    };
    for (const IntegerCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertNumber(c.source, c.image, c.target)) << c.source << " to " << c.target;
    }
}

TEST(IntegerToSql, BitSourcesWidenEveryByteAndBitTargetsTakeOnlyZeroAndOne)
{
    const IntegerCase cases[] = {
        // A bit byte other than 0 and 1 is not reduced to 1.
        {TDW_C_BIT, Image<uint8_t>(2), TDW_SQL_BIT, " | 2"},
        {TDW_C_BIT, Image<uint8_t>(2), TDW_SQL_SINTEGER, " | 2"},
        {TDW_C_BIT, Image<uint8_t>(2), TDW_SQL_REAL, " | 2"},
        {TDW_C_BIT, Image<uint8_t>(200), TDW_SQL_STINYINT, " | -56"},
        {TDW_C_BIT, Image<uint8_t>(255), TDW_SQL_USMALLINT, " | 255"},
        {TDW_C_BIT, Image<uint8_t>(1), TDW_SQL_UBIGINT, " | 1"},
        {TDW_C_BIT, Image<uint8_t>(1), TDW_SQL_DOUBLE, " | 1"},
        // Integers into BIT: 0 and 1 only, never "true" for other values.
        {TDW_C_SLONG, Image<int32_t>(1), TDW_SQL_BIT, " | 1"},
        {TDW_C_SLONG, Image<int32_t>(0), TDW_SQL_BIT, " | 0"},
        {TDW_C_SLONG, Image<int32_t>(2), TDW_SQL_BIT, OUT_ABOVE},
        {TDW_C_SLONG, Image<int32_t>(-1), TDW_SQL_BIT, OUT_BELOW},
        {TDW_C_UTINYINT, Image<uint8_t>(255), TDW_SQL_BIT, OUT_ABOVE},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), TDW_SQL_BIT, OUT_ABOVE},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MIN), TDW_SQL_BIT, OUT_BELOW},
        {TDW_C_STINYINT, Image<int8_t>(-128), TDW_SQL_BIT, OUT_BELOW},
    };
    for (const IntegerCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertNumber(c.source, c.image, c.target)) << c.source << " to " << c.target;
    }
}

TEST(IntegerToSql, SqlValuesFollowTheRulesOfTheirApplicationTwins)
{
    const IntegerCase cases[] = {
        {TDW_SQL_UTINYINT, Image<uint8_t>(200), TDW_SQL_STINYINT, OUT_ABOVE},
        {TDW_SQL_SBIGINT, Image<int64_t>(-2147483649LL), TDW_SQL_SINTEGER, OUT_BELOW},
        {TDW_SQL_SSMALLINT, Image<int16_t>(-1), TDW_SQL_USMALLINT, OUT_BELOW},
        {TDW_SQL_UINTEGER, Image<uint32_t>(4294967295U), TDW_SQL_UINTEGER, " | 4294967295"},
        {TDW_SQL_UBIGINT, Image<uint64_t>(UINT64_MAX), TDW_SQL_DOUBLE, " | 1.8446744073709552e+19"},
        {TDW_SQL_BIT, Image<uint8_t>(2), TDW_SQL_BIT, " | 2"},
        {TDW_SQL_BIT, Image<uint8_t>(200), TDW_SQL_STINYINT, " | -56"},
        {TDW_SQL_SINTEGER, Image<int32_t>(2), TDW_SQL_BIT, OUT_ABOVE},
        {TDW_SQL_USMALLINT, Image<uint16_t>(40000), TDW_SQL_SINTEGER, " | 40000"},
    };
    for (const IntegerCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertSqlNumber(c.source, c.image, c.target)) << c.source << " to " << c.target;
    }
}
