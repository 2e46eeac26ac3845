#pragma once

#include "Support/AttributeData.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The connection attributes the driver knows: the value type of each, whether the connection
/// keeps it itself (otherwise it is a property of the data-store connection) and whether it is
/// read-only; and the names of attributes for log lines. Constant.
class ConnectionAttrTypes
{
public:
    ConnectionAttrTypes() = delete;

    static bool Contains(int32_t in_attribute);

    /// The value type; an attribute outside the table throws ODBCInternalException
    /// "UnknownAttribute".
    static Support::AttributeType GetType(int32_t in_attribute);

    /// SQL_ATTR_ASYNC_ENABLE, SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE and SQL_ATTR_METADATA_ID.
    static bool IsKeptByConnection(int32_t in_attribute);

    /// SQL_ATTR_CONNECTION_DEAD and SQL_ATTR_AUTO_IPD.
    static bool IsReadOnly(int32_t in_attribute);

    /// The attribute's ODBC name, or "Unknown Attribute".
    static const char* GetName(int32_t in_attribute);
};

} // namespace ODBC
} // namespace Orvik
