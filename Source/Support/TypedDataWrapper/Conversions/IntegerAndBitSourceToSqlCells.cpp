// The to-SQL converters of bits and integers into bits, integers, floating-point values, exact
// numerics and single-field intervals, one line per pair, and their refusal of the multi-field
// intervals. Among bits, integers and floating-point values the rule of a pair follows from its
// two representations: the same one copies, a bit widens unchanged, a target that holds every
// source value widens, and every other pair tests the target's range (a bit target: 0 and 1).
// Unsigned sources share one converter for the signed and the unsigned target of a wider width.
// A bit byte goes into an interval as an unsigned byte. Into character values every width is
// written as decimal text, the same into narrow and wide targets: the text takes the target's
// encoding.

#include "CToSqlConverterCells.h"
#include "ExactNumericToSql.h"
#include "NumberToInterval.h"
#include "NumberToSql.h"
#include "NumberToText.h"

namespace Orvik {
namespace Support {

namespace {

using Creator = SqlConverterFactory::CToSqlCreator;

template <size_t in_size>
constexpr Creator Copy()
{
    return &CreateCToSqlConverter<&NumberToSql::Copy<in_size>>;
}

template <typename T>
constexpr Creator WidenBit()
{
    return &CreateCToSqlConverter<&NumberToSql::WidenBit<T>>;
}

template <typename S, typename T>
constexpr Creator Integer()
{
    return &CreateCToSqlConverter<&NumberToSql::ConvertInteger<S, T>>;
}

template <typename S>
constexpr Creator ExactFrom()
{
    return &CreateCToSqlConverter<&ExactNumericToSql::FromInteger<S>>;
}

template <typename S>
constexpr Creator IntervalFrom()
{
    return &CreateCToSqlConverter<&NumberToInterval::FromInteger<S>>;
}

template <typename S>
constexpr Creator Text()
{
    return &CreateCToSqlConverter<&NumberToText::IntegerToText<S>>;
}

constexpr Creator EXACT_FROM_BIT = &CreateCToSqlConverter<&ExactNumericToSql::FromBit>;
constexpr Creator MULTI_FIELD = &CreateNumberToMultiFieldIntervalConverter;
constexpr Creator BIT_TEXT = &CreateCToSqlConverter<&NumberToText::BitToText>;

const CToSqlConverterCell INTEGER_AND_BIT_SOURCE_CELLS[] = {
    {TDW_C_BIT, TDW_SQL_BIT, Copy<1>()},
    {TDW_C_BIT, TDW_SQL_STINYINT, WidenBit<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_UTINYINT, WidenBit<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_SSMALLINT, WidenBit<uint16_t>()},
    {TDW_C_BIT, TDW_SQL_USMALLINT, WidenBit<uint16_t>()},
    {TDW_C_BIT, TDW_SQL_SINTEGER, WidenBit<uint32_t>()},
    {TDW_C_BIT, TDW_SQL_UINTEGER, WidenBit<uint32_t>()},
    {TDW_C_BIT, TDW_SQL_SBIGINT, WidenBit<uint64_t>()},
    {TDW_C_BIT, TDW_SQL_UBIGINT, WidenBit<uint64_t>()},
    {TDW_C_BIT, TDW_SQL_REAL, WidenBit<float>()},
    {TDW_C_BIT, TDW_SQL_FLOAT, WidenBit<double>()},
    {TDW_C_BIT, TDW_SQL_DOUBLE, WidenBit<double>()},
    {TDW_C_BIT, TDW_SQL_NUMERIC, EXACT_FROM_BIT},
    {TDW_C_BIT, TDW_SQL_DECIMAL, EXACT_FROM_BIT},
    {TDW_C_BIT, TDW_SQL_INTERVAL_DAY, IntervalFrom<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<uint8_t>()},
    {TDW_C_BIT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_BIT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_BIT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_BIT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_BIT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_BIT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_BIT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_STINYINT, TDW_SQL_BIT, Integer<int8_t, SqlBit>()},
    {TDW_C_STINYINT, TDW_SQL_STINYINT, Copy<1>()},
    {TDW_C_STINYINT, TDW_SQL_UTINYINT, Integer<int8_t, uint8_t>()},
    {TDW_C_STINYINT, TDW_SQL_SSMALLINT, Integer<int8_t, int16_t>()},
    {TDW_C_STINYINT, TDW_SQL_USMALLINT, Integer<int8_t, uint16_t>()},
    {TDW_C_STINYINT, TDW_SQL_SINTEGER, Integer<int8_t, int32_t>()},
    {TDW_C_STINYINT, TDW_SQL_UINTEGER, Integer<int8_t, uint32_t>()},
    {TDW_C_STINYINT, TDW_SQL_SBIGINT, Integer<int8_t, int64_t>()},
    {TDW_C_STINYINT, TDW_SQL_UBIGINT, Integer<int8_t, uint64_t>()},
    {TDW_C_STINYINT, TDW_SQL_REAL, Integer<int8_t, float>()},
    {TDW_C_STINYINT, TDW_SQL_FLOAT, Integer<int8_t, double>()},
    {TDW_C_STINYINT, TDW_SQL_DOUBLE, Integer<int8_t, double>()},
    {TDW_C_STINYINT, TDW_SQL_NUMERIC, ExactFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_DECIMAL, ExactFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_DAY, IntervalFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_STINYINT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_UTINYINT, TDW_SQL_BIT, Integer<uint8_t, SqlBit>()},
    {TDW_C_UTINYINT, TDW_SQL_STINYINT, Integer<uint8_t, int8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_UTINYINT, Copy<1>()},
    {TDW_C_UTINYINT, TDW_SQL_SSMALLINT, Integer<uint8_t, int16_t>()},
    {TDW_C_UTINYINT, TDW_SQL_USMALLINT, Integer<uint8_t, int16_t>()},
    {TDW_C_UTINYINT, TDW_SQL_SINTEGER, Integer<uint8_t, int32_t>()},
    {TDW_C_UTINYINT, TDW_SQL_UINTEGER, Integer<uint8_t, int32_t>()},
    {TDW_C_UTINYINT, TDW_SQL_SBIGINT, Integer<uint8_t, int64_t>()},
    {TDW_C_UTINYINT, TDW_SQL_UBIGINT, Integer<uint8_t, int64_t>()},
    {TDW_C_UTINYINT, TDW_SQL_REAL, Integer<uint8_t, float>()},
    {TDW_C_UTINYINT, TDW_SQL_FLOAT, Integer<uint8_t, double>()},
    {TDW_C_UTINYINT, TDW_SQL_DOUBLE, Integer<uint8_t, double>()},
    {TDW_C_UTINYINT, TDW_SQL_NUMERIC, ExactFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_DECIMAL, ExactFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_DAY, IntervalFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_UTINYINT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_SBIGINT, TDW_SQL_BIT, Integer<int64_t, SqlBit>()},
    {TDW_C_SBIGINT, TDW_SQL_STINYINT, Integer<int64_t, int8_t>()},
    {TDW_C_SBIGINT, TDW_SQL_UTINYINT, Integer<int64_t, uint8_t>()},
    {TDW_C_SBIGINT, TDW_SQL_SSMALLINT, Integer<int64_t, int16_t>()},
    {TDW_C_SBIGINT, TDW_SQL_USMALLINT, Integer<int64_t, uint16_t>()},
    {TDW_C_SBIGINT, TDW_SQL_SINTEGER, Integer<int64_t, int32_t>()},
    {TDW_C_SBIGINT, TDW_SQL_UINTEGER, Integer<int64_t, uint32_t>()},
    {TDW_C_SBIGINT, TDW_SQL_SBIGINT, Copy<8>()},
    {TDW_C_SBIGINT, TDW_SQL_UBIGINT, Integer<int64_t, uint64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_REAL, Integer<int64_t, float>()},
    {TDW_C_SBIGINT, TDW_SQL_FLOAT, Integer<int64_t, double>()},
    {TDW_C_SBIGINT, TDW_SQL_DOUBLE, Integer<int64_t, double>()},
    {TDW_C_SBIGINT, TDW_SQL_NUMERIC, ExactFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_DECIMAL, ExactFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_DAY, IntervalFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_SBIGINT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_UBIGINT, TDW_SQL_BIT, Integer<uint64_t, SqlBit>()},
    {TDW_C_UBIGINT, TDW_SQL_STINYINT, Integer<uint64_t, int8_t>()},
    {TDW_C_UBIGINT, TDW_SQL_UTINYINT, Integer<uint64_t, uint8_t>()},
    {TDW_C_UBIGINT, TDW_SQL_SSMALLINT, Integer<uint64_t, int16_t>()},
    {TDW_C_UBIGINT, TDW_SQL_USMALLINT, Integer<uint64_t, uint16_t>()},
    {TDW_C_UBIGINT, TDW_SQL_SINTEGER, Integer<uint64_t, int32_t>()},
    {TDW_C_UBIGINT, TDW_SQL_UINTEGER, Integer<uint64_t, uint32_t>()},
    {TDW_C_UBIGINT, TDW_SQL_SBIGINT, Integer<uint64_t, int64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_UBIGINT, Copy<8>()},
    {TDW_C_UBIGINT, TDW_SQL_REAL, Integer<uint64_t, float>()},
    {TDW_C_UBIGINT, TDW_SQL_FLOAT, Integer<uint64_t, double>()},
    {TDW_C_UBIGINT, TDW_SQL_DOUBLE, Integer<uint64_t, double>()},
    {TDW_C_UBIGINT, TDW_SQL_NUMERIC, ExactFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_DECIMAL, ExactFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_DAY, IntervalFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_UBIGINT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_SSHORT, TDW_SQL_BIT, Integer<int16_t, SqlBit>()},
    {TDW_C_SSHORT, TDW_SQL_STINYINT, Integer<int16_t, int8_t>()},
    {TDW_C_SSHORT, TDW_SQL_UTINYINT, Integer<int16_t, uint8_t>()},
    {TDW_C_SSHORT, TDW_SQL_SSMALLINT, Copy<2>()},
    {TDW_C_SSHORT, TDW_SQL_USMALLINT, Integer<int16_t, uint16_t>()},
    {TDW_C_SSHORT, TDW_SQL_SINTEGER, Integer<int16_t, int32_t>()},
    {TDW_C_SSHORT, TDW_SQL_UINTEGER, Integer<int16_t, uint32_t>()},
    {TDW_C_SSHORT, TDW_SQL_SBIGINT, Integer<int16_t, int64_t>()},
    {TDW_C_SSHORT, TDW_SQL_UBIGINT, Integer<int16_t, uint64_t>()},
    {TDW_C_SSHORT, TDW_SQL_REAL, Integer<int16_t, float>()},
    {TDW_C_SSHORT, TDW_SQL_FLOAT, Integer<int16_t, double>()},
    {TDW_C_SSHORT, TDW_SQL_DOUBLE, Integer<int16_t, double>()},
    {TDW_C_SSHORT, TDW_SQL_NUMERIC, ExactFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_DECIMAL, ExactFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_DAY, IntervalFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_SSHORT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_USHORT, TDW_SQL_BIT, Integer<uint16_t, SqlBit>()},
    {TDW_C_USHORT, TDW_SQL_STINYINT, Integer<uint16_t, int8_t>()},
    {TDW_C_USHORT, TDW_SQL_UTINYINT, Integer<uint16_t, uint8_t>()},
    {TDW_C_USHORT, TDW_SQL_SSMALLINT, Integer<uint16_t, int16_t>()},
    {TDW_C_USHORT, TDW_SQL_USMALLINT, Copy<2>()},
    {TDW_C_USHORT, TDW_SQL_SINTEGER, Integer<uint16_t, int32_t>()},
    {TDW_C_USHORT, TDW_SQL_UINTEGER, Integer<uint16_t, int32_t>()},
    {TDW_C_USHORT, TDW_SQL_SBIGINT, Integer<uint16_t, int64_t>()},
    {TDW_C_USHORT, TDW_SQL_UBIGINT, Integer<uint16_t, int64_t>()},
    {TDW_C_USHORT, TDW_SQL_REAL, Integer<uint16_t, float>()},
    {TDW_C_USHORT, TDW_SQL_FLOAT, Integer<uint16_t, double>()},
    {TDW_C_USHORT, TDW_SQL_DOUBLE, Integer<uint16_t, double>()},
    {TDW_C_USHORT, TDW_SQL_NUMERIC, ExactFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_DECIMAL, ExactFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_DAY, IntervalFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_HOUR, IntervalFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_MONTH, IntervalFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_YEAR, IntervalFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_SECOND, IntervalFrom<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_USHORT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_SLONG, TDW_SQL_BIT, Integer<int32_t, SqlBit>()},
    {TDW_C_SLONG, TDW_SQL_STINYINT, Integer<int32_t, int8_t>()},
    {TDW_C_SLONG, TDW_SQL_UTINYINT, Integer<int32_t, uint8_t>()},
    {TDW_C_SLONG, TDW_SQL_SSMALLINT, Integer<int32_t, int16_t>()},
    {TDW_C_SLONG, TDW_SQL_USMALLINT, Integer<int32_t, uint16_t>()},
    {TDW_C_SLONG, TDW_SQL_SINTEGER, Copy<4>()},
    {TDW_C_SLONG, TDW_SQL_UINTEGER, Integer<int32_t, uint32_t>()},
    {TDW_C_SLONG, TDW_SQL_SBIGINT, Integer<int32_t, int64_t>()},
    {TDW_C_SLONG, TDW_SQL_UBIGINT, Integer<int32_t, uint64_t>()},
    {TDW_C_SLONG, TDW_SQL_REAL, Integer<int32_t, float>()},
    {TDW_C_SLONG, TDW_SQL_FLOAT, Integer<int32_t, double>()},
    {TDW_C_SLONG, TDW_SQL_DOUBLE, Integer<int32_t, double>()},
    {TDW_C_SLONG, TDW_SQL_NUMERIC, ExactFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_DECIMAL, ExactFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_DAY, IntervalFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_HOUR, IntervalFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_MONTH, IntervalFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_YEAR, IntervalFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_SECOND, IntervalFrom<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_SLONG, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_ULONG, TDW_SQL_BIT, Integer<uint32_t, SqlBit>()},
    {TDW_C_ULONG, TDW_SQL_STINYINT, Integer<uint32_t, int8_t>()},
    {TDW_C_ULONG, TDW_SQL_UTINYINT, Integer<uint32_t, uint8_t>()},
    {TDW_C_ULONG, TDW_SQL_SSMALLINT, Integer<uint32_t, int16_t>()},
    {TDW_C_ULONG, TDW_SQL_USMALLINT, Integer<uint32_t, uint16_t>()},
    {TDW_C_ULONG, TDW_SQL_SINTEGER, Integer<uint32_t, int32_t>()},
    {TDW_C_ULONG, TDW_SQL_UINTEGER, Copy<4>()},
    {TDW_C_ULONG, TDW_SQL_SBIGINT, Integer<uint32_t, int64_t>()},
    {TDW_C_ULONG, TDW_SQL_UBIGINT, Integer<uint32_t, int64_t>()},
    {TDW_C_ULONG, TDW_SQL_REAL, Integer<uint32_t, float>()},
    {TDW_C_ULONG, TDW_SQL_FLOAT, Integer<uint32_t, double>()},
    {TDW_C_ULONG, TDW_SQL_DOUBLE, Integer<uint32_t, double>()},
    {TDW_C_ULONG, TDW_SQL_NUMERIC, ExactFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_DECIMAL, ExactFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_DAY, IntervalFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_HOUR, IntervalFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_MINUTE, IntervalFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_MONTH, IntervalFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_YEAR, IntervalFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_SECOND, IntervalFrom<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_ULONG, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    // Into character values, as decimal text.
    {TDW_C_BIT, TDW_SQL_CHAR, BIT_TEXT},
    {TDW_C_BIT, TDW_SQL_VARCHAR, BIT_TEXT},
    {TDW_C_BIT, TDW_SQL_LONGVARCHAR, BIT_TEXT},
    {TDW_C_BIT, TDW_SQL_WCHAR, BIT_TEXT},
    {TDW_C_BIT, TDW_SQL_WVARCHAR, BIT_TEXT},
    {TDW_C_BIT, TDW_SQL_WLONGVARCHAR, BIT_TEXT},

    {TDW_C_STINYINT, TDW_SQL_CHAR, Text<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_VARCHAR, Text<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_LONGVARCHAR, Text<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_WCHAR, Text<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_WVARCHAR, Text<int8_t>()},
    {TDW_C_STINYINT, TDW_SQL_WLONGVARCHAR, Text<int8_t>()},

    {TDW_C_UTINYINT, TDW_SQL_CHAR, Text<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_VARCHAR, Text<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_LONGVARCHAR, Text<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_WCHAR, Text<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_WVARCHAR, Text<uint8_t>()},
    {TDW_C_UTINYINT, TDW_SQL_WLONGVARCHAR, Text<uint8_t>()},

    {TDW_C_SBIGINT, TDW_SQL_CHAR, Text<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_VARCHAR, Text<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_LONGVARCHAR, Text<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_WCHAR, Text<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_WVARCHAR, Text<int64_t>()},
    {TDW_C_SBIGINT, TDW_SQL_WLONGVARCHAR, Text<int64_t>()},

    {TDW_C_UBIGINT, TDW_SQL_CHAR, Text<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_VARCHAR, Text<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_LONGVARCHAR, Text<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_WCHAR, Text<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_WVARCHAR, Text<uint64_t>()},
    {TDW_C_UBIGINT, TDW_SQL_WLONGVARCHAR, Text<uint64_t>()},

    {TDW_C_SSHORT, TDW_SQL_CHAR, Text<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_VARCHAR, Text<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_LONGVARCHAR, Text<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_WCHAR, Text<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_WVARCHAR, Text<int16_t>()},
    {TDW_C_SSHORT, TDW_SQL_WLONGVARCHAR, Text<int16_t>()},

    {TDW_C_USHORT, TDW_SQL_CHAR, Text<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_VARCHAR, Text<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_LONGVARCHAR, Text<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_WCHAR, Text<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_WVARCHAR, Text<uint16_t>()},
    {TDW_C_USHORT, TDW_SQL_WLONGVARCHAR, Text<uint16_t>()},

    {TDW_C_SLONG, TDW_SQL_CHAR, Text<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_VARCHAR, Text<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_LONGVARCHAR, Text<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_WCHAR, Text<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_WVARCHAR, Text<int32_t>()},
    {TDW_C_SLONG, TDW_SQL_WLONGVARCHAR, Text<int32_t>()},

    {TDW_C_ULONG, TDW_SQL_CHAR, Text<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_VARCHAR, Text<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_LONGVARCHAR, Text<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_WCHAR, Text<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_WVARCHAR, Text<uint32_t>()},
    {TDW_C_ULONG, TDW_SQL_WLONGVARCHAR, Text<uint32_t>()},
};

} // namespace

CToSqlConverterCells GetIntegerAndBitSourceToSqlCells()
{
    return CToSqlConverterCells::Of(INTEGER_AND_BIT_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
