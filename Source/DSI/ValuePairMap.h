#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace Orvik {
namespace DSI {

/// The process-wide table that ties ODBC statement attributes to data-store statement properties,
/// and each limited statement property to the properties that hold its maximum and minimum. Built
/// once by static initialisation; read from any thread without a lock.
class ValuePairMap
{
public:
    /// A limited property's (maximum key, minimum key).
    using LimitKeys = std::pair<int32_t, int32_t>;

    static const ValuePairMap& GetInstance();

    /// True, with the statement property key, when in_attribute maps onto one.
    bool FindAttributeKey(int32_t in_attribute, int32_t& out_key) const;

    /// True, with its limit keys, when in_key is a limited statement property.
    bool FindLimitKeys(int32_t in_key, LimitKeys& out_limitKeys) const;

    /// The statement property keys that have a meaning of their own or bound another (the
    /// rowset size's limits aside), in key order.
    const std::vector<int32_t>& GetPropertyKeys() const { return m_propertyKeys; }

private:
    ValuePairMap();

    std::map<int32_t, int32_t> m_attributeKeys;
    std::map<int32_t, LimitKeys> m_limitKeys;
    std::vector<int32_t> m_propertyKeys;
};

} // namespace DSI
} // namespace Orvik
