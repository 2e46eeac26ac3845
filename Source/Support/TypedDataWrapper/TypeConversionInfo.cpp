#include "Support/TypedDataWrapper/TypeConversionInfo.h"

#include "Support/InvalidArgumentException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <array>
#include <iterator>

namespace Orvik {
namespace Support {

namespace {

struct CodeMapping
{
    int16_t code;
    TDWType type;
};

// ODBC SQL type code -> SQL type id. SQL_TINYINT is taken as unsigned; the other integers as
// signed. Both spellings of the date, time and timestamp codes map to one id.
constexpr CodeMapping SQL_CODE_MAPPINGS[] = {
    {SQL_CHAR, TDW_SQL_CHAR},
    {SQL_VARCHAR, TDW_SQL_VARCHAR},
    {SQL_LONGVARCHAR, TDW_SQL_LONGVARCHAR},
    {SQL_WCHAR, TDW_SQL_WCHAR},
    {SQL_WVARCHAR, TDW_SQL_WVARCHAR},
    {SQL_WLONGVARCHAR, TDW_SQL_WLONGVARCHAR},
    {SQL_BIT, TDW_SQL_BIT},
    {SQL_BINARY, TDW_SQL_BINARY},
    {SQL_VARBINARY, TDW_SQL_VARBINARY},
    {SQL_LONGVARBINARY, TDW_SQL_LONGVARBINARY},
    {SQL_NUMERIC, TDW_SQL_NUMERIC},
    {SQL_DECIMAL, TDW_SQL_DECIMAL},
    {SQL_TINYINT, TDW_SQL_UTINYINT},
    {SQL_SMALLINT, TDW_SQL_SSMALLINT},
    {SQL_INTEGER, TDW_SQL_SINTEGER},
    {SQL_BIGINT, TDW_SQL_SBIGINT},
    {SQL_REAL, TDW_SQL_REAL},
    {SQL_FLOAT, TDW_SQL_FLOAT},
    {SQL_DOUBLE, TDW_SQL_DOUBLE},
    {SQL_GUID, TDW_SQL_GUID},
    {SQL_DATE, TDW_SQL_TYPE_DATE},
    {SQL_TYPE_DATE, TDW_SQL_TYPE_DATE},
    {SQL_TIME, TDW_SQL_TYPE_TIME},
    {SQL_TYPE_TIME, TDW_SQL_TYPE_TIME},
    {SQL_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP},
    {SQL_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP},
    {SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_YEAR},
    {SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_MONTH},
    {SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_DAY},
    {SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_HOUR},
    {SQL_INTERVAL_MINUTE, TDW_SQL_INTERVAL_MINUTE},
    {SQL_INTERVAL_SECOND, TDW_SQL_INTERVAL_SECOND},
    {SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_INTERVAL_YEAR_TO_MONTH},
    {SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_HOUR},
    {SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_INTERVAL_DAY_TO_MINUTE},
    {SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_DAY_TO_SECOND},
    {SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_HOUR_TO_MINUTE},
    {SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_HOUR_TO_SECOND},
    {SQL_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND},
};

// ODBC C type code -> C type id. SQL_C_TINYINT is taken as unsigned, SQL_C_SHORT and SQL_C_LONG
// as signed, so the plain ids are never produced here.
constexpr CodeMapping C_CODE_MAPPINGS[] = {
    {SQL_C_CHAR, TDW_C_CHAR},
    {SQL_C_WCHAR, TDW_C_WCHAR},
    {SQL_C_BIT, TDW_C_BIT},
    {SQL_C_BINARY, TDW_C_BINARY},
    {SQL_C_NUMERIC, TDW_C_NUMERIC},
    {SQL_C_TINYINT, TDW_C_UTINYINT},
    {SQL_C_SHORT, TDW_C_SSHORT},
    {SQL_C_LONG, TDW_C_SLONG},
    {SQL_C_FLOAT, TDW_C_FLOAT},
    {SQL_C_DOUBLE, TDW_C_DOUBLE},
    {SQL_C_GUID, TDW_C_GUID},
    {SQL_C_DATE, TDW_C_TYPE_DATE},
    {SQL_C_TYPE_DATE, TDW_C_TYPE_DATE},
    {SQL_C_TIME, TDW_C_TYPE_TIME},
    {SQL_C_TYPE_TIME, TDW_C_TYPE_TIME},
    {SQL_C_TIMESTAMP, TDW_C_TYPE_TIMESTAMP},
    {SQL_C_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP},
    {SQL_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR},
    {SQL_C_INTERVAL_MONTH, TDW_C_INTERVAL_MONTH},
    {SQL_C_INTERVAL_DAY, TDW_C_INTERVAL_DAY},
    {SQL_C_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR},
    {SQL_C_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE},
    {SQL_C_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND},
    {SQL_C_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH},
    {SQL_C_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_HOUR},
    {SQL_C_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_MINUTE},
    {SQL_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND},
    {SQL_C_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_MINUTE},
    {SQL_C_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_SECOND},
    {SQL_C_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND},
    {SQL_C_STINYINT, TDW_C_STINYINT},
    {SQL_C_UTINYINT, TDW_C_UTINYINT},
    {SQL_C_SBIGINT, TDW_C_SBIGINT},
    {SQL_C_UBIGINT, TDW_C_UBIGINT},
    {SQL_C_SSHORT, TDW_C_SSHORT},
    {SQL_C_USHORT, TDW_C_USHORT},
    {SQL_C_SLONG, TDW_C_SLONG},
    {SQL_C_ULONG, TDW_C_ULONG},
    {SQL_C_DEFAULT, TDW_C_DEFAULT},
};

// The code tables cover the codes -28 to 113.
constexpr int32_t CODE_OFFSET = 28;
constexpr int32_t CODE_TABLE_SIZE = 142;
using CodeTable = std::array<TDWType, CODE_TABLE_SIZE>;

constexpr CodeTable BuildCodeTable(const CodeMapping* in_begin, const CodeMapping* in_end)
{
    CodeTable table{};
    for (TDWType& entry : table)
    {
        entry = TDW_SQL_NOTYPE;
    }
    for (const CodeMapping* mapping = in_begin; mapping != in_end; ++mapping)
    {
        table[mapping->code + CODE_OFFSET] = mapping->type;
    }
    return table;
}

constexpr CodeTable SQL_CODE_TABLE =
    BuildCodeTable(std::begin(SQL_CODE_MAPPINGS), std::end(SQL_CODE_MAPPINGS));
constexpr CodeTable C_CODE_TABLE =
    BuildCodeTable(std::begin(C_CODE_MAPPINGS), std::end(C_CODE_MAPPINGS));

TDWType LookUp(const CodeTable& in_table, int16_t in_code)
{
    const int32_t index = in_code + CODE_OFFSET;
    return (index < 0 || index >= CODE_TABLE_SIZE) ? TDW_SQL_NOTYPE : in_table[index];
}

// The facts kept per type id, indexed by id: the ODBC code that GetSqlTypeForTDWType returns
// (0 for none), for SQL ids the default C type (TDW_SQL_NOTYPE for none), and the name that
// GetCTypeName gives (the ODBC SQL type name for SQL ids; null where the metadata names it).
struct TypeIdRow
{
    int16_t odbcCode;
    TDWType defaultCType;
    const char16_t* name;
};

constexpr TypeIdRow TYPE_ID_ROWS[] = {
    {SQL_C_CHAR, TDW_SQL_NOTYPE, u"SQL_C_CHAR"}, // 0 TDW_C_CHAR
    {SQL_C_BIT, TDW_SQL_NOTYPE, u"SQL_C_BIT"}, // 1 TDW_C_BIT
    {SQL_C_WCHAR, TDW_SQL_NOTYPE, u"SQL_C_WCHAR"}, // 2 TDW_C_WCHAR
    {SQL_C_BINARY, TDW_SQL_NOTYPE, u"SQL_C_BINARY"}, // 3 TDW_C_BINARY
    {SQL_C_NUMERIC, TDW_SQL_NOTYPE, u"SQL_C_NUMERIC"}, // 4 TDW_C_NUMERIC
    {SQL_C_STINYINT, TDW_SQL_NOTYPE, u"SQL_C_STINYINT"}, // 5 TDW_C_STINYINT
    {SQL_C_UTINYINT, TDW_SQL_NOTYPE, u"SQL_C_UTINYINT"}, // 6 TDW_C_UTINYINT
    {SQL_C_TINYINT, TDW_SQL_NOTYPE, u"SQL_C_TINYINT"}, // 7 TDW_C_TINYINT
    {SQL_C_SBIGINT, TDW_SQL_NOTYPE, u"SQL_C_SBIGINT"}, // 8 TDW_C_SBIGINT
    {SQL_C_UBIGINT, TDW_SQL_NOTYPE, u"SQL_C_UBIGINT"}, // 9 TDW_C_UBIGINT
    {SQL_C_SSHORT, TDW_SQL_NOTYPE, u"SQL_C_SSHORT"}, // 10 TDW_C_SSHORT
    {SQL_C_USHORT, TDW_SQL_NOTYPE, u"SQL_C_USHORT"}, // 11 TDW_C_USHORT
    {SQL_C_SHORT, TDW_SQL_NOTYPE, u"SQL_C_SHORT"}, // 12 TDW_C_SHORT
    {SQL_C_SLONG, TDW_SQL_NOTYPE, u"SQL_C_SLONG"}, // 13 TDW_C_SLONG
    {SQL_C_ULONG, TDW_SQL_NOTYPE, u"SQL_C_ULONG"}, // 14 TDW_C_ULONG
    {SQL_C_LONG, TDW_SQL_NOTYPE, u"SQL_C_LONG"}, // 15 TDW_C_LONG
    {SQL_C_FLOAT, TDW_SQL_NOTYPE, u"SQL_C_FLOAT"}, // 16 TDW_C_FLOAT
    {SQL_C_DOUBLE, TDW_SQL_NOTYPE, u"SQL_C_DOUBLE"}, // 17 TDW_C_DOUBLE
    {SQL_C_TYPE_DATE, TDW_SQL_NOTYPE, u"SQL_C_TYPE_DATE"}, // 18 TDW_C_TYPE_DATE
    {SQL_C_TYPE_TIME, TDW_SQL_NOTYPE, u"SQL_C_TYPE_TIME"}, // 19 TDW_C_TYPE_TIME
    {SQL_C_TYPE_TIMESTAMP, TDW_SQL_NOTYPE, u"SQL_C_TYPE_TIMESTAMP"}, // 20 TDW_C_TYPE_TIMESTAMP
    {SQL_C_INTERVAL_DAY, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_DAY"}, // 21 TDW_C_INTERVAL_DAY
    {SQL_C_INTERVAL_DAY_TO_HOUR, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_DAY_TO_HOUR"}, // 22 TDW_C_INTERVAL_DAY_TO_HOUR
    {SQL_C_INTERVAL_DAY_TO_MINUTE, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_DAY_TO_MINUTE"}, // 23 TDW_C_INTERVAL_DAY_TO_MINUTE
    {SQL_C_INTERVAL_DAY_TO_SECOND, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_DAY_TO_SECOND"}, // 24 TDW_C_INTERVAL_DAY_TO_SECOND
    {SQL_C_INTERVAL_HOUR, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_HOUR"}, // 25 TDW_C_INTERVAL_HOUR
    {SQL_C_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_HOUR_TO_MINUTE"}, // 26 TDW_C_INTERVAL_HOUR_TO_MINUTE
    {SQL_C_INTERVAL_HOUR_TO_SECOND, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_HOUR_TO_SECOND"}, // 27 TDW_C_INTERVAL_HOUR_TO_SECOND
    {SQL_C_INTERVAL_MINUTE, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_MINUTE"}, // 28 TDW_C_INTERVAL_MINUTE
    {SQL_C_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_MINUTE_TO_SECOND"}, // 29 TDW_C_INTERVAL_MINUTE_TO_SECOND
    {SQL_C_INTERVAL_MONTH, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_MONTH"}, // 30 TDW_C_INTERVAL_MONTH
    {SQL_C_INTERVAL_SECOND, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_SECOND"}, // 31 TDW_C_INTERVAL_SECOND
    {SQL_C_INTERVAL_YEAR, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_YEAR"}, // 32 TDW_C_INTERVAL_YEAR
    {SQL_C_INTERVAL_YEAR_TO_MONTH, TDW_SQL_NOTYPE, u"SQL_C_INTERVAL_YEAR_TO_MONTH"}, // 33 TDW_C_INTERVAL_YEAR_TO_MONTH
    {SQL_C_GUID, TDW_SQL_NOTYPE, u"SQL_C_GUID"}, // 34 TDW_C_GUID
    {SQL_C_DEFAULT, TDW_SQL_NOTYPE, u"SQL_C_DEFAULT"}, // 35 TDW_C_DEFAULT
    {0, TDW_SQL_NOTYPE, u"SQL_C_XML"}, // 36 TDW_C_XML
    {0, TDW_SQL_NOTYPE, nullptr}, // 37 TDW_C_CUSTOM
    {0, TDW_SQL_NOTYPE, nullptr}, // 38 not assigned
    {SQL_CHAR, TDW_C_CHAR, u"SQL_CHAR"}, // 39 TDW_SQL_CHAR
    {SQL_VARCHAR, TDW_C_CHAR, u"SQL_VARCHAR"}, // 40 TDW_SQL_VARCHAR
    {SQL_LONGVARCHAR, TDW_C_CHAR, u"SQL_LONGVARCHAR"}, // 41 TDW_SQL_LONGVARCHAR
    {SQL_WCHAR, TDW_C_WCHAR, u"SQL_WCHAR"}, // 42 TDW_SQL_WCHAR
    {SQL_WVARCHAR, TDW_C_WCHAR, u"SQL_WVARCHAR"}, // 43 TDW_SQL_WVARCHAR
    {SQL_WLONGVARCHAR, TDW_C_WCHAR, u"SQL_WLONGVARCHAR"}, // 44 TDW_SQL_WLONGVARCHAR
    {SQL_BIT, TDW_C_BIT, u"SQL_BIT"}, // 45 TDW_SQL_BIT
    {SQL_BINARY, TDW_C_BINARY, u"SQL_BINARY"}, // 46 TDW_SQL_BINARY
    {SQL_VARBINARY, TDW_C_BINARY, u"SQL_VARBINARY"}, // 47 TDW_SQL_VARBINARY
    {SQL_LONGVARBINARY, TDW_C_BINARY, u"SQL_LONGVARBINARY"}, // 48 TDW_SQL_LONGVARBINARY
    {SQL_NUMERIC, TDW_C_CHAR, u"SQL_NUMERIC"}, // 49 TDW_SQL_NUMERIC
    {SQL_DECIMAL, TDW_C_CHAR, u"SQL_DECIMAL"}, // 50 TDW_SQL_DECIMAL
    {SQL_TINYINT, TDW_C_STINYINT, u"SQL_TINYINT"}, // 51 TDW_SQL_STINYINT
    {SQL_TINYINT, TDW_C_UTINYINT, u"SQL_TINYINT"}, // 52 TDW_SQL_UTINYINT
    {SQL_SMALLINT, TDW_C_SSHORT, u"SQL_SMALLINT"}, // 53 TDW_SQL_SSMALLINT
    {SQL_SMALLINT, TDW_C_USHORT, u"SQL_SMALLINT"}, // 54 TDW_SQL_USMALLINT
    {SQL_INTEGER, TDW_C_SLONG, u"SQL_INTEGER"}, // 55 TDW_SQL_SINTEGER
    {SQL_INTEGER, TDW_C_ULONG, u"SQL_INTEGER"}, // 56 TDW_SQL_UINTEGER
    {SQL_BIGINT, TDW_C_SBIGINT, u"SQL_BIGINT"}, // 57 TDW_SQL_SBIGINT
    {SQL_BIGINT, TDW_C_UBIGINT, u"SQL_BIGINT"}, // 58 TDW_SQL_UBIGINT
    {SQL_REAL, TDW_C_FLOAT, u"SQL_REAL"}, // 59 TDW_SQL_REAL
    {SQL_FLOAT, TDW_C_DOUBLE, u"SQL_FLOAT"}, // 60 TDW_SQL_FLOAT
    {SQL_DOUBLE, TDW_C_DOUBLE, u"SQL_DOUBLE"}, // 61 TDW_SQL_DOUBLE
    {SQL_TYPE_DATE, TDW_C_TYPE_DATE, u"SQL_TYPE_DATE"}, // 62 TDW_SQL_TYPE_DATE
    {SQL_TYPE_TIME, TDW_C_TYPE_TIME, u"SQL_TYPE_TIME"}, // 63 TDW_SQL_TYPE_TIME
    {SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP, u"SQL_TYPE_TIMESTAMP"}, // 64 TDW_SQL_TYPE_TIMESTAMP
    {0, TDW_C_INTERVAL_DAY, u"SQL_INTERVAL_DAY"}, // 65 TDW_SQL_INTERVAL_DAY
    {0, TDW_C_INTERVAL_DAY_TO_HOUR, u"SQL_INTERVAL_DAY_TO_HOUR"}, // 66 TDW_SQL_INTERVAL_DAY_TO_HOUR
    {0, TDW_C_INTERVAL_DAY_TO_MINUTE, u"SQL_INTERVAL_DAY_TO_MINUTE"}, // 67 TDW_SQL_INTERVAL_DAY_TO_MINUTE
    {0, TDW_C_INTERVAL_DAY_TO_SECOND, u"SQL_INTERVAL_DAY_TO_SECOND"}, // 68 TDW_SQL_INTERVAL_DAY_TO_SECOND
    {0, TDW_C_INTERVAL_HOUR, u"SQL_INTERVAL_HOUR"}, // 69 TDW_SQL_INTERVAL_HOUR
    {0, TDW_C_INTERVAL_HOUR_TO_MINUTE, u"SQL_INTERVAL_HOUR_TO_MINUTE"}, // 70 TDW_SQL_INTERVAL_HOUR_TO_MINUTE
    {0, TDW_C_INTERVAL_HOUR_TO_SECOND, u"SQL_INTERVAL_HOUR_TO_SECOND"}, // 71 TDW_SQL_INTERVAL_HOUR_TO_SECOND
    {0, TDW_C_INTERVAL_MINUTE, u"SQL_INTERVAL_MINUTE"}, // 72 TDW_SQL_INTERVAL_MINUTE
    {0, TDW_C_INTERVAL_MINUTE_TO_SECOND, u"SQL_INTERVAL_MINUTE_TO_SECOND"}, // 73 TDW_SQL_INTERVAL_MINUTE_TO_SECOND
    {0, TDW_C_INTERVAL_MONTH, u"SQL_INTERVAL_MONTH"}, // 74 TDW_SQL_INTERVAL_MONTH
    {0, TDW_C_INTERVAL_SECOND, u"SQL_INTERVAL_SECOND"}, // 75 TDW_SQL_INTERVAL_SECOND
    {0, TDW_C_INTERVAL_YEAR, u"SQL_INTERVAL_YEAR"}, // 76 TDW_SQL_INTERVAL_YEAR
    {0, TDW_C_INTERVAL_YEAR_TO_MONTH, u"SQL_INTERVAL_YEAR_TO_MONTH"}, // 77 TDW_SQL_INTERVAL_YEAR_TO_MONTH
    {SQL_GUID, TDW_C_GUID, u"SQL_GUID"}, // 78 TDW_SQL_GUID
    {0, TDW_SQL_NOTYPE, nullptr}, // 79 TDW_SQL_NOTYPE
};

static_assert(std::size(TYPE_ID_ROWS) == TDW_SQL_NOTYPE + 1, "one row per type id");

const TypeIdRow* FindTypeIdRow(TDWType in_type)
{
    return (in_type < 0 || in_type > TDW_SQL_NOTYPE) ? nullptr : &TYPE_ID_ROWS[in_type];
}

// The row's name; "UNKNOWN" for the ids without one.
orvik_wstring GetTypeIdName(TDWType in_type)
{
    const TypeIdRow* row = FindTypeIdRow(in_type);
    return (row != nullptr && row->name != nullptr) ? row->name : u"UNKNOWN";
}

} // namespace

TDWType TypeConversionInfo::GetTDWTypeForSqlType(int16_t in_sqlType)
{
    return LookUp(SQL_CODE_TABLE, in_sqlType);
}

TDWType TypeConversionInfo::GetTDWTypeForCType(int16_t in_cType)
{
    return LookUp(C_CODE_TABLE, in_cType);
}

bool TypeConversionInfo::IsSupportedSqlType(int16_t in_sqlType)
{
    if (static_cast<uint16_t>(in_sqlType + 11) > 124)
    {
        return false;
    }
    return GetTDWTypeForSqlType(in_sqlType) != TDW_SQL_NOTYPE;
}

bool TypeConversionInfo::IsSupportedCType(int16_t in_cType)
{
    if (in_cType >= SqlCTypeUtilities::FIRST_CUSTOM_C_TYPE)
    {
        return SqlCTypeUtilities::Current().IsCustomCType(in_cType);
    }
    if (static_cast<uint16_t>(in_cType + CODE_OFFSET) >= CODE_TABLE_SIZE)
    {
        return false;
    }
    return GetTDWTypeForCType(in_cType) != TDW_SQL_NOTYPE;
}

TDWType TypeConversionInfo::GetDefaultCTypeForSqlType(TDWType in_srcTDWType)
{
    const TypeIdRow* row = FindTypeIdRow(in_srcTDWType);
    if (row == nullptr || row->defaultCType == TDW_SQL_NOTYPE)
    {
        throw InvalidArgumentException(
            SupportError(SupportErrorCode::InvalidArgumentParam),
            {u"in_srcTDWType", u"TypedDataWrapper\\TypeConversionInfo", u"301"});
    }
    return row->defaultCType;
}

int16_t TypeConversionInfo::GetSqlTypeForTDWType(TDWType in_type)
{
    const TypeIdRow* row = FindTypeIdRow(in_type);
    return row != nullptr ? row->odbcCode : 0;
}

orvik_wstring TypeConversionInfo::GetCTypeName(const SqlTypeMetadata& in_metadata)
{
    if (in_metadata.GetTDWType() == TDW_SQL_NOTYPE)
    {
        return in_metadata.GetDriverTypeNumber() != 0 ? in_metadata.GetTypeName() : u"SQL_NOTYPE";
    }
    return GetTypeIdName(in_metadata.GetTDWType());
}

orvik_wstring TypeConversionInfo::GetCTypeName(const SqlCTypeMetadata& in_metadata)
{
    if (in_metadata.GetTDWType() == TDW_C_CUSTOM)
    {
        return SqlCTypeUtilities::Current().GetCTypeName(in_metadata.GetCType());
    }
    return GetTypeIdName(in_metadata.GetTDWType());
}

} // namespace Support
} // namespace Orvik
