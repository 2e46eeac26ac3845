#pragma once

#include "ODBC/Attributes/AttributesBase.h"

namespace Orvik {
namespace ODBC {

class Environment;

/// The attributes of one environment. SQL_ATTR_ODBC_VERSION and SQL_ATTR_OUTPUT_NTS live in the
/// data-store environment; SQL_ATTR_CONNECTION_POOLING, SQL_ATTR_CP_MATCH and the read-only
/// SQL_ATTR_DRIVER_UNICODE_TYPE in the store. Every attribute but the version is refused
/// ("FuncSeqErr", HY010) until the application has set the version.
class EnvironmentAttributes : public AttributesBase
{
public:
    /// The store of in_environment, whose diagnostics it warns.
    explicit EnvironmentAttributes(Environment& in_environment);

    /// The same as SetAttribute.
    void OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length) override;

    /// Throws "FuncSeqErr" (HY010) before the version is set, NoDataException "AttrValNotFound"
    /// for an attribute that nobody holds.
    void GetAttributeToBuffer(int32_t in_attribute,
                              void* out_value,
                              int32_t in_bufferLength,
                              int32_t* out_stringLength) override;

    /// Throws "FuncSeqErr" (HY010) before the version is set, ODBCInternalException
    /// "CannotFindAttrType" for an attribute that cannot be set, "InvalidAttrVal" (HY024) for a
    /// version other than 2, 3 and 380 (nothing stored then), and what the data-store
    /// environment refuses.
    void SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length) override;

    /// A copy of the attribute's value; the errors of GetAttributeToBuffer.
    std::unique_ptr<Support::AttributeData> GetAttribute(int32_t in_attribute);

    /// The attribute's name for log lines, "Unknown Attribute" for an id without one.
    static const char* GetAttributeName(int32_t in_attribute);

private:
    /// The value of in_attribute, wherever it lives; called under the store's lock.
    const Support::AttributeData& GetAttributeData(int32_t in_attribute);

    void RequireVersion(int32_t in_attribute) const;

    Environment& m_environment;
    bool m_isVersionSet = false;
};

} // namespace ODBC
} // namespace Orvik
