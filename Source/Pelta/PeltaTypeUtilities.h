#pragma once

#include <cstdint>
#include <string>

namespace Pelta {

/// The server's column type ids: what SQL type and type name the driver reports for each, and
/// which id an information_schema data_type text stands for.
class PeltaTypeUtilities
{
public:
    PeltaTypeUtilities() = delete;

    /// The id the server gives array columns; their entry in "col_types" is [100, element id].
    static constexpr uint32_t ARRAY_TYPE_ID = 100;
    /// The id of a type the driver cannot read.
    static constexpr uint32_t UNSUPPORTED_TYPE_ID = 1;

    /// The ODBC SQL type code reported for in_typeId: a timestamp is SQL_TYPE_TIMESTAMP (93)
    /// for an ODBC 3 application and SQL_TIMESTAMP (11) otherwise; 0 for an unsupported or
    /// unknown id.
    static int16_t GetSqlType(uint32_t in_typeId, bool in_isODBC3);

    /// The type name reported for in_typeId; "type not supported" for id 1, "unknown type" for
    /// an id the server does not define.
    static std::string GetTypeName(uint32_t in_typeId);

    /// The id of a data_type text, compared whole and with case: a listed name gives its id,
    /// any other text containing "array" gives 100, "set" 101, anything else 1.
    static uint32_t GetTypeIdFromName(const std::string& in_name);
};

} // namespace Pelta
