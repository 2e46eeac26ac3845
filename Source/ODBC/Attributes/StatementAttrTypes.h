#pragma once

#include "Support/AttributeData.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// Where a statement attribute's value lives.
enum class StatementAttrHome : int32_t
{
    HELD,             ///< in the statement's attribute store
    FORWARDED,        ///< a property of the data-store statement
    DESCRIPTOR_FIELD, ///< a header field of one of the statement's descriptors
    DESCRIPTOR_HANDLE ///< the handle of one of the statement's descriptors
};

/// Which of the statement's four current descriptors an attribute reaches.
enum class StatementDescriptor : int32_t
{
    NONE,
    ARD, ///< the current application row descriptor
    APD, ///< the current application parameter descriptor
    IRD,
    IPD
};

/// One statement attribute: its number, its ODBC name, its value type, where it lives (with the
/// data-store property or descriptor field it is), the range of values the store accepts for an
/// attribute it holds, its initial value there, and two flags.
struct StatementAttrInfo
{
    int32_t m_attribute;
    const char* m_name;
    Support::AttributeType m_type;
    StatementAttrHome m_home;
    int32_t m_propertyKey;                 ///< FORWARDED: the data-store statement property
    StatementDescriptor m_descriptor;      ///< DESCRIPTOR_FIELD and DESCRIPTOR_HANDLE
    int16_t m_field;                       ///< DESCRIPTOR_FIELD: the header field
    uint64_t m_initialValue;               ///< HELD: when the connection gives none
    uint64_t m_minimumValue;               ///< HELD: the values the store accepts
    uint64_t m_maximumValue;
    bool m_isReadOnly;
    bool m_isClampAllowed;                 ///< an out-of-limits value may be replaced by a bound
};

/// The 31 statement attributes the driver knows, a constant table ordered by attribute number
/// and searched by bisection; any thread reads it without locks.
class StatementAttrTypes
{
public:
    StatementAttrTypes() = delete;

    /// The row of in_attribute, or null when the table has none.
    static const StatementAttrInfo* Find(int32_t in_attribute);

    static bool Contains(int32_t in_attribute) { return Find(in_attribute) != nullptr; }

    /// The value type; a number outside the table throws ODBCInternalException "UnknownAttribute".
    static Support::AttributeType GetType(int32_t in_attribute);

    static bool IsHeld(int32_t in_attribute);
    static bool IsForwarded(int32_t in_attribute);
    static bool IsReadOnly(int32_t in_attribute);
    static bool IsDescriptorField(int32_t in_attribute);
    static bool IsDescriptorHandle(int32_t in_attribute);
    static bool IsClampAllowed(int32_t in_attribute);

    /// Whether the store accepts in_value for in_attribute: the value rule of the held attributes
    /// (every other attribute accepts any value). The connection applies it to statement
    /// attributes set on it.
    static bool IsValueAccepted(int32_t in_attribute, uint64_t in_value);

    /// The attribute's ODBC name for log lines, "Unknown Attribute" outside the table.
    static const char* GetName(int32_t in_attribute);

    /// Every row, in attribute order.
    static const StatementAttrInfo* Begin();
    static const StatementAttrInfo* End();
};

} // namespace ODBC
} // namespace Orvik
