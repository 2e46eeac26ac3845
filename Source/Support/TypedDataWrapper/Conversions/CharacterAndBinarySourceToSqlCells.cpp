// The to-SQL converters of application text and bytes, one line per pair. Text into the six
// character types goes through the selector, which copies or transcodes by the encodings; bytes
// into the three binary types are copied, into a fixed-size type taken as its value's image, and
// into the character types copied as they stand. Text into a number is parsed by one converter
// per target, narrow and wide text alike (wide text narrowed first); so is text into GUIDs,
// binary values, dates, times, timestamps and intervals.

#include "BinaryImageToSql.h"
#include "CToSqlConverterCells.h"
#include "CharacterToNumber.h"
#include "CharacterToSql.h"
#include "TextToDatetimeAndInterval.h"
#include "TextToGuidAndBinary.h"

#include "Support/TypedDataWrapper/LiteralParser.h"

namespace Orvik {
namespace Support {

namespace {

using Creator = SqlConverterFactory::CToSqlCreator;

constexpr Creator TEXT = &CharacterToSql::CreateCToSqlConverter;
constexpr Creator BYTES = &CreateCToSqlConverter<&CharacterToSql::CopyBytes>;
constexpr Creator IMAGE = &CreateCToSqlConverter<&BinaryImageToSql::CopyIntoValue>;
constexpr Creator GUID = &CreateCToSqlConverter<&TextToGuidAndBinary::ToGuid>;
constexpr Creator HEX_PAIRS = &CreateCToSqlConverter<&TextToGuidAndBinary::ToBinary>;

template <typename T, CharacterToNumber::IntegerParser<T> in_parse>
constexpr Creator Integer()
{
    return &CreateCToSqlConverter<&CharacterToNumber::ToInteger<T, in_parse>>;
}

constexpr Creator TO_BIT = &CreateCToSqlConverter<&CharacterToNumber::ToBit>;
constexpr Creator TO_EXACT = &CreateCToSqlConverter<&CharacterToNumber::ToNumeric>;
constexpr Creator TO_STINYINT = Integer<int8_t, &LiteralParser::ConvertCharToSTinyInt>();
constexpr Creator TO_UTINYINT = Integer<uint8_t, &LiteralParser::ConvertCharToUTinyInt>();
constexpr Creator TO_SSMALLINT = Integer<int16_t, &LiteralParser::ConvertCharToSShort>();
constexpr Creator TO_USMALLINT = Integer<uint16_t, &LiteralParser::ConvertCharToUShort>();
constexpr Creator TO_SINTEGER = Integer<int32_t, &LiteralParser::ConvertCharToSLong>();
constexpr Creator TO_UINTEGER = Integer<uint32_t, &LiteralParser::ConvertCharToULong>();
constexpr Creator TO_SBIGINT = Integer<int64_t, &LiteralParser::ConvertCharToSBigInt>();
constexpr Creator TO_UBIGINT = Integer<uint64_t, &LiteralParser::ConvertCharToUBigInt>();
constexpr Creator TO_REAL = &CreateCToSqlConverter<&CharacterToNumber::ToReal>;
constexpr Creator TO_DOUBLE = &CreateCToSqlConverter<&CharacterToNumber::ToDouble>;
constexpr Creator TO_DATE = &CreateCToSqlConverter<&TextToDatetimeAndInterval::ToDate>;
constexpr Creator TO_TIME = &CreateCToSqlConverter<&TextToDatetimeAndInterval::ToTime>;
constexpr Creator TO_TIMESTAMP = &CreateCToSqlConverter<&TextToDatetimeAndInterval::ToTimestamp>;
constexpr Creator TO_INTERVAL = &CreateCToSqlConverter<&TextToDatetimeAndInterval::ToInterval>;

const CToSqlConverterCell CHARACTER_AND_BINARY_SOURCE_CELLS[] = {
    {TDW_C_CHAR, TDW_SQL_CHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_VARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_LONGVARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_WCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_WVARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_WLONGVARCHAR, TEXT},
    {TDW_C_CHAR, TDW_SQL_BIT, TO_BIT},
    {TDW_C_CHAR, TDW_SQL_NUMERIC, TO_EXACT},
    {TDW_C_CHAR, TDW_SQL_DECIMAL, TO_EXACT},
    {TDW_C_CHAR, TDW_SQL_STINYINT, TO_STINYINT},
    {TDW_C_CHAR, TDW_SQL_UTINYINT, TO_UTINYINT},
    {TDW_C_CHAR, TDW_SQL_SSMALLINT, TO_SSMALLINT},
    {TDW_C_CHAR, TDW_SQL_USMALLINT, TO_USMALLINT},
    {TDW_C_CHAR, TDW_SQL_SINTEGER, TO_SINTEGER},
    {TDW_C_CHAR, TDW_SQL_UINTEGER, TO_UINTEGER},
    {TDW_C_CHAR, TDW_SQL_SBIGINT, TO_SBIGINT},
    {TDW_C_CHAR, TDW_SQL_UBIGINT, TO_UBIGINT},
    {TDW_C_CHAR, TDW_SQL_REAL, TO_REAL},
    {TDW_C_CHAR, TDW_SQL_FLOAT, TO_DOUBLE},
    {TDW_C_CHAR, TDW_SQL_DOUBLE, TO_DOUBLE},

    {TDW_C_WCHAR, TDW_SQL_CHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_VARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_LONGVARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_WCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_WVARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_WLONGVARCHAR, TEXT},
    {TDW_C_WCHAR, TDW_SQL_BIT, TO_BIT},
    {TDW_C_WCHAR, TDW_SQL_NUMERIC, TO_EXACT},
    {TDW_C_WCHAR, TDW_SQL_DECIMAL, TO_EXACT},
    {TDW_C_WCHAR, TDW_SQL_STINYINT, TO_STINYINT},
    {TDW_C_WCHAR, TDW_SQL_UTINYINT, TO_UTINYINT},
    {TDW_C_WCHAR, TDW_SQL_SSMALLINT, TO_SSMALLINT},
    {TDW_C_WCHAR, TDW_SQL_USMALLINT, TO_USMALLINT},
    {TDW_C_WCHAR, TDW_SQL_SINTEGER, TO_SINTEGER},
    {TDW_C_WCHAR, TDW_SQL_UINTEGER, TO_UINTEGER},
    {TDW_C_WCHAR, TDW_SQL_SBIGINT, TO_SBIGINT},
    {TDW_C_WCHAR, TDW_SQL_UBIGINT, TO_UBIGINT},
    {TDW_C_WCHAR, TDW_SQL_REAL, TO_REAL},
    {TDW_C_WCHAR, TDW_SQL_FLOAT, TO_DOUBLE},
    {TDW_C_WCHAR, TDW_SQL_DOUBLE, TO_DOUBLE},

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
    // Bytes into character values are copied as they stand, whatever the target's encoding, as
    // text in the target's encoding is: a character parameter checks and measures its bytes as
    // the text they are before any value is sent.
    {TDW_C_BINARY, TDW_SQL_CHAR, BYTES},
    {TDW_C_BINARY, TDW_SQL_VARCHAR, BYTES},
    {TDW_C_BINARY, TDW_SQL_LONGVARCHAR, BYTES},
    {TDW_C_BINARY, TDW_SQL_WCHAR, BYTES},
    {TDW_C_BINARY, TDW_SQL_WVARCHAR, BYTES},
    {TDW_C_BINARY, TDW_SQL_WLONGVARCHAR, BYTES},

    // Text into GUIDs and into bytes written as hexadecimal pairs, narrow or wide alike.
    {TDW_C_CHAR, TDW_SQL_GUID, GUID},
    {TDW_C_CHAR, TDW_SQL_BINARY, HEX_PAIRS},
    {TDW_C_CHAR, TDW_SQL_VARBINARY, HEX_PAIRS},
    {TDW_C_CHAR, TDW_SQL_LONGVARBINARY, HEX_PAIRS},

    {TDW_C_WCHAR, TDW_SQL_GUID, GUID},
    {TDW_C_WCHAR, TDW_SQL_BINARY, HEX_PAIRS},
    {TDW_C_WCHAR, TDW_SQL_VARBINARY, HEX_PAIRS},
    {TDW_C_WCHAR, TDW_SQL_LONGVARBINARY, HEX_PAIRS},

    // Text into dates, times, timestamps and intervals, narrow or wide alike.
    {TDW_C_CHAR, TDW_SQL_TYPE_DATE, TO_DATE},
    {TDW_C_CHAR, TDW_SQL_TYPE_TIME, TO_TIME},
    {TDW_C_CHAR, TDW_SQL_TYPE_TIMESTAMP, TO_TIMESTAMP},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_DAY, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_DAY_TO_HOUR, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_DAY_TO_MINUTE, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_DAY_TO_SECOND, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_HOUR, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_HOUR_TO_SECOND, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_MINUTE, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_MONTH, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_SECOND, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_YEAR, TO_INTERVAL},
    {TDW_C_CHAR, TDW_SQL_INTERVAL_YEAR_TO_MONTH, TO_INTERVAL},

    {TDW_C_WCHAR, TDW_SQL_TYPE_DATE, TO_DATE},
    {TDW_C_WCHAR, TDW_SQL_TYPE_TIME, TO_TIME},
    {TDW_C_WCHAR, TDW_SQL_TYPE_TIMESTAMP, TO_TIMESTAMP},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_DAY, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_DAY_TO_HOUR, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_DAY_TO_MINUTE, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_DAY_TO_SECOND, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_HOUR, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_HOUR_TO_SECOND, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_MINUTE, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_MONTH, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_SECOND, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_YEAR, TO_INTERVAL},
    {TDW_C_WCHAR, TDW_SQL_INTERVAL_YEAR_TO_MONTH, TO_INTERVAL},
};

} // namespace

CToSqlConverterCells GetCharacterAndBinarySourceToSqlCells()
{
    return CToSqlConverterCells::Of(CHARACTER_AND_BINARY_SOURCE_CELLS);
}

} // namespace Support
} // namespace Orvik
