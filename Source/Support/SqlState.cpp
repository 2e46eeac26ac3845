#include "Support/SqlState.h"

#include <cstring>

namespace Orvik {
namespace Support {

bool SqlState::operator==(const SqlState& in_other) const
{
    return std::memcmp(m_text, in_other.m_text, sizeof(m_text)) == 0;
}

} // namespace Support
} // namespace Orvik
