#pragma once

#include "Support/TypedDataWrapper/TDWType.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// Questions about ODBC SQL type codes: categories, names and default sizes. Stateless; the
/// installed instance is a process-wide singleton (TypedDataSingleton).
class SqlTypeUtilities
{
public:
    SqlTypeUtilities() = default;
    virtual ~SqlTypeUtilities() = default;

    SqlTypeUtilities(const SqlTypeUtilities&) = delete;
    SqlTypeUtilities& operator=(const SqlTypeUtilities&) = delete;

    /// The installed instance, or a default instance while none is installed.
    static const SqlTypeUtilities& Current();

    /// IsCharacterType or IsWideCharacterType.
    virtual bool IsAnyCharacterType(int16_t in_sqlType) const;

    /// SQL_FLOAT, SQL_REAL, SQL_DOUBLE.
    virtual bool IsApproximateNumericType(int16_t in_sqlType) const;

    /// SQL_LONGVARBINARY, SQL_VARBINARY, SQL_BINARY.
    virtual bool IsBinaryType(int16_t in_sqlType) const;

    /// SQL_LONGVARCHAR, SQL_CHAR, SQL_VARCHAR.
    virtual bool IsCharacterType(int16_t in_sqlType) const;

    /// IsBinaryType, IsCharacterType or IsWideCharacterType.
    virtual bool IsCharacterOrBinaryType(int16_t in_sqlType) const;

    /// Both date codes, or IsTimeOrTimestampType.
    virtual bool IsDatetimeType(int16_t in_sqlType) const;

    /// SQL_NUMERIC, SQL_DECIMAL.
    virtual bool IsExactNumericType(int16_t in_sqlType) const;

    /// SQL_TINYINT, SQL_BIGINT, SQL_INTEGER, SQL_SMALLINT.
    virtual bool IsIntegerType(int16_t in_sqlType) const;

    /// The thirteen interval codes, 101 to 113.
    virtual bool IsIntervalType(int16_t in_sqlType) const;

    /// SQL_WLONGVARCHAR, SQL_LONGVARBINARY, SQL_LONGVARCHAR.
    virtual bool IsLongDataType(int16_t in_sqlType) const;

    /// Approximate, exact or integer.
    virtual bool IsNumericType(int16_t in_sqlType) const;

    /// The time and timestamp codes in both spellings.
    virtual bool IsTimeOrTimestampType(int16_t in_sqlType) const;

    /// SQL_WLONGVARCHAR, SQL_WVARCHAR, SQL_WCHAR.
    virtual bool IsWideCharacterType(int16_t in_sqlType) const;

    /// The default column size of the type; only SQL_BIGINT depends on in_isUnsigned. 0 for the
    /// types without one.
    virtual int32_t GetDefaultColumnSize(int16_t in_sqlType, bool in_isUnsigned) const;

    /// The ODBC name of the code ("SQL_CHAR", "SQL_DATE", "SQL_TYPE_DATE", ...); "UNKNOWN" for a
    /// code that is not a SQL type.
    virtual orvik_wstring GetSqlTypeName(int16_t in_sqlType) const;

    /// The enumerator name of a SQL type id; "TDW_SQL_NOTYPE" for every other id.
    virtual orvik_wstring GetTDWTypeName(TDWType in_type) const;

    /// The ODBC datetime or interval subcode (SQL_DESC_DATETIME_INTERVAL_CODE); 0 for the others.
    static int16_t GetDatetimeIntervalCode(int16_t in_sqlType);

    /// The verbose type (SQL_DESC_TYPE): SQL_DATETIME, SQL_INTERVAL or the code itself.
    static int16_t GetVerboseType(int16_t in_sqlType);

    /// The OLE DB type indicator reported for the type; 0 for an unknown code.
    static int32_t GetOleDbTypeIndicator(int16_t in_sqlType, bool in_isSigned);
};

} // namespace Support
} // namespace Orvik
