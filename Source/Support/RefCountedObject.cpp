#include "Support/RefCountedObject.h"

#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace Support {

void RefCountedObject::AddReference()
{
    CriticalSectionLock lock(m_countLock);
    ++m_count;
}

int64_t RefCountedObject::DropReference()
{
    CriticalSectionLock lock(m_countLock);
    return --m_count;
}

} // namespace Support
} // namespace Orvik
