#include "Support/CriticalSectionLock.h"

#include "Support/CriticalSection.h"

namespace Orvik {
namespace Support {

CriticalSectionLock::CriticalSectionLock(CriticalSection& io_section) : m_section(&io_section)
{
    m_section->Enter();
}

CriticalSectionLock::~CriticalSectionLock()
{
    m_section->Leave();
}

} // namespace Support
} // namespace Orvik
