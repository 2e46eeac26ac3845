#pragma once

#include "ODBC/Attributes/AttributesBase.h"

#include <map>
#include <memory>

namespace Orvik {
namespace ODBC {

class ConnectionAttributes;
class Statement;
struct StatementAttrInfo;

/// The attributes of one statement (the table of StatementAttrTypes). Each lives in one place:
/// kept here, a property of the data-store statement, a header field of one of the statement's
/// current descriptors, or the handle of one of them; any other number is a custom property of
/// the data-store statement, or unknown. A value the data store must clamp to its limits is
/// stored clamped with the warning 01S02, and the value it replaced comes back when the cursor
/// closes (RevertToOriginal).
///
/// The store takes its initial values from the connection's attributes and listens to them, so
/// that statement attributes set on the connection reach the statement. The statement's states
/// check a call before it reaches the store.
class StatementAttributes : public AttributesBase
{
public:
    /// The store of io_statement, listening to io_connectionAttributes: the held attributes take
    /// the connection's values where it has any the store accepts (SQL_ATTR_ENABLE_AUTO_IPD
    /// follows the connection's SQL_ATTR_AUTO_IPD), else their initial values; the forwarded ones
    /// set on the connection go to the data-store statement when within its limits.
    StatementAttributes(Statement& io_statement, ConnectionAttributes& io_connectionAttributes);

    /// Stops listening to the connection's attributes.
    ~StatementAttributes() override;

    /// Applies the held attributes but SQL_ATTR_ASYNC_ENABLE, and the forwarded ones.
    void OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length) override;

    /// Writes the value in force: a descriptor field whole (8 bytes), a descriptor's handle
    /// number, else GetAttribute's value.
    void GetAttributeToBuffer(int32_t in_attribute,
                              void* out_value,
                              int32_t in_bufferLength,
                              int32_t* out_stringLength) override;

    /// Sets in_attribute from the application's value. Errors: "SetAsyncEnabNotSupported"
    /// (HYC00), "AutoPopIpdNotSupported" (HYC00), "CannotSetImpDescHandle" (HY017),
    /// "CannotSetReadOnlyAttr" (HY092), "InvalidAttrIdent" (HY092, with the number),
    /// "InvalidAttrVal" (HY024), "ExplAppDescHandleNotFromSameConn" (HY024),
    /// "ImplicitAppDescHandleNotOrig" (HY017), "InvalidDescFieldIdent" (HY091). A cursor type
    /// other than forward-only is dropped with the warning "OptAttrValChangedWarn" (01S02).
    void SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length) override;

    /// The value in force of a held, forwarded or custom attribute, owned by the store or the
    /// data-store statement; "InvalidAttrIdent" (HY092) for any other number.
    Support::AttributeData* GetAttribute(int32_t in_attribute);

    /// GetAttribute's value read as an unsigned pointer-sized integer.
    uint64_t GetValue(int32_t in_attribute);

    /// Gives back the values that clamping replaced since the last call.
    void RevertToOriginal();

    /// Custom properties of the data-store statement, for the 8-bit entry points.
    bool IsCustomAttribute(int32_t in_attribute);
    Support::AttributeType GetCustomAttributeType(int32_t in_attribute);

    /// The value type of in_attribute as the 8-bit entry points convert it: a statement
    /// attribute's or a custom property's; "InvalidAttrIdent" (HY092) for any other number.
    Support::AttributeType GetValueType(int32_t in_attribute);

private:
    void InitializeHeldAttributes();
    void InitializeForwardedAttributes();

    /// Whether the data-store connection's SQL_ATTR_AUTO_IPD reads 1; throws when it cannot be
    /// read.
    bool IsAutoIpdOn();

    void SetDescriptorField(const StatementAttrInfo& in_info, intptr_t in_value);
    void SetAppDescriptor(int32_t in_attribute, intptr_t in_value);

    /// Stores a held attribute's value; false when a refused cursor type was dropped.
    bool StoreHeld(int32_t in_attribute, std::unique_ptr<Support::AttributeData> in_value);

    /// Hands a forwarded attribute's value to the data-store statement, clamped when allowed.
    void StoreForwarded(const StatementAttrInfo& in_info, std::unique_ptr<Support::AttributeData> in_value);

    /// The value type of in_attribute: the table's, else the data-store statement's custom one.
    Support::AttributeType FindType(int32_t in_attribute);

    Statement& m_statement;
    ConnectionAttributes& m_connectionAttributes;
    std::map<int32_t, std::unique_ptr<Support::AttributeData>> m_savedValues;
};

} // namespace ODBC
} // namespace Orvik
