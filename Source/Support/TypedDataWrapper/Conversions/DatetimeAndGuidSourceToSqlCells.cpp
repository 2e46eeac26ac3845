// The to-SQL converters of the application's date, time, timestamp and GUID structures, one line
// per pair. A date and a time never convert into each other. Into character values they are
// written in their plain text forms, the same into narrow and wide targets.

#include "BinaryAndGuidToText.h"
#include "BinaryImageToSql.h"
#include "CToSqlConverterCells.h"
#include "DatetimeToSql.h"
#include "DatetimeToText.h"

namespace Orvik {
namespace Support {

namespace {

using Creator = SqlConverterFactory::CToSqlCreator;

constexpr Creator DATE_TEXT = &CreateCToSqlConverter<&DatetimeToText::DateToText>;
constexpr Creator TIME_TEXT = &CreateCToSqlConverter<&DatetimeToText::TimeToText>;
constexpr Creator TIMESTAMP_TEXT = &CreateCToSqlConverter<&DatetimeToText::TimestampToText>;
constexpr Creator GUID_TEXT = &CreateCToSqlConverter<&BinaryAndGuidToText::GuidToText>;

const CToSqlConverterCell DATETIME_AND_GUID_SOURCE_CELLS[] = {
    {TDW_C_TYPE_DATE, TDW_SQL_TYPE_DATE, &CreateCToSqlConverter<&DatetimeToSql::DateToDate>},
    {TDW_C_TYPE_DATE, TDW_SQL_TYPE_TIMESTAMP, &CreateCToSqlConverter<&DatetimeToSql::DateToTimestamp>},

    {TDW_C_TYPE_TIME, TDW_SQL_TYPE_TIME, &CreateCToSqlConverter<&DatetimeToSql::TimeToTime>},
    {TDW_C_TYPE_TIME, TDW_SQL_TYPE_TIMESTAMP, &CreateCToSqlConverter<&DatetimeToSql::TimeToTimestamp>},

    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_DATE, &CreateCToSqlConverter<&DatetimeToSql::TimestampToDate>},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIME, &CreateCToSqlConverter<&DatetimeToSql::TimestampToTime>},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP, &CreateCToSqlConverter<&DatetimeToSql::TimestampToTimestamp>},

    {TDW_C_GUID, TDW_SQL_GUID, &CreateCToSqlConverter<&BinaryImageToSql::CopyGuid>},

    {TDW_C_TYPE_DATE, TDW_SQL_CHAR, DATE_TEXT},
    {TDW_C_TYPE_DATE, TDW_SQL_VARCHAR, DATE_TEXT},
    {TDW_C_TYPE_DATE, TDW_SQL_LONGVARCHAR, DATE_TEXT},
    {TDW_C_TYPE_DATE, TDW_SQL_WCHAR, DATE_TEXT},
    {TDW_C_TYPE_DATE, TDW_SQL_WVARCHAR, DATE_TEXT},
    {TDW_C_TYPE_DATE, TDW_SQL_WLONGVARCHAR, DATE_TEXT},

    {TDW_C_TYPE_TIME, TDW_SQL_CHAR, TIME_TEXT},
    {TDW_C_TYPE_TIME, TDW_SQL_VARCHAR, TIME_TEXT},
    {TDW_C_TYPE_TIME, TDW_SQL_LONGVARCHAR, TIME_TEXT},
    {TDW_C_TYPE_TIME, TDW_SQL_WCHAR, TIME_TEXT},
    {TDW_C_TYPE_TIME, TDW_SQL_WVARCHAR, TIME_TEXT},
    {TDW_C_TYPE_TIME, TDW_SQL_WLONGVARCHAR, TIME_TEXT},

    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_CHAR, TIMESTAMP_TEXT},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_VARCHAR, TIMESTAMP_TEXT},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_LONGVARCHAR, TIMESTAMP_TEXT},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_WCHAR, TIMESTAMP_TEXT},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_WVARCHAR, TIMESTAMP_TEXT},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_WLONGVARCHAR, TIMESTAMP_TEXT},

    {TDW_C_GUID, TDW_SQL_CHAR, GUID_TEXT},
    {TDW_C_GUID, TDW_SQL_VARCHAR, GUID_TEXT},
    {TDW_C_GUID, TDW_SQL_LONGVARCHAR, GUID_TEXT},
    {TDW_C_GUID, TDW_SQL_WCHAR, GUID_TEXT},
    {TDW_C_GUID, TDW_SQL_WVARCHAR, GUID_TEXT},
    {TDW_C_GUID, TDW_SQL_WLONGVARCHAR, GUID_TEXT},
};

} // namespace

CToSqlConverterCells GetDatetimeAndGuidSourceToSqlCells()
{
    return CToSqlConverterCells::Of(DATETIME_AND_GUID_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
