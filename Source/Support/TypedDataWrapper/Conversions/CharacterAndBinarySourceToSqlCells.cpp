// The to-SQL converters of application text and bytes, one line per pair. Text into the six
// character types goes through the selector, which copies or transcodes by the encodings; bytes
// into the three binary types are copied, and into the character types copied as they stand.
// Text into GUIDs and binary values is parsed.

#include "BinaryAndGuidToText.h"
#include "CToSqlConverterCells.h"
#include "CharacterToSql.h"
#include "TextToGuidAndBinary.h"

namespace Orvik {
namespace Support {

namespace {

constexpr SqlConverterFactory::CToSqlCreator TEXT = &CharacterToSql::CreateCToSqlConverter;
constexpr SqlConverterFactory::CToSqlCreator BYTES = &CreateCToSqlConverter<&CharacterToSql::CopyBytes>;
constexpr SqlConverterFactory::CToSqlCreator BYTES_INTO_TEXT =
    &CreateCToSqlConverter<&BinaryAndGuidToText::CopyIntoCharacter>;
constexpr SqlConverterFactory::CToSqlCreator GUID = &CreateCToSqlConverter<&TextToGuidAndBinary::ToGuid>;
constexpr SqlConverterFactory::CToSqlCreator HEX_PAIRS = &CreateCToSqlConverter<&TextToGuidAndBinary::ToBinary>;

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

    // Bytes into character values are copied as they stand, whatever the target's encoding.
    {TDW_C_BINARY, TDW_SQL_CHAR, BYTES_INTO_TEXT},
    {TDW_C_BINARY, TDW_SQL_VARCHAR, BYTES_INTO_TEXT},
    {TDW_C_BINARY, TDW_SQL_LONGVARCHAR, BYTES_INTO_TEXT},
    {TDW_C_BINARY, TDW_SQL_WCHAR, BYTES_INTO_TEXT},
    {TDW_C_BINARY, TDW_SQL_WVARCHAR, BYTES_INTO_TEXT},
    {TDW_C_BINARY, TDW_SQL_WLONGVARCHAR, BYTES_INTO_TEXT},

    // Text into GUIDs and into bytes written as hexadecimal pairs, narrow or wide alike.
    {TDW_C_CHAR, TDW_SQL_GUID, GUID},
    {TDW_C_CHAR, TDW_SQL_BINARY, HEX_PAIRS},
    {TDW_C_CHAR, TDW_SQL_VARBINARY, HEX_PAIRS},
    {TDW_C_CHAR, TDW_SQL_LONGVARBINARY, HEX_PAIRS},

    {TDW_C_WCHAR, TDW_SQL_GUID, GUID},
    {TDW_C_WCHAR, TDW_SQL_BINARY, HEX_PAIRS},
    {TDW_C_WCHAR, TDW_SQL_VARBINARY, HEX_PAIRS},
    {TDW_C_WCHAR, TDW_SQL_LONGVARBINARY, HEX_PAIRS},
};

} // namespace

CToSqlConverterCells GetCharacterAndBinarySourceToSqlCells()
{
    return CToSqlConverterCells::Of(CHARACTER_AND_BINARY_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
