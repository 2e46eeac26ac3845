#pragma once

#include "Support/TypedDataWrapper/TDWType.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class SqlCTypeMetadata;
class SqlTypeMetadata;

/// Maps ODBC SQL and C type codes to type ids and back, and gives each SQL type its default C
/// type. Built from constant tables, so it is usable from any thread at any time.
class TypeConversionInfo
{
public:
    /// The type id of an ODBC SQL type code; TDW_SQL_NOTYPE when the code is not mapped.
    static TDWType GetTDWTypeForSqlType(int16_t in_sqlType);

    /// The type id of an ODBC C type code; TDW_SQL_NOTYPE when the code is not mapped.
    static TDWType GetTDWTypeForCType(int16_t in_cType);

    /// True for the mapped SQL codes (only -11 to 113 can pass).
    static bool IsSupportedSqlType(int16_t in_sqlType);

    /// True for the mapped C codes; codes of 16384 and more are the installed C type utilities'
    /// driver-defined types.
    static bool IsSupportedCType(int16_t in_cType);

    /// The default C type id of a SQL type id. Throws InvalidArgumentException for any other id.
    static TDWType GetDefaultCTypeForSqlType(TDWType in_srcTDWType);

    /// The ODBC code of a type id; 0 for the ids without one (the SQL intervals among them).
    static int16_t GetSqlTypeForTDWType(TDWType in_type);

    /// The name of the type a SQL type metadata holds: the ODBC SQL type name; for no type, the
    /// metadata's own type name when it describes a driver-defined type, else "SQL_NOTYPE".
    static orvik_wstring GetCTypeName(const SqlTypeMetadata& in_metadata);

    /// The name of the type a C type metadata holds: "SQL_C_CHAR" to "SQL_C_XML"; for a
    /// driver-defined C type, the installed C type utilities' name of its code.
    static orvik_wstring GetCTypeName(const SqlCTypeMetadata& in_metadata);
};

} // namespace Support
} // namespace Orvik
