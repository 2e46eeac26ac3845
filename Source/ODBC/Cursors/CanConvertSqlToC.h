#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// Whether values of ODBC SQL type in_sqlType can be delivered as C type in_cType. SQL_C_DEFAULT
/// and SQL type codes outside the type tables always pass; driver-defined C types are asked of
/// the converter registry's custom hook; any other pair passes when the registry's SQL-to-C table
/// has a converter for it. A SQL or C type code inside the tables without a type id throws
/// SupportException "TDWTypeNotFoundForSqlType" or "TDWTypeNotFoundForCType" with the type's
/// name and code.
bool CanConvertSqlToC(int16_t in_sqlType, int16_t in_cType);

} // namespace ODBC
} // namespace Orvik
