#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace ODBC {

/// One row of a key map: an ODBC attribute or information type and the data-store property key
/// that holds its value.
struct PropertyKeyRow
{
    int32_t m_odbcId;
    int32_t m_propertyKey;
};

/// Which ODBC attributes and SQLGetInfo information types are properties of a data-store object,
/// and under which keys: an attribute map and an information-type map. Constant; read by any
/// thread without locks.
class PropertyKeyMap
{
public:
    constexpr PropertyKeyMap(const PropertyKeyRow* in_attributes,
                             size_t in_attributeCount,
                             const PropertyKeyRow* in_infoTypes,
                             size_t in_infoTypeCount)
        : m_attributes(in_attributes),
          m_attributeCount(in_attributeCount),
          m_infoTypes(in_infoTypes),
          m_infoTypeCount(in_infoTypeCount)
    {
    }

    /// Whether attribute in_id is mapped; out_key is written only when it is.
    bool FindAttributeKey(int32_t in_id, int32_t& out_key) const;

    /// Whether information type in_id is mapped; out_key is written only when it is.
    bool FindInfoKey(int32_t in_id, int32_t& out_key) const;

private:
    static bool Find(const PropertyKeyRow* in_rows, size_t in_count, int32_t in_id, int32_t& out_key);

    const PropertyKeyRow* m_attributes;
    size_t m_attributeCount;
    const PropertyKeyRow* m_infoTypes;
    size_t m_infoTypeCount;
};

} // namespace ODBC
} // namespace Orvik
