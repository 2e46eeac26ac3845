#include "Support/EnvironmentCounter.h"

#include "Support/CriticalSectionLock.h"
#include "Support/OrvikCredentialFactory.h"

namespace Orvik {
namespace Support {

void EnvironmentCounter::Increment()
{
    CriticalSectionLock lock(m_lock);
    ++m_count;
}

void EnvironmentCounter::Decrement()
{
    CriticalSectionLock lock(m_lock);
    --m_count;
}

int32_t EnvironmentCounter::GetCount()
{
    CriticalSectionLock lock(m_lock);
    return m_count;
}

ICredentialFactory* EnvironmentCounter::CreateCredentialFactory() const
{
    return new OrvikCredentialFactory();
}

} // namespace Support
} // namespace Orvik
