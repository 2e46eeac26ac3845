#include "ODBC/Handles/ODBCHandle.h"

#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

void ODBCHandle::SetAsyncEnabled(bool in_isEnabled)
{
    CriticalSectionLock lock(m_dispatchLock);
    m_isAsyncEnabled = in_isEnabled;
}

bool ODBCHandle::IsAsyncEnabled()
{
    CriticalSectionLock lock(m_dispatchLock);
    return m_isAsyncEnabled;
}

} // namespace ODBC
} // namespace Orvik
