// The to-SQL converters of the application's date, time, timestamp and GUID structures, one line
// per pair. A date and a time never convert into each other.

#include "BinaryImageToSql.h"
#include "CToSqlConverterCells.h"
#include "DatetimeToSql.h"

namespace Orvik {
namespace Support {

namespace {

const CToSqlConverterCell DATETIME_AND_GUID_SOURCE_CELLS[] = {
    {TDW_C_TYPE_DATE, TDW_SQL_TYPE_DATE, &CreateCToSqlConverter<&DatetimeToSql::DateToDate>},
    {TDW_C_TYPE_DATE, TDW_SQL_TYPE_TIMESTAMP, &CreateCToSqlConverter<&DatetimeToSql::DateToTimestamp>},

    {TDW_C_TYPE_TIME, TDW_SQL_TYPE_TIME, &CreateCToSqlConverter<&DatetimeToSql::TimeToTime>},
    {TDW_C_TYPE_TIME, TDW_SQL_TYPE_TIMESTAMP, &CreateCToSqlConverter<&DatetimeToSql::TimeToTimestamp>},

    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_DATE, &CreateCToSqlConverter<&DatetimeToSql::TimestampToDate>},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIME, &CreateCToSqlConverter<&DatetimeToSql::TimestampToTime>},
    {TDW_C_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP, &CreateCToSqlConverter<&DatetimeToSql::TimestampToTimestamp>},

    {TDW_C_GUID, TDW_SQL_GUID, &CreateCToSqlConverter<&BinaryImageToSql::CopyGuid>},
};

} // namespace

CToSqlConverterCells GetDatetimeAndGuidSourceToSqlCells()
{
    return CToSqlConverterCells::Of(DATETIME_AND_GUID_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
