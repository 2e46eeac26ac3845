#include "Support/ConnectionSetting.h"

namespace Orvik {
namespace Support {

void ConnectionSetting::AddValue(const Variant& in_value)
{
    if (in_value.IsNull() || (IsSingleValue() && !m_values.empty()))
    {
        return;
    }
    m_values.push_back(in_value);
}

} // namespace Support
} // namespace Orvik
