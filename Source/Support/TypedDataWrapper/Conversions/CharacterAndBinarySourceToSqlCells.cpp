// The to-SQL converters of application text and bytes, one line per pair. Text into the six
// character types goes through the selector, which copies or transcodes by the encodings; bytes
// into the three binary types are copied, and into a fixed-size type taken as its value's image.

#include "BinaryImageToSql.h"
#include "CToSqlConverterCells.h"
#include "CharacterToSql.h"

namespace Orvik {
namespace Support {

namespace {

constexpr SqlConverterFactory::CToSqlCreator TEXT = &CharacterToSql::CreateCToSqlConverter;
constexpr SqlConverterFactory::CToSqlCreator BYTES = &CreateCToSqlConverter<&CharacterToSql::CopyBytes>;
constexpr SqlConverterFactory::CToSqlCreator IMAGE = &CreateCToSqlConverter<&BinaryImageToSql::CopyIntoValue>;

const CToSqlConverterCell CHARACTER_AND_BINARY_SOURCE_CELLS[] = {
    {TDW_C_CHAR, TDW_SQL_CHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_VARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_LONGVARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_WCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_WVARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_WLONGVARCHAR, TEXT},

    {TDW_C_WCHAR, TDW_SQL_CHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_VARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_LONGVARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_WCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_WVARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_WLONGVARCHAR, TEXT},

    {TDW_C_BINARY, TDW_SQL_BINARY, BYTES},
    {TDW_C_BINARY, TDW_SQL_VARBINARY, BYTES},
    {TDW_C_BINARY, TDW_SQL_LONGVARBINARY, BYTES},

    {TDW_C_BINARY, TDW_SQL_BIT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_STINYINT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_UTINYINT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_SSMALLINT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_USMALLINT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_SINTEGER, IMAGE},
    {TDW_C_BINARY, TDW_SQL_UINTEGER, IMAGE},
    {TDW_C_BINARY, TDW_SQL_REAL, IMAGE},
    {TDW_C_BINARY, TDW_SQL_SBIGINT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_UBIGINT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_FLOAT, IMAGE},
    {TDW_C_BINARY, TDW_SQL_DOUBLE, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_DAY, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_HOUR, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_MINUTE, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_MONTH, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_YEAR, IMAGE},
    {TDW_C_BINARY, TDW_SQL_TYPE_DATE, IMAGE},
    {TDW_C_BINARY, TDW_SQL_TYPE_TIME, IMAGE},
    {TDW_C_BINARY, TDW_SQL_TYPE_TIMESTAMP, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_DAY_TO_MINUTE, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_DAY_TO_HOUR, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_SECOND, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_YEAR_TO_MONTH, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_DAY_TO_SECOND, IMAGE},
    {TDW_C_BINARY, TDW_SQL_INTERVAL_HOUR_TO_SECOND, IMAGE},
    {TDW_C_BINARY, TDW_SQL_GUID, IMAGE},
    {TDW_C_BINARY, TDW_SQL_NUMERIC, IMAGE},
    {TDW_C_BINARY, TDW_SQL_DECIMAL, IMAGE},
};

} // namespace

CToSqlConverterCells GetCharacterAndBinarySourceToSqlCells()
{
    return CToSqlConverterCells::Of(CHARACTER_AND_BINARY_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
