#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The type id of every value the driver describes, holds or converts. C types and SQL types
/// share one numbering so that a converter can be found by the pair (source id, target id).
///
/// The C-side ids carry the TDW_C_ prefix rather than the ODBC names themselves: the ODBC
/// headers define SQL_C_CHAR and its siblings as macros, which would rewrite enumerators of the
/// same names. The ids of SQL_C_TINYINT, SQL_C_SHORT, SQL_C_LONG and SQL_C_XML are never
/// produced from an ODBC code.
enum TDWType : int32_t
{
    TDW_C_CHAR = 0,
    TDW_C_BIT = 1,
    TDW_C_WCHAR = 2,
    TDW_C_BINARY = 3,
    TDW_C_NUMERIC = 4,
    TDW_C_STINYINT = 5,
    TDW_C_UTINYINT = 6,
    TDW_C_TINYINT = 7,
    TDW_C_SBIGINT = 8,
    TDW_C_UBIGINT = 9,
    TDW_C_SSHORT = 10,
    TDW_C_USHORT = 11,
    TDW_C_SHORT = 12,
    TDW_C_SLONG = 13,
    TDW_C_ULONG = 14,
    TDW_C_LONG = 15,
    TDW_C_FLOAT = 16,
    TDW_C_DOUBLE = 17,
    TDW_C_TYPE_DATE = 18,
    TDW_C_TYPE_TIME = 19,
    TDW_C_TYPE_TIMESTAMP = 20,
    TDW_C_INTERVAL_DAY = 21,
    TDW_C_INTERVAL_DAY_TO_HOUR = 22,
    TDW_C_INTERVAL_DAY_TO_MINUTE = 23,
    TDW_C_INTERVAL_DAY_TO_SECOND = 24,
    TDW_C_INTERVAL_HOUR = 25,
    TDW_C_INTERVAL_HOUR_TO_MINUTE = 26,
    TDW_C_INTERVAL_HOUR_TO_SECOND = 27,
    TDW_C_INTERVAL_MINUTE = 28,
    TDW_C_INTERVAL_MINUTE_TO_SECOND = 29,
    TDW_C_INTERVAL_MONTH = 30,
    TDW_C_INTERVAL_SECOND = 31,
    TDW_C_INTERVAL_YEAR = 32,
    TDW_C_INTERVAL_YEAR_TO_MONTH = 33,
    TDW_C_GUID = 34,
    TDW_C_DEFAULT = 35,
    TDW_C_XML = 36,
    /// A driver-defined C type: an ODBC C type code of 16384 or more. Id 38 is not assigned.
    TDW_C_CUSTOM = 37,

    TDW_SQL_CHAR = 39,
    TDW_SQL_VARCHAR = 40,
    TDW_SQL_LONGVARCHAR = 41,
    TDW_SQL_WCHAR = 42,
    TDW_SQL_WVARCHAR = 43,
    TDW_SQL_WLONGVARCHAR = 44,
    TDW_SQL_BIT = 45,
    TDW_SQL_BINARY = 46,
    TDW_SQL_VARBINARY = 47,
    TDW_SQL_LONGVARBINARY = 48,
    TDW_SQL_NUMERIC = 49,
    TDW_SQL_DECIMAL = 50,
    TDW_SQL_STINYINT = 51,
    TDW_SQL_UTINYINT = 52,
    TDW_SQL_SSMALLINT = 53,
    TDW_SQL_USMALLINT = 54,
    TDW_SQL_SINTEGER = 55,
    TDW_SQL_UINTEGER = 56,
    TDW_SQL_SBIGINT = 57,
    TDW_SQL_UBIGINT = 58,
    TDW_SQL_REAL = 59,
    TDW_SQL_FLOAT = 60,
    TDW_SQL_DOUBLE = 61,
    TDW_SQL_TYPE_DATE = 62,
    TDW_SQL_TYPE_TIME = 63,
    TDW_SQL_TYPE_TIMESTAMP = 64,
    TDW_SQL_INTERVAL_DAY = 65,
    TDW_SQL_INTERVAL_DAY_TO_HOUR = 66,
    TDW_SQL_INTERVAL_DAY_TO_MINUTE = 67,
    TDW_SQL_INTERVAL_DAY_TO_SECOND = 68,
    TDW_SQL_INTERVAL_HOUR = 69,
    TDW_SQL_INTERVAL_HOUR_TO_MINUTE = 70,
    TDW_SQL_INTERVAL_HOUR_TO_SECOND = 71,
    TDW_SQL_INTERVAL_MINUTE = 72,
    TDW_SQL_INTERVAL_MINUTE_TO_SECOND = 73,
    TDW_SQL_INTERVAL_MONTH = 74,
    TDW_SQL_INTERVAL_SECOND = 75,
    TDW_SQL_INTERVAL_YEAR = 76,
    TDW_SQL_INTERVAL_YEAR_TO_MONTH = 77,
    TDW_SQL_GUID = 78,
    /// No type; also marks the absence of a mapping in every table.
    TDW_SQL_NOTYPE = 79
};

/// Number of rows and columns of the square tables indexed by type id (the converter registry).
constexpr int32_t TDW_TYPE_TABLE_SIZE = 79;

/// True for the ids of the SQL types (39 to 78).
constexpr bool IsSqlTypeId(int32_t in_id)
{
    return in_id >= TDW_SQL_CHAR && in_id <= TDW_SQL_GUID;
}

} // namespace Support
} // namespace Orvik
