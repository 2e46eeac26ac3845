// The to-SQL converters of single- and double-precision values into bits, integers,
// floating-point values, exact numerics and single-field intervals, one line per pair, and their
// refusal of the multi-field intervals. A value of the target's own representation is copied bit
// for bit. Into character values they are written as decimal text, the same into narrow and wide
// targets.

#include "CToSqlConverterCells.h"
#include "ExactNumericToSql.h"
#include "NumberToInterval.h"
#include "NumberToSql.h"
#include "NumberToText.h"

namespace Orvik {
namespace Support {

namespace {

using Creator = SqlConverterFactory::CToSqlCreator;

template <typename F, typename T>
constexpr Creator Floating()
{
    return &CreateCToSqlConverter<&NumberToSql::ConvertFloating<F, T>>;
}

constexpr Creator COPY_4 = &CreateCToSqlConverter<&NumberToSql::Copy<4>>;
constexpr Creator COPY_8 = &CreateCToSqlConverter<&NumberToSql::Copy<8>>;
constexpr Creator REAL_TO_BIT = &CreateCToSqlConverter<&NumberToSql::ConvertRealToBit>;
constexpr Creator DOUBLE_TO_BIT = &CreateCToSqlConverter<&NumberToSql::ConvertDoubleToBit>;
constexpr Creator REAL_TO_DOUBLE = &CreateCToSqlConverter<&NumberToSql::ConvertRealToDouble>;
constexpr Creator DOUBLE_TO_REAL = &CreateCToSqlConverter<&NumberToSql::ConvertDoubleToReal>;
constexpr Creator EXACT_FROM_REAL = &CreateCToSqlConverter<&ExactNumericToSql::FromReal>;
constexpr Creator EXACT_FROM_DOUBLE = &CreateCToSqlConverter<&ExactNumericToSql::FromDouble>;
constexpr Creator INTERVAL_FROM_REAL = &CreateCToSqlConverter<&NumberToInterval::FromReal>;
constexpr Creator INTERVAL_FROM_DOUBLE = &CreateCToSqlConverter<&NumberToInterval::FromDouble>;
constexpr Creator MULTI_FIELD = &CreateNumberToMultiFieldIntervalConverter;
constexpr Creator FLOAT_TEXT = &CreateCToSqlConverter<&NumberToText::FloatingToText<float>>;
constexpr Creator DOUBLE_TEXT = &CreateCToSqlConverter<&NumberToText::FloatingToText<double>>;

const CToSqlConverterCell FLOATING_SOURCE_CELLS[] = {
    {TDW_C_FLOAT, TDW_SQL_BIT, REAL_TO_BIT},
    {TDW_C_FLOAT, TDW_SQL_STINYINT, Floating<float, int8_t>()},
    {TDW_C_FLOAT, TDW_SQL_UTINYINT, Floating<float, uint8_t>()},
    {TDW_C_FLOAT, TDW_SQL_SSMALLINT, Floating<float, int16_t>()},
    {TDW_C_FLOAT, TDW_SQL_USMALLINT, Floating<float, uint16_t>()},
    {TDW_C_FLOAT, TDW_SQL_SINTEGER, Floating<float, int32_t>()},
    {TDW_C_FLOAT, TDW_SQL_UINTEGER, Floating<float, uint32_t>()},
    {TDW_C_FLOAT, TDW_SQL_SBIGINT, Floating<float, int64_t>()},
    {TDW_C_FLOAT, TDW_SQL_UBIGINT, Floating<float, uint64_t>()},
    {TDW_C_FLOAT, TDW_SQL_REAL, COPY_4},
    {TDW_C_FLOAT, TDW_SQL_FLOAT, REAL_TO_DOUBLE},
    {TDW_C_FLOAT, TDW_SQL_DOUBLE, REAL_TO_DOUBLE},
    {TDW_C_FLOAT, TDW_SQL_NUMERIC, EXACT_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_DECIMAL, EXACT_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_DAY, INTERVAL_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_HOUR, INTERVAL_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_MINUTE, INTERVAL_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_MONTH, INTERVAL_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_YEAR, INTERVAL_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_SECOND, INTERVAL_FROM_REAL},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_FLOAT, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    {TDW_C_DOUBLE, TDW_SQL_BIT, DOUBLE_TO_BIT},
    {TDW_C_DOUBLE, TDW_SQL_STINYINT, Floating<double, int8_t>()},
    {TDW_C_DOUBLE, TDW_SQL_UTINYINT, Floating<double, uint8_t>()},
    {TDW_C_DOUBLE, TDW_SQL_SSMALLINT, Floating<double, int16_t>()},
    {TDW_C_DOUBLE, TDW_SQL_USMALLINT, Floating<double, uint16_t>()},
    {TDW_C_DOUBLE, TDW_SQL_SINTEGER, Floating<double, int32_t>()},
    {TDW_C_DOUBLE, TDW_SQL_UINTEGER, Floating<double, uint32_t>()},
    {TDW_C_DOUBLE, TDW_SQL_SBIGINT, Floating<double, int64_t>()},
    {TDW_C_DOUBLE, TDW_SQL_UBIGINT, Floating<double, uint64_t>()},
    {TDW_C_DOUBLE, TDW_SQL_REAL, DOUBLE_TO_REAL},
    {TDW_C_DOUBLE, TDW_SQL_FLOAT, COPY_8},
    {TDW_C_DOUBLE, TDW_SQL_DOUBLE, COPY_8},
    {TDW_C_DOUBLE, TDW_SQL_NUMERIC, EXACT_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_DECIMAL, EXACT_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_DAY, INTERVAL_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_HOUR, INTERVAL_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_MINUTE, INTERVAL_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_MONTH, INTERVAL_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_YEAR, INTERVAL_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_SECOND, INTERVAL_FROM_DOUBLE},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_DOUBLE, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    // Into character values, as decimal text.
    {TDW_C_FLOAT, TDW_SQL_CHAR, FLOAT_TEXT},
    {TDW_C_FLOAT, TDW_SQL_VARCHAR, FLOAT_TEXT},
    {TDW_C_FLOAT, TDW_SQL_LONGVARCHAR, FLOAT_TEXT},
    {TDW_C_FLOAT, TDW_SQL_WCHAR, FLOAT_TEXT},
    {TDW_C_FLOAT, TDW_SQL_WVARCHAR, FLOAT_TEXT},
    {TDW_C_FLOAT, TDW_SQL_WLONGVARCHAR, FLOAT_TEXT},

    {TDW_C_DOUBLE, TDW_SQL_CHAR, DOUBLE_TEXT},
    {TDW_C_DOUBLE, TDW_SQL_VARCHAR, DOUBLE_TEXT},
    {TDW_C_DOUBLE, TDW_SQL_LONGVARCHAR, DOUBLE_TEXT},
    {TDW_C_DOUBLE, TDW_SQL_WCHAR, DOUBLE_TEXT},
    {TDW_C_DOUBLE, TDW_SQL_WVARCHAR, DOUBLE_TEXT},
    {TDW_C_DOUBLE, TDW_SQL_WLONGVARCHAR, DOUBLE_TEXT},
};

} // namespace

CToSqlConverterCells GetFloatingSourceToSqlCells()
{
    return CToSqlConverterCells::Of(FLOATING_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
