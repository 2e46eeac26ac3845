#include "DSI/ValuePairMap.h"

#include "DSI/StatementPropertyKey.h"

#include <sqlext.h>

namespace Orvik {
namespace DSI {

namespace {

struct AttributeRow
{
    int32_t m_attribute;
    int32_t m_key;
};

constexpr AttributeRow ATTRIBUTE_KEYS[] = {
    {SQL_ATTR_MAX_LENGTH, STMT_PROP_MAX_LENGTH},
    {SQL_ATTR_MAX_ROWS, STMT_PROP_MAX_ROWS},
    {SQL_ATTR_QUERY_TIMEOUT, STMT_PROP_QUERY_TIMEOUT},
    {SQL_ATTR_RETRIEVE_DATA, STMT_PROP_RETRIEVE_DATA},
};

struct LimitRow
{
    int32_t m_key;
    int32_t m_maximumKey;
    int32_t m_minimumKey;
};

constexpr LimitRow LIMIT_KEYS[] = {
    {STMT_PROP_MAX_LENGTH, STMT_PROP_MAX_LENGTH_MAX, STMT_PROP_MAX_LENGTH_MIN},
    {STMT_PROP_MAX_ROWS, STMT_PROP_MAX_ROWS_MAX, STMT_PROP_MAX_ROWS_MIN},
    {STMT_PROP_QUERY_TIMEOUT, STMT_PROP_QUERY_TIMEOUT_MAX, STMT_PROP_QUERY_TIMEOUT_MIN},
    {STMT_PROP_ROWSET_SIZE, STMT_PROP_ROWSET_SIZE_MAX, STMT_PROP_ROWSET_SIZE_MIN},
};

constexpr int32_t PROPERTY_KEYS[] = {
    STMT_PROP_MAX_LENGTH,
    STMT_PROP_MAX_ROWS,
    STMT_PROP_QUERY_TIMEOUT,
    STMT_PROP_UNUSED_4,
    STMT_PROP_RETRIEVE_DATA,
    STMT_PROP_ROWSET_SIZE,
    STMT_PROP_MAX_LENGTH_MAX,
    STMT_PROP_MAX_LENGTH_MIN,
    STMT_PROP_MAX_ROWS_MAX,
    STMT_PROP_MAX_ROWS_MIN,
    STMT_PROP_QUERY_TIMEOUT_MAX,
    STMT_PROP_QUERY_TIMEOUT_MIN,
};

} // namespace

ValuePairMap::ValuePairMap()
{
    for (const AttributeRow& row : ATTRIBUTE_KEYS)
    {
        m_attributeKeys.emplace(row.m_attribute, row.m_key);
    }
    for (const LimitRow& row : LIMIT_KEYS)
    {
        m_limitKeys.emplace(row.m_key, LimitKeys(row.m_maximumKey, row.m_minimumKey));
    }
    m_propertyKeys.assign(std::begin(PROPERTY_KEYS), std::end(PROPERTY_KEYS));
}

const ValuePairMap& ValuePairMap::GetInstance()
{
    // Built on first use, which makes it thread-safe and independent of the order of static
    // initialisation; it never changes afterwards.
    static const ValuePairMap s_map;
    return s_map;
}

bool ValuePairMap::FindAttributeKey(int32_t in_attribute, int32_t& out_key) const
{
    const auto found = m_attributeKeys.find(in_attribute);
    if (found == m_attributeKeys.end())
    {
        return false;
    }
    out_key = found->second;
    return true;
}

bool ValuePairMap::FindLimitKeys(int32_t in_key, LimitKeys& out_limitKeys) const
{
    const auto found = m_limitKeys.find(in_key);
    if (found == m_limitKeys.end())
    {
        return false;
    }
    out_limitKeys = found->second;
    return true;
}

} // namespace DSI
} // namespace Orvik
