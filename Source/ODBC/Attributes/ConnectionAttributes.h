#pragma once

#include "ODBC/Attributes/AttributesBase.h"

namespace Orvik {
namespace ODBC {

class Connection;

/// The attributes of one connection (the table of ConnectionAttrTypes): the connection keeps
/// SQL_ATTR_ASYNC_ENABLE, SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE and SQL_ATTR_METADATA_ID itself, the
/// others are properties of the data-store connection. Statement attributes set on the connection
/// are kept here for the statements made later; any other number is a custom property of the
/// data-store connection, or unknown. The connection states check a call before it reaches the
/// store.
class ConnectionAttributes : public AttributesBase
{
public:
    /// The store of io_connection, which warns on the connection's diagnostics.
    explicit ConnectionAttributes(Connection& io_connection);

    /// The same as SetAttribute.
    void OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length) override;

    /// Writes GetAttribute's value into the application's buffer.
    void GetAttributeToBuffer(int32_t in_attribute,
                              void* out_value,
                              int32_t in_bufferLength,
                              int32_t* out_stringLength) override;

    /// Sets in_attribute to the application's value. Throws "SetAsyncEnabNotSupported" (HYC00)
    /// for turning on asynchronous calls the driver cannot make, "CannotSetReadOnlyAttr" (HY092),
    /// "InvalidAttrIdent" (HY092, with the number) for an unknown attribute, "InvalidAttrVal"
    /// (HY024) for a statement attribute's refused value; a refused cursor type is dropped with
    /// the warning "OptAttrValChangedWarn" (01S02).
    void SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length) override;

    /// The value in force, owned by the store or the data-store connection. Throws
    /// NoDataException "AttrValNotFound" for a kept attribute without a value and "InvalidAttrIdent"
    /// for SQL_ATTR_ANSI_APP (write-only), a statement attribute never set and unknown numbers.
    Support::AttributeData* GetAttribute(int32_t in_attribute);

    /// The value a statement made now takes over for in_attribute, or null: statement attributes
    /// that the statement store holds, and the attributes the connection keeps. Throws
    /// "InvalidAttrIdent" for an attribute of neither table.
    Support::AttributeData* GetInheritedStatementAttribute(int32_t in_attribute);

    /// The value set on the connection for statement attribute in_attribute, or null: a
    /// statement made now gives it to its data-store statement when it is forwarded there.
    Support::AttributeData* GetStatementAttributeValue(int32_t in_attribute);

    /// Whether in_attribute, a connection attribute, has a value of the connection's own or is a
    /// custom property of the data-store connection.
    bool HasConnectionLevelValue(int32_t in_attribute);

    /// Custom properties of the data-store connection, for the 8-bit entry points.
    bool IsCustomAttribute(int32_t in_attribute);
    Support::AttributeType GetCustomAttributeType(int32_t in_attribute);

    /// The value type of in_attribute as the 8-bit entry points convert it: a connection
    /// attribute's, a statement attribute's (the connection keeps those for its statements) or a
    /// custom property's; "InvalidAttrIdent" (HY092) for any other number.
    Support::AttributeType GetValueType(int32_t in_attribute);

private:
    /// The value type of in_attribute; out_isStatementAttribute tells which table gave it.
    Support::AttributeType FindType(int32_t in_attribute, bool& out_isStatementAttribute);

    /// Refuses turning on asynchronous calls that the driver's information values do not allow.
    void CheckAsynchronousCalls(int32_t in_attribute, intptr_t in_value);

    /// Stores in_value (the application's in_applicationValue) where in_attribute lives; false
    /// when a refused cursor type was dropped.
    bool Store(int32_t in_attribute,
               bool in_isStatementAttribute,
               intptr_t in_applicationValue,
               std::unique_ptr<Support::AttributeData> in_value);

    Connection& m_connection;
};

} // namespace ODBC
} // namespace Orvik
