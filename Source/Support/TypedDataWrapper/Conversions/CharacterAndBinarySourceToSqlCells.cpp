// The to-SQL converters of application text and bytes, one line per pair. Text into the six
// character types goes through the selector, which copies or transcodes by the encodings; bytes
// into the three binary types are copied.

#include "CToSqlConverterCells.h"
#include "CharacterToSql.h"

namespace Orvik {
namespace Support {

namespace {

constexpr SqlConverterFactory::CToSqlCreator TEXT = &CharacterToSql::CreateCToSqlConverter;
constexpr SqlConverterFactory::CToSqlCreator BYTES = &CreateCToSqlConverter<&CharacterToSql::CopyBytes>;

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
};

} // namespace

CToSqlConverterCells GetCharacterAndBinarySourceToSqlCells()
{
    return CToSqlConverterCells::Of(CHARACTER_AND_BINARY_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
