#include "ODBC/Tasks/ODBCTask.h"

#include "DSI/DSILog.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/SqlState.h"

#include <new>

namespace Orvik {
namespace ODBC {

using namespace Support;

ODBCTask::ODBCTask(DiagManager& io_ownerDiagnostics, const char* in_className)
    : m_ownerDiagnostics(io_ownerDiagnostics), m_className(in_className)
{
}

ODBCTask::~ODBCTask() = default;

void ODBCTask::Run()
{
    SQLRETURN result = SQL_ERROR;
    try
    {
        result = Call();
    }
    catch (const ErrorException& e)
    {
        HandleRunException(e);
    }
    catch (const std::bad_alloc&)
    {
        HandleRunError(DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr");
    }
    catch (...)
    {
        HandleRunError(DIAG_GENERAL_ERROR, u"GenErr");
    }
    SetResult(result);
}

SQLRETURN ODBCTask::GetResult()
{
    CriticalSectionLock lock(m_lock);
    return m_result;
}

bool ODBCTask::IsDone()
{
    CriticalSectionLock lock(m_lock);
    return m_isDone;
}

void ODBCTask::SetResult(SQLRETURN in_result)
{
    CriticalSectionLock lock(m_lock);
    m_result = in_result;
    m_isDone = true;
    m_lock.WakeAll();
}

void ODBCTask::WaitUntilDone()
{
    CriticalSectionLock lock(m_lock);
    while (!m_isDone)
    {
        m_lock.Sleep();
    }
}

bool ODBCTask::HasOutputs(SQLRETURN in_result)
{
    return in_result == SQL_SUCCESS || in_result == SQL_SUCCESS_WITH_INFO || in_result == SQL_NEED_DATA;
}

SQLRETURN ODBCTask::PostTruncation(SQLRETURN in_result)
{
    // A text the call already cut into the task's buffer is one truncation, reported once.
    if (!m_ownerDiagnostics.HasRecordWithState(SqlState("01004")))
    {
        m_ownerDiagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"StrRightTruncWarn", -1,
                                       -1);
    }
    return in_result == SQL_SUCCESS ? SQL_SUCCESS_WITH_INFO : in_result;
}

void ODBCTask::HandleRunException(const ErrorException& in_exception)
{
    try
    {
        if (DSI::DSILog* log = Driver::GetDriver().GetLog())
        {
            log->LogErrorException("", m_className, "Run", in_exception);
        }
        m_ownerDiagnostics.Clear();
        m_ownerDiagnostics.PostError(in_exception);
    }
    catch (...)
    {
        // The result is SQL_ERROR all the same.
    }
}

void ODBCTask::HandleRunError(DiagState in_state, const orvik_wstring& in_messageKey)
{
    try
    {
        HandleRunException(ErrorException(in_state, ODBC_COMPONENT_ID, in_messageKey, -1, -1));
    }
    catch (...)
    {
        // Making the exception failed: nothing can be posted, the result is SQL_ERROR.
    }
}

} // namespace ODBC
} // namespace Orvik
