#pragma once

#include "Support/AttributeData.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The 31 statement attributes the driver knows: the value type of each, where each lives (held
/// by the statement's store, forwarded to the data-store statement, a header field of one of the
/// statement's descriptors, or a descriptor's handle), which are read-only and which may be
/// clamped to the data store's limits; the values the held ones accept; their names for log
/// lines. Constant. Statement attributes may also be set on a connection, which keeps them for the
/// statements it makes later.
class StatementAttrTypes
{
public:
    StatementAttrTypes() = delete;

    static bool Contains(int32_t in_attribute);

    /// The value type; an attribute outside the table throws ODBCInternalException
    /// "UnknownAttribute".
    static Support::AttributeType GetType(int32_t in_attribute);

    static bool IsHeld(int32_t in_attribute);
    static bool IsForwarded(int32_t in_attribute);
    static bool IsReadOnly(int32_t in_attribute);
    static bool IsDescriptorField(int32_t in_attribute);
    static bool IsDescriptorHandle(int32_t in_attribute);
    static bool IsClampAllowed(int32_t in_attribute);

    /// Whether in_attribute accepts in_value: SQL_ATTR_ASYNC_ENABLE 0 and 1, SQL_ATTR_CURSOR_TYPE,
    /// SQL_ATTR_USE_BOOKMARKS and SQL_ATTR_CURSOR_SCROLLABLE only 0, SQL_ATTR_CONCURRENCY and
    /// SQL_ATTR_CURSOR_SENSITIVITY only 1; every other attribute any value.
    static bool IsValueAccepted(int32_t in_attribute, uint64_t in_value);

    /// The attribute's ODBC name, or "Unknown Attribute".
    static const char* GetName(int32_t in_attribute);
};

} // namespace ODBC
} // namespace Orvik
