// The to-SQL converters of the application's numeric structure, one line per pair. Into numbers
// its value is read at the bound parameter's scale, into a bit or an interval at the structure's
// own scale byte. The converters of the single-field intervals refuse SQL-side values, each class
// naming its own line.

#include "CToSqlConverterCells.h"
#include "ExactNumericToSql.h"
#include "NumberToInterval.h"
#include "NumberToText.h"

namespace Orvik {
namespace Support {

namespace {

using Creator = SqlConverterFactory::CToSqlCreator;

template <typename T, T (TDWNumeric::*in_get)(bool&) const>
constexpr Creator Integer()
{
    return &CreateCToSqlConverter<&ExactNumericToSql::ToInteger<T, in_get>>;
}

template <const ToSqlUnsupportedOverload* in_unsupported>
constexpr Creator Interval()
{
    return &CreateOneTableCToSqlConverter<&NumberToInterval::FromExactNumeric, in_unsupported>;
}

constexpr Creator MULTI_FIELD = &CreateNumberToMultiFieldIntervalConverter;
constexpr Creator TEXT =
    &CreateCToSqlTextConverter<&NumberToText::ExactToNarrowText, &NumberToText::ExactToWideText>;
constexpr Creator TO_EXACT = &CreateCToSqlConverter<&ExactNumericToSql::FromExactNumeric>;

const CToSqlConverterCell EXACT_NUMERIC_SOURCE_CELLS[] = {
    {TDW_C_NUMERIC, TDW_SQL_BIT, &CreateCToSqlConverter<&ExactNumericToSql::ToBit>},
    {TDW_C_NUMERIC, TDW_SQL_NUMERIC, TO_EXACT},
    {TDW_C_NUMERIC, TDW_SQL_DECIMAL, TO_EXACT},
    {TDW_C_NUMERIC, TDW_SQL_STINYINT, Integer<int8_t, &TDWNumeric::GetInt8>()},
    {TDW_C_NUMERIC, TDW_SQL_UTINYINT, Integer<uint8_t, &TDWNumeric::GetUInt8>()},
    {TDW_C_NUMERIC, TDW_SQL_SSMALLINT, Integer<int16_t, &TDWNumeric::GetInt16>()},
    {TDW_C_NUMERIC, TDW_SQL_USMALLINT, Integer<uint16_t, &TDWNumeric::GetUInt16>()},
    {TDW_C_NUMERIC, TDW_SQL_SINTEGER, Integer<int32_t, &TDWNumeric::GetInt32>()},
    {TDW_C_NUMERIC, TDW_SQL_UINTEGER, Integer<uint32_t, &TDWNumeric::GetUInt32>()},
    {TDW_C_NUMERIC, TDW_SQL_SBIGINT, Integer<int64_t, &TDWNumeric::GetInt64>()},
    {TDW_C_NUMERIC, TDW_SQL_UBIGINT, Integer<uint64_t, &TDWNumeric::GetUInt64>()},
    {TDW_C_NUMERIC, TDW_SQL_REAL, &CreateCToSqlConverter<&ExactNumericToSql::ToReal>},
    {TDW_C_NUMERIC, TDW_SQL_FLOAT, &CreateCToSqlConverter<&ExactNumericToSql::ToDouble>},
    {TDW_C_NUMERIC, TDW_SQL_DOUBLE, &CreateCToSqlConverter<&ExactNumericToSql::ToDouble>},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_DAY, Interval<&NUM_TO_DAY_C_NUMERIC>()},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_HOUR, Interval<&NUM_TO_HOUR_C_NUMERIC>()},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_MINUTE, Interval<&NUM_TO_MINUTE_C_NUMERIC>()},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_MONTH, Interval<&NUM_TO_MONTH_C_NUMERIC>()},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_YEAR, Interval<&NUM_TO_YEAR_C_NUMERIC>()},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_SECOND, Interval<&NUM_TO_SECOND_C_NUMERIC>()},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_DAY_TO_HOUR, MULTI_FIELD},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_DAY_TO_MINUTE, MULTI_FIELD},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_DAY_TO_SECOND, MULTI_FIELD},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, MULTI_FIELD},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_HOUR_TO_SECOND, MULTI_FIELD},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, MULTI_FIELD},
    {TDW_C_NUMERIC, TDW_SQL_INTERVAL_YEAR_TO_MONTH, MULTI_FIELD},

    // Into character values, as plain decimal text.
    {TDW_C_NUMERIC, TDW_SQL_CHAR, TEXT},
    {TDW_C_NUMERIC, TDW_SQL_VARCHAR, TEXT},
    {TDW_C_NUMERIC, TDW_SQL_LONGVARCHAR, TEXT},
    {TDW_C_NUMERIC, TDW_SQL_WCHAR, TEXT},
    {TDW_C_NUMERIC, TDW_SQL_WVARCHAR, TEXT},
    {TDW_C_NUMERIC, TDW_SQL_WLONGVARCHAR, TEXT},
};

} // namespace

CToSqlConverterCells GetExactNumericSourceToSqlCells()
{
    return CToSqlConverterCells::Of(EXACT_NUMERIC_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
