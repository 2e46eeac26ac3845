// The to-SQL converters of the application's numeric structure, one line per pair.

#include "CToSqlConverterCells.h"
#include "NumberToText.h"

namespace Orvik {
namespace Support {

namespace {

constexpr SqlConverterFactory::CToSqlCreator MULTI_FIELD = &CreateNumberToMultiFieldIntervalConverter;
constexpr SqlConverterFactory::CToSqlCreator TEXT =
    &CreateCToSqlTextConverter<&NumberToText::ExactToNarrowText, &NumberToText::ExactToWideText>;

const CToSqlConverterCell EXACT_NUMERIC_SOURCE_CELLS[] = {
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
