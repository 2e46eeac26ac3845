#include "ODBC/Handles/ODBCHandle.h"

#include "ODBC/Tasks/ODBCTask.h"

namespace Orvik {
namespace ODBC {

ODBCHandle::ODBCHandle() = default;

ODBCHandle::~ODBCHandle() = default;

void ODBCHandle::FinishPendingTask()
{
    if (m_pendingTask != nullptr)
    {
        m_pendingTask->WaitUntilDone();
        SetPendingTask(nullptr);
    }
}

void ODBCHandle::SetPendingTask(std::unique_ptr<ODBCTask> in_task)
{
    m_pendingTask = std::move(in_task);
    m_hasPendingTask.store(m_pendingTask != nullptr);
}

bool ODBCHandle::HasRunningTask()
{
    return m_pendingTask != nullptr && !m_pendingTask->IsDone();
}

bool ODBCHandle::IsBusy()
{
    return m_callsRunning > 0 || (m_slot != nullptr && m_slot->IsEntered()) || HasRunningTask();
}

HandleEntry ODBCHandle::Enter()
{
    if (m_slot == nullptr)
    {
        return HandleEntry();
    }
    void* object = m_slot->Enter();
    return object == nullptr ? HandleEntry() : HandleEntry(*m_slot, object);
}

} // namespace ODBC
} // namespace Orvik
