// The SQL-to-SQL converters of NUMERIC and DECIMAL values into the single-field intervals, one
// line per pair: classes of their own, which refuse application buffers, where the converters of
// the application's numeric structure refuse SQL-side values.

#include "NumberToInterval.h"
#include "SqlToSqlConverterCells.h"
#include "ToSqlUnsupportedOverload.h"

namespace Orvik {
namespace Support {

namespace {

using Creator = SqlConverterFactory::SqlToSqlCreator;

template <const ToSqlUnsupportedOverload* in_unsupported>
constexpr Creator Interval()
{
    return &CreateSqlToSqlConverter<&NumberToInterval::FromExactNumeric, in_unsupported>;
}

const SqlToSqlConverterCell EXACT_NUMERIC_SOURCE_CELLS[] = {
    {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_DAY, Interval<&NUM_TO_DAY_SQL_NUMERIC>()},
    {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_HOUR, Interval<&NUM_TO_HOUR_SQL_NUMERIC>()},
    {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_MINUTE, Interval<&NUM_TO_MINUTE_SQL_NUMERIC>()},
    {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_MONTH, Interval<&NUM_TO_MONTH_SQL_NUMERIC>()},
    {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_YEAR, Interval<&NUM_TO_YEAR_SQL_NUMERIC>()},
    {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_SECOND, Interval<&NUM_TO_SECOND_SQL_NUMERIC>()},

    {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_DAY, Interval<&NUM_TO_DAY_SQL_NUMERIC>()},
    {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_HOUR, Interval<&NUM_TO_HOUR_SQL_NUMERIC>()},
    {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_MINUTE, Interval<&NUM_TO_MINUTE_SQL_NUMERIC>()},
    {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_MONTH, Interval<&NUM_TO_MONTH_SQL_NUMERIC>()},
    {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_YEAR, Interval<&NUM_TO_YEAR_SQL_NUMERIC>()},
    {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_SECOND, Interval<&NUM_TO_SECOND_SQL_NUMERIC>()},
};

} // namespace

SqlToSqlConverterCells GetExactNumericSourceSqlToSqlCells()
{
    return SqlToSqlConverterCells::Of(EXACT_NUMERIC_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
