// Single- and double-precision values into integers, bits and floating-point values, from
// application buffers and from SQL-side values.

#include "ToSqlTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();

struct FloatingCase
{
    TDWType source;
    double value;
    TDWType target;
    const char* expected;
};

/// The value in the layout of in_source: single precision for SQL_C_FLOAT and REAL.
std::string ImageOf(TDWType in_source, double in_value)
{
    const bool isSingle = in_source == TDW_C_FLOAT || in_source == TDW_SQL_REAL;
    return isSingle ? Image(static_cast<float>(in_value)) : Image(in_value);
}

std::string Run(const FloatingCase& in_case)
{
    const std::string image = ImageOf(in_case.source, in_case.value);
    return in_case.source >= TDW_SQL_CHAR ? ConvertSqlNumber(in_case.source, image, in_case.target)
                                          : ConvertNumber(in_case.source, image, in_case.target);
}

void Check(const FloatingCase* in_cases, size_t in_count)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        const FloatingCase& c = in_cases[i];
        EXPECT_EQ(c.expected, Run(c)) << c.source << " " << c.value << " to " << c.target;
    }
}

const char* const OUT_ABOVE = "NumericValOutOfRange(0) | kept";
const char* const OUT_BELOW = "NumericValOutOfRange(1) | kept";
const char* const NOT_A_NUMBER = "NumericValOutOfRange(2) | kept";

} // namespace

TEST(FloatingToSql, ApplicationValuesAreTruncatedThenTestedAndReportTheFractionTheyLose)
{
    const FloatingCase cases[] = {
        {TDW_C_FLOAT, 2147483648.0, TDW_SQL_SINTEGER, OUT_ABOVE},
        {TDW_C_FLOAT, 2147483520.0, TDW_SQL_SINTEGER, " | 2147483520"},
        {TDW_C_FLOAT, -2147483648.0, TDW_SQL_SINTEGER, " | -2147483648"},
        {TDW_C_DOUBLE, 2147483647.5, TDW_SQL_SINTEGER, "FractionalTrunc(1) | 2147483647"},
        {TDW_C_DOUBLE, -2147483648.9, TDW_SQL_SINTEGER, "FractionalTrunc(0) | -2147483648"},
        {TDW_C_DOUBLE, 2147483648.0, TDW_SQL_SINTEGER, OUT_ABOVE},
        {TDW_C_DOUBLE, 2147483647.0, TDW_SQL_SINTEGER, " | 2147483647"},
        {TDW_C_DOUBLE, 9223372036854775808.0, TDW_SQL_SBIGINT, OUT_ABOVE},
        {TDW_C_DOUBLE, 9223372036854774784.0, TDW_SQL_SBIGINT, " | 9223372036854774784"},
        {TDW_C_DOUBLE, -9223372036854775808.0, TDW_SQL_SBIGINT, " | -9223372036854775808"},
        {TDW_C_FLOAT, 18446744073709551616.0, TDW_SQL_UBIGINT, OUT_ABOVE},
        {TDW_C_DOUBLE, 4294967295.0, TDW_SQL_UINTEGER, " | 4294967295"},
        {TDW_C_DOUBLE, 4294967295.5, TDW_SQL_UINTEGER, "FractionalTrunc(1) | 4294967295"},
        {TDW_C_FLOAT, 4294967296.0, TDW_SQL_UINTEGER, OUT_ABOVE},
        {TDW_C_FLOAT, 127.5, TDW_SQL_STINYINT, "FractionalTrunc(1) | 127"},
        {TDW_C_FLOAT, 127.4, TDW_SQL_STINYINT, "FractionalTrunc(1) | 127"},
        {TDW_C_FLOAT, 128.0, TDW_SQL_STINYINT, OUT_ABOVE},
        {TDW_C_FLOAT, 127.0, TDW_SQL_STINYINT, " | 127"},
        {TDW_C_FLOAT, -128.5, TDW_SQL_STINYINT, "FractionalTrunc(0) | -128"},
        {TDW_C_DOUBLE, -128.9, TDW_SQL_STINYINT, "FractionalTrunc(0) | -128"},
        {TDW_C_DOUBLE, -129.0, TDW_SQL_STINYINT, OUT_BELOW},
        {TDW_C_DOUBLE, 255.9, TDW_SQL_UTINYINT, "FractionalTrunc(1) | 255"},
        // Between -1 and 0 the whole part is 0, which every unsigned type holds.
        {TDW_C_DOUBLE, -0.5, TDW_SQL_UTINYINT, "FractionalTrunc(0) | 0"},
        {TDW_C_FLOAT, -0.9, TDW_SQL_UBIGINT, "FractionalTrunc(0) | 0"},
        {TDW_C_DOUBLE, -1.0, TDW_SQL_USMALLINT, OUT_BELOW},
        {TDW_C_DOUBLE, 0.5, TDW_SQL_UTINYINT, "FractionalTrunc(1) | 0"},
        {TDW_C_DOUBLE, -0.0, TDW_SQL_USMALLINT, " | 0"},
        {TDW_C_DOUBLE, 3.75, TDW_SQL_SINTEGER, "FractionalTrunc(1) | 3"},
        {TDW_C_DOUBLE, -3.9, TDW_SQL_SSMALLINT, "FractionalTrunc(0) | -3"},
        {TDW_C_FLOAT, -32768.5, TDW_SQL_SSMALLINT, "FractionalTrunc(0) | -32768"},
        {TDW_C_DOUBLE, 65535.9, TDW_SQL_USMALLINT, "FractionalTrunc(1) | 65535"},
        {TDW_C_DOUBLE, 65536.0, TDW_SQL_USMALLINT, OUT_ABOVE},
        {TDW_C_DOUBLE, INF, TDW_SQL_UBIGINT, OUT_ABOVE},
        {TDW_C_FLOAT, -INF, TDW_SQL_SBIGINT, OUT_BELOW},
        // A NaN has no integer value: it is refused, never stored.
        {TDW_C_DOUBLE, NAN_VALUE, TDW_SQL_SINTEGER, NOT_A_NUMBER},
        {TDW_C_FLOAT, NAN_VALUE, TDW_SQL_UBIGINT, NOT_A_NUMBER},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(FloatingToSql, SqlValuesReportTheFractionTheyLose)
{
    const FloatingCase cases[] = {
        {TDW_SQL_DOUBLE, 3.75, TDW_SQL_SINTEGER, "FractionalTrunc(1) | 3"},
        {TDW_SQL_DOUBLE, -3.75, TDW_SQL_SINTEGER, "FractionalTrunc(0) | -3"},
        {TDW_SQL_FLOAT, 2147483647.0, TDW_SQL_SINTEGER, " | 2147483647"},
        {TDW_SQL_REAL, 2147483648.0, TDW_SQL_SINTEGER, OUT_ABOVE},
        {TDW_SQL_REAL, 2.5, TDW_SQL_UBIGINT, "FractionalTrunc(1) | 2"},
        {TDW_SQL_DOUBLE, 300.0, TDW_SQL_UTINYINT, OUT_ABOVE},
        {TDW_SQL_DOUBLE, -1.0, TDW_SQL_UINTEGER, OUT_BELOW},
        {TDW_SQL_FLOAT, INF, TDW_SQL_SSMALLINT, OUT_ABOVE},
        {TDW_SQL_FLOAT, -INF, TDW_SQL_STINYINT, OUT_BELOW},
        {TDW_SQL_DOUBLE, NAN_VALUE, TDW_SQL_SBIGINT, NOT_A_NUMBER},
        {TDW_SQL_REAL, NAN_VALUE, TDW_SQL_SINTEGER, NOT_A_NUMBER},
        // The range of a SQL value is judged after truncation, as that of an application's.
        {TDW_SQL_REAL, 127.5, TDW_SQL_STINYINT, "FractionalTrunc(1) | 127"},
        {TDW_SQL_DOUBLE, 2147483647.5, TDW_SQL_SINTEGER, "FractionalTrunc(1) | 2147483647"},
        {TDW_SQL_DOUBLE, -0.5, TDW_SQL_UINTEGER, "FractionalTrunc(0) | 0"},
        {TDW_SQL_REAL, 65535.5, TDW_SQL_USMALLINT, "FractionalTrunc(1) | 65535"},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(FloatingToSql, BitTargetsTakeZeroOneAndFractionsBelowTwo)
{
    const FloatingCase cases[] = {
        {TDW_C_FLOAT, 1.0, TDW_SQL_BIT, " | 1"},
        {TDW_C_FLOAT, 1.5, TDW_SQL_BIT, "FractionalTrunc(1) | 1"},
        {TDW_C_FLOAT, 0.25, TDW_SQL_BIT, "FractionalTrunc(1) | 0"},
        {TDW_C_FLOAT, 2.0, TDW_SQL_BIT, OUT_ABOVE},
        {TDW_C_FLOAT, -0.0, TDW_SQL_BIT, " | 0"},
        {TDW_C_DOUBLE, 1.999, TDW_SQL_BIT, "FractionalTrunc(1) | 1"},
        {TDW_C_DOUBLE, -0.5, TDW_SQL_BIT, OUT_BELOW},
        {TDW_C_DOUBLE, NAN_VALUE, TDW_SQL_BIT, NOT_A_NUMBER},
        {TDW_C_FLOAT, NAN_VALUE, TDW_SQL_BIT, NOT_A_NUMBER},
        {TDW_SQL_REAL, 0.5, TDW_SQL_BIT, "FractionalTrunc(1) | 0"},
        {TDW_SQL_DOUBLE, 0.0, TDW_SQL_BIT, " | 0"},
        {TDW_SQL_FLOAT, 2.0, TDW_SQL_BIT, OUT_ABOVE},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(FloatingToSql, FloatingTargetsCopyWidenOrNarrowWithARangeCheck)
{
    const FloatingCase cases[] = {
        // Narrowing stores what the value became, and refuses what exceeds the largest single.
        {TDW_C_DOUBLE, 1e300, TDW_SQL_REAL, "NumericValOutOfRange(0) | inf"},
        {TDW_C_DOUBLE, -1e300, TDW_SQL_REAL, "NumericValOutOfRange(1) | -inf"},
        {TDW_C_DOUBLE, 3.4028235e38, TDW_SQL_REAL, "NumericValOutOfRange(0) | 3.40282347e+38"},
        {TDW_C_DOUBLE, 3.4028234663852886e38, TDW_SQL_REAL, " | 3.40282347e+38"},
        {TDW_C_DOUBLE, 0.1, TDW_SQL_REAL, " | 0.100000001"},
        {TDW_C_DOUBLE, NAN_VALUE, TDW_SQL_REAL, " | nan"},
        {TDW_SQL_DOUBLE, 1e300, TDW_SQL_REAL, "NumericValOutOfRange(0) | inf"},
        // Widening is exact and keeps infinities and NaN.
        {TDW_C_FLOAT, INF, TDW_SQL_DOUBLE, " | inf"},
        {TDW_C_FLOAT, 0.1, TDW_SQL_FLOAT, " | 0.10000000149011612"},
        {TDW_SQL_REAL, -INF, TDW_SQL_DOUBLE, " | -inf"},
        // The same representation is copied bit for bit.
        {TDW_C_FLOAT, NAN_VALUE, TDW_SQL_REAL, " | nan"},
        {TDW_C_DOUBLE, -INF, TDW_SQL_FLOAT, " | -inf"},
        {TDW_SQL_FLOAT, 1e300, TDW_SQL_DOUBLE, " | 1.0000000000000001e+300"},
        {TDW_SQL_REAL, 0.1, TDW_SQL_REAL, " | 0.100000001"},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}
