#include "ODBC/Handles/ODBCHandle.h"

#include "ODBC/Tasks/ODBCTask.h"
#include "Support/CriticalSectionLock.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

ODBCHandle::ODBCHandle() = default;

ODBCHandle::~ODBCHandle() = default;

void ODBCHandle::FinishPendingTask()
{
    if (m_pendingTask != nullptr)
    {
        m_pendingTask->WaitUntilDone();
        m_pendingTask.reset();
    }
}

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

void ODBCHandle::SetPendingTask(std::unique_ptr<ODBCTask> in_task)
{
    m_pendingTask = std::move(in_task);
}

bool ODBCHandle::HasRunningTask()
{
    return m_pendingTask != nullptr && !m_pendingTask->IsDone();
}

} // namespace ODBC
} // namespace Orvik
