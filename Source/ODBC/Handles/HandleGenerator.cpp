#include "ODBC/Handles/HandleGenerator.h"

#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

HandleGenerator::HandleGenerator(HandleValue in_firstValue) : m_counter(in_firstValue)
{
}

HandleValue HandleGenerator::NextHandle()
{
    CriticalSectionLock lock(m_lock);
    if (!m_released.empty())
    {
        const HandleValue handle = m_released.front();
        m_released.pop_front();
        return handle;
    }
    if (m_counter == 0)
    {
        throw ErrorException(DIAG_HANDLE_LIMIT_EXCEEDED, ODBC_COMPONENT_ID, u"TooManyHandles", -1, -1);
    }
    return m_counter++;
}

void HandleGenerator::ReleaseHandle(HandleValue in_handle)
{
    CriticalSectionLock lock(m_lock);
    m_released.push_back(in_handle);
}

} // namespace ODBC
} // namespace Orvik
