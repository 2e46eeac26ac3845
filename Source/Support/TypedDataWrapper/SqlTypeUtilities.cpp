#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

#include <iterator>

namespace Orvik {
namespace Support {

namespace {

// What is known per ODBC SQL type code. Sizes and indicators come as (signed, unsigned) pairs;
// only BIGINT's column size and the integers' indicators differ between the two.
struct SqlCodeRow
{
    int16_t code;
    const char16_t* name;
    int32_t columnSize;
    int32_t unsignedColumnSize;
    int32_t oleDbType;
    int32_t unsignedOleDbType;
};

constexpr SqlCodeRow SQL_CODE_ROWS[] = {
    {SQL_CHAR, u"SQL_CHAR", 0, 0, 129, 129},
    {SQL_NUMERIC, u"SQL_NUMERIC", 0, 0, 131, 131},
    {SQL_DECIMAL, u"SQL_DECIMAL", 0, 0, 14, 14},
    {SQL_INTEGER, u"SQL_INTEGER", 10, 10, 3, 19},
    {SQL_SMALLINT, u"SQL_SMALLINT", 5, 5, 2, 18},
    {SQL_FLOAT, u"SQL_FLOAT", 0, 0, 4, 4},
    {SQL_REAL, u"SQL_REAL", 7, 7, 4, 4},
    {SQL_DOUBLE, u"SQL_DOUBLE", 15, 15, 5, 5},
    {SQL_DATE, u"SQL_DATE", 10, 10, 133, 133},
    {SQL_TIME, u"SQL_TIME", 0, 0, 134, 134},
    {SQL_TIMESTAMP, u"SQL_TIMESTAMP", 0, 0, 135, 135},
    {SQL_VARCHAR, u"SQL_VARCHAR", 0, 0, 129, 129},
    {SQL_TYPE_DATE, u"SQL_TYPE_DATE", 10, 10, 133, 133},
    {SQL_TYPE_TIME, u"SQL_TYPE_TIME", 0, 0, 134, 134},
    {SQL_TYPE_TIMESTAMP, u"SQL_TYPE_TIMESTAMP", 0, 0, 135, 135},
    {SQL_INTERVAL_YEAR, u"SQL_INTERVAL_YEAR", 2, 2, 3, 3},
    {SQL_INTERVAL_MONTH, u"SQL_INTERVAL_MONTH", 2, 2, 3, 3},
    {SQL_INTERVAL_DAY, u"SQL_INTERVAL_DAY", 2, 2, 3, 3},
    {SQL_INTERVAL_HOUR, u"SQL_INTERVAL_HOUR", 2, 2, 3, 3},
    {SQL_INTERVAL_MINUTE, u"SQL_INTERVAL_MINUTE", 2, 2, 3, 3},
    {SQL_INTERVAL_SECOND, u"SQL_INTERVAL_SECOND", 9, 9, 129, 129},
    {SQL_INTERVAL_YEAR_TO_MONTH, u"SQL_INTERVAL_YEAR_TO_MONTH", 5, 5, 129, 129},
    {SQL_INTERVAL_DAY_TO_HOUR, u"SQL_INTERVAL_DAY_TO_HOUR", 5, 5, 129, 129},
    {SQL_INTERVAL_DAY_TO_MINUTE, u"SQL_INTERVAL_DAY_TO_MINUTE", 8, 8, 129, 129},
    {SQL_INTERVAL_DAY_TO_SECOND, u"SQL_INTERVAL_DAY_TO_SECOND", 18, 18, 129, 129},
    {SQL_INTERVAL_HOUR_TO_MINUTE, u"SQL_INTERVAL_HOUR_TO_MINUTE", 5, 5, 129, 129},
    {SQL_INTERVAL_HOUR_TO_SECOND, u"SQL_INTERVAL_HOUR_TO_SECOND", 15, 15, 129, 129},
    {SQL_INTERVAL_MINUTE_TO_SECOND, u"SQL_INTERVAL_MINUTE_TO_SECOND", 12, 12, 129, 129},
    {SQL_GUID, u"SQL_GUID", 36, 36, 72, 72},
    {SQL_WLONGVARCHAR, u"SQL_WLONGVARCHAR", 0, 0, 130, 130},
    {SQL_WVARCHAR, u"SQL_WVARCHAR", 0, 0, 130, 130},
    {SQL_WCHAR, u"SQL_WCHAR", 0, 0, 130, 130},
    {SQL_BIT, u"SQL_BIT", 1, 1, 11, 11},
    {SQL_TINYINT, u"SQL_TINYINT", 3, 3, 16, 17},
    {SQL_BIGINT, u"SQL_BIGINT", 19, 20, 20, 21},
    {SQL_LONGVARBINARY, u"SQL_LONGVARBINARY", 0, 0, 128, 128},
    {SQL_VARBINARY, u"SQL_VARBINARY", 0, 0, 128, 128},
    {SQL_BINARY, u"SQL_BINARY", 0, 0, 128, 128},
    {SQL_LONGVARCHAR, u"SQL_LONGVARCHAR", 0, 0, 129, 129},
};

const SqlCodeRow* FindRow(int16_t in_sqlType)
{
    for (const SqlCodeRow& row : SQL_CODE_ROWS)
    {
        if (row.code == in_sqlType)
        {
            return &row;
        }
    }
    return nullptr;
}

bool IsBetween(int16_t in_code, int16_t in_first, int16_t in_last)
{
    return in_code >= in_first && in_code <= in_last;
}

// The enumerator names of the SQL type ids 39 to 78. Id 72 carries a stray "case" that log
// readers and tests already know it by.
constexpr const char16_t* TDW_TYPE_NAMES[] = {
    u"TDW_SQL_CHAR",
    u"TDW_SQL_VARCHAR",
    u"TDW_SQL_LONGVARCHAR",
    u"TDW_SQL_WCHAR",
    u"TDW_SQL_WVARCHAR",
    u"TDW_SQL_WLONGVARCHAR",
    u"TDW_SQL_BIT",
    u"TDW_SQL_BINARY",
    u"TDW_SQL_VARBINARY",
    u"TDW_SQL_LONGVARBINARY",
    u"TDW_SQL_NUMERIC",
    u"TDW_SQL_DECIMAL",
    u"TDW_SQL_STINYINT",
    u"TDW_SQL_UTINYINT",
    u"TDW_SQL_SSMALLINT",
    u"TDW_SQL_USMALLINT",
    u"TDW_SQL_SINTEGER",
    u"TDW_SQL_UINTEGER",
    u"TDW_SQL_SBIGINT",
    u"TDW_SQL_UBIGINT",
    u"TDW_SQL_REAL",
    u"TDW_SQL_FLOAT",
    u"TDW_SQL_DOUBLE",
    u"TDW_SQL_TYPE_DATE",
    u"TDW_SQL_TYPE_TIME",
    u"TDW_SQL_TYPE_TIMESTAMP",
    u"TDW_SQL_INTERVAL_DAY",
    u"TDW_SQL_INTERVAL_DAY_TO_HOUR",
    u"TDW_SQL_INTERVAL_DAY_TO_MINUTE",
    u"TDW_SQL_INTERVAL_DAY_TO_SECOND",
    u"TDW_SQL_INTERVAL_HOUR",
    u"TDW_SQL_INTERVAL_HOUR_TO_MINUTE",
    u"TDW_SQL_INTERVAL_HOUR_TO_SECOND",
    u"TDW_SQL_INTERVAL_MINUTEcase",
    u"TDW_SQL_INTERVAL_MINUTE_TO_SECOND",
    u"TDW_SQL_INTERVAL_MONTH",
    u"TDW_SQL_INTERVAL_SECOND",
    u"TDW_SQL_INTERVAL_YEAR",
    u"TDW_SQL_INTERVAL_YEAR_TO_MONTH",
    u"TDW_SQL_GUID",
};

static_assert(std::size(TDW_TYPE_NAMES) == TDW_SQL_GUID - TDW_SQL_CHAR + 1, "one name per SQL id");

} // namespace

const SqlTypeUtilities& SqlTypeUtilities::Current()
{
    return TypedDataSingleton<SqlTypeUtilities>::GetOrDefault();
}

bool SqlTypeUtilities::IsAnyCharacterType(int16_t in_sqlType) const
{
    return IsCharacterType(in_sqlType) || IsWideCharacterType(in_sqlType);
}

bool SqlTypeUtilities::IsApproximateNumericType(int16_t in_sqlType) const
{
    return IsBetween(in_sqlType, SQL_FLOAT, SQL_DOUBLE);
}

bool SqlTypeUtilities::IsBinaryType(int16_t in_sqlType) const
{
    return IsBetween(in_sqlType, SQL_LONGVARBINARY, SQL_BINARY);
}

bool SqlTypeUtilities::IsCharacterType(int16_t in_sqlType) const
{
    return in_sqlType == SQL_LONGVARCHAR || in_sqlType == SQL_CHAR || in_sqlType == SQL_VARCHAR;
}

bool SqlTypeUtilities::IsCharacterOrBinaryType(int16_t in_sqlType) const
{
    return IsBinaryType(in_sqlType) || IsCharacterType(in_sqlType)
        || IsWideCharacterType(in_sqlType);
}

bool SqlTypeUtilities::IsDatetimeType(int16_t in_sqlType) const
{
    return in_sqlType == SQL_DATE || in_sqlType == SQL_TYPE_DATE
        || IsTimeOrTimestampType(in_sqlType);
}

bool SqlTypeUtilities::IsExactNumericType(int16_t in_sqlType) const
{
    return in_sqlType == SQL_NUMERIC || in_sqlType == SQL_DECIMAL;
}

bool SqlTypeUtilities::IsIntegerType(int16_t in_sqlType) const
{
    return in_sqlType == SQL_TINYINT || in_sqlType == SQL_BIGINT || in_sqlType == SQL_INTEGER
        || in_sqlType == SQL_SMALLINT;
}

bool SqlTypeUtilities::IsIntervalType(int16_t in_sqlType) const
{
    return IsBetween(in_sqlType, SQL_INTERVAL_YEAR, SQL_INTERVAL_MINUTE_TO_SECOND);
}

bool SqlTypeUtilities::IsLongDataType(int16_t in_sqlType) const
{
    return in_sqlType == SQL_WLONGVARCHAR || in_sqlType == SQL_LONGVARBINARY
        || in_sqlType == SQL_LONGVARCHAR;
}

bool SqlTypeUtilities::IsNumericType(int16_t in_sqlType) const
{
    return IsApproximateNumericType(in_sqlType) || IsExactNumericType(in_sqlType)
        || IsIntegerType(in_sqlType);
}

bool SqlTypeUtilities::IsTimeOrTimestampType(int16_t in_sqlType) const
{
    return in_sqlType == SQL_TIME || in_sqlType == SQL_TIMESTAMP || in_sqlType == SQL_TYPE_TIME
        || in_sqlType == SQL_TYPE_TIMESTAMP;
}

bool SqlTypeUtilities::IsWideCharacterType(int16_t in_sqlType) const
{
    return IsBetween(in_sqlType, SQL_WLONGVARCHAR, SQL_WCHAR);
}

int32_t SqlTypeUtilities::GetDefaultColumnSize(int16_t in_sqlType, bool in_isUnsigned) const
{
    const SqlCodeRow* row = FindRow(in_sqlType);
    if (row == nullptr)
    {
        return 0;
    }
    return in_isUnsigned ? row->unsignedColumnSize : row->columnSize;
}

orvik_wstring SqlTypeUtilities::GetSqlTypeName(int16_t in_sqlType) const
{
    const SqlCodeRow* row = FindRow(in_sqlType);
    return row != nullptr ? row->name : u"UNKNOWN";
}

orvik_wstring SqlTypeUtilities::GetTDWTypeName(TDWType in_type) const
{
    return IsSqlTypeId(in_type) ? TDW_TYPE_NAMES[in_type - TDW_SQL_CHAR] : u"TDW_SQL_NOTYPE";
}

int16_t SqlTypeUtilities::GetDatetimeIntervalCode(int16_t in_sqlType)
{
    if (IsBetween(in_sqlType, SQL_DATE, SQL_TIMESTAMP))
    {
        return static_cast<int16_t>(in_sqlType - SQL_DATE + SQL_CODE_DATE);
    }
    if (IsBetween(in_sqlType, SQL_TYPE_DATE, SQL_TYPE_TIMESTAMP))
    {
        return static_cast<int16_t>(in_sqlType - SQL_TYPE_DATE + SQL_CODE_DATE);
    }
    if (IsBetween(in_sqlType, SQL_INTERVAL_YEAR, SQL_INTERVAL_MINUTE_TO_SECOND))
    {
        return static_cast<int16_t>(in_sqlType - 100);
    }
    return 0;
}

int16_t SqlTypeUtilities::GetVerboseType(int16_t in_sqlType)
{
    if (IsBetween(in_sqlType, SQL_DATE, SQL_TIMESTAMP)
        || IsBetween(in_sqlType, SQL_TYPE_DATE, SQL_TYPE_TIMESTAMP))
    {
        return SQL_DATETIME;
    }
    if (IsBetween(in_sqlType, SQL_INTERVAL_YEAR, SQL_INTERVAL_MINUTE_TO_SECOND))
    {
        return SQL_INTERVAL;
    }
    return in_sqlType;
}

int32_t SqlTypeUtilities::GetOleDbTypeIndicator(int16_t in_sqlType, bool in_isSigned)
{
    const SqlCodeRow* row = FindRow(in_sqlType);
    if (row == nullptr)
    {
        return 0;
    }
    return in_isSigned ? row->oleDbType : row->unsignedOleDbType;
}

} // namespace Support
} // namespace Orvik
