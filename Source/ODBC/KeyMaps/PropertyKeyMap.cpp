#include "ODBC/KeyMaps/PropertyKeyMap.h"

namespace Orvik {
namespace ODBC {

bool PropertyKeyMap::FindAttributeKey(int32_t in_id, int32_t& out_key) const
{
    return Find(m_attributes, m_attributeCount, in_id, out_key);
}

bool PropertyKeyMap::FindInfoKey(int32_t in_id, int32_t& out_key) const
{
    return Find(m_infoTypes, m_infoTypeCount, in_id, out_key);
}

// The maps are short and kept in the order the data-store keys are numbered, so a lookup walks.
bool PropertyKeyMap::Find(const PropertyKeyRow* in_rows, size_t in_count, int32_t in_id, int32_t& out_key)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        if (in_rows[i].m_odbcId == in_id)
        {
            out_key = in_rows[i].m_propertyKey;
            return true;
        }
    }
    return false;
}

} // namespace ODBC
} // namespace Orvik
