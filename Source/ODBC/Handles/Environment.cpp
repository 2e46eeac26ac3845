#include "ODBC/Handles/Environment.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/States/EnvironmentState.h"
#include "ODBC/States/EnvironmentState1Allocated.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

#include <algorithm>
#include <new>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";
const char* const LOG_CLASS = "Environment";

} // namespace

Environment::Environment(Driver& in_driver, std::unique_ptr<DSI::DSIEnvironment> in_dsiEnvironment)
    : m_driver(in_driver),
      m_dsiEnvironment(std::move(in_dsiEnvironment)),
      m_log(m_dsiEnvironment->GetLog()),
      m_messageSource(m_dsiEnvironment->GetMessageSource()),
      m_diagnostics(std::make_unique<DiagManager>(m_messageSource.Get(), orvik_wstring(u""), orvik_wstring(u"")))
{
    m_state = std::make_unique<EnvironmentState1Allocated>(*this);
    m_attributes = std::make_unique<EnvironmentAttributes>(*this);
}

Environment::~Environment()
{
    m_connections.clear();
    m_state.reset();
    m_attributes.reset();
    m_dsiEnvironment.reset();
}

SQLRETURN Environment::SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE in_inputHandle, SQLHANDLE* out_handle)
{
    LogEntrance("SQLAllocHandle");
    m_diagnostics->Clear();
    CriticalSectionLock lock(m_lock);
    try
    {
        EnvironmentStateResult result = m_state->SQLAllocHandle(in_handleType, in_inputHandle, out_handle);
        if (result.m_nextState)
        {
            m_state = std::move(result.m_nextState);
        }
        return WithWarnings(result.m_result);
    }
    catch (...)
    {
        return PostFailure("SQLAllocHandle");
    }
}

SQLRETURN Environment::SQLEndTran(SQLSMALLINT in_completionType)
{
    LogEntrance("SQLEndTran");
    m_diagnostics->Clear();
    CriticalSectionLock lock(m_lock);
    try
    {
        EnvironmentStateResult result = m_state->SQLEndTran(in_completionType);
        if (result.m_nextState)
        {
            m_state = std::move(result.m_nextState);
        }
        return WithWarnings(result.m_result);
    }
    catch (...)
    {
        return PostFailure("SQLEndTran");
    }
}

SQLRETURN Environment::SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    LogEntrance("SQLFreeHandle");
    m_diagnostics->Clear();
    CriticalSectionLock lock(m_lock);
    try
    {
        std::unique_ptr<EnvironmentState> next = m_state->SQLFreeHandle(in_handleType, in_handle);
        if (next)
        {
            m_state = std::move(next);
        }
        return SQL_SUCCESS;
    }
    catch (...)
    {
        return PostFailure("SQLFreeHandle");
    }
}

SQLRETURN Environment::SQLGetEnvAttr(SQLINTEGER in_attribute,
                                     SQLPOINTER out_value,
                                     SQLINTEGER in_bufferLength,
                                     SQLINTEGER* out_stringLength)
{
    LogEntrance("SQLGetEnvAttr");
    m_diagnostics->Clear();
    CriticalSectionLock lock(m_lock);
    try
    {
        LogAttribute("SQLGetEnvAttr", in_attribute);
        m_state->SQLGetEnvAttr(in_attribute, out_value, in_bufferLength, out_stringLength);
        return WithWarnings(SQL_SUCCESS);
    }
    catch (const NoDataException&)
    {
        return SQL_NO_DATA;
    }
    catch (...)
    {
        return PostFailure("SQLGetEnvAttr");
    }
}

SQLRETURN Environment::SQLSetEnvAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    LogEntrance("SQLSetEnvAttr");
    m_diagnostics->Clear();
    CriticalSectionLock lock(m_lock);
    try
    {
        LogAttribute("SQLSetEnvAttr", in_attribute);
        m_state->SQLSetEnvAttr(in_attribute, in_value, in_stringLength);
        return WithWarnings(SQL_SUCCESS);
    }
    catch (...)
    {
        return PostFailure("SQLSetEnvAttr");
    }
}

void Environment::AddConnection(std::unique_ptr<Connection> in_connection)
{
    CriticalSectionLock lock(m_lock);
    m_connections.push_back(std::move(in_connection));
}

bool Environment::RemoveConnection(Connection* in_connection)
{
    std::unique_ptr<Connection> removed;
    {
        CriticalSectionLock lock(m_lock);
        const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                        [in_connection](const std::unique_ptr<Connection>& in_entry) {
                                            return in_entry.get() == in_connection;
                                        });
        if (found == m_connections.end())
        {
            return false;
        }
        removed = std::move(*found);
        m_connections.erase(found);
    }
    return true;
}

size_t Environment::GetConnectionCount()
{
    CriticalSectionLock lock(m_lock);
    return m_connections.size();
}

bool Environment::HasBusyConnections()
{
    CriticalSectionLock lock(m_lock);
    return std::any_of(m_connections.begin(), m_connections.end(), [](const std::unique_ptr<Connection>& in_connection) {
        return in_connection->IsBusy() || in_connection->HasBusyStatements();
    });
}

SQLRETURN Environment::CommitTransactions()
{
    return EndTransactions(SQL_COMMIT);
}

SQLRETURN Environment::RollbackTransactions()
{
    return EndTransactions(SQL_ROLLBACK);
}

void Environment::RegisterTransaction(Connection& in_connection)
{
    const AttributeData* multiple = in_connection.GetInfoProperty(SQL_MULTIPLE_ACTIVE_TXN);
    const bool allowsMany = multiple != nullptr && multiple->GetAttributeType() == ATTR_WSTRING &&
                            *multiple->GetWStringValue() == orvik_wstring(u"Y");
    const bool supportsTransactions = in_connection.SupportsTransactions();
    CriticalSectionLock lock(m_transactionCountLock);
    if (m_transactionCount > 0 && !allowsMany)
    {
        throw ODBCInternalException(u"MultipleTransNotSupported");
    }
    if (!supportsTransactions)
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"TransNotSupported", -1, -1);
    }
    ++m_transactionCount;
}

void Environment::UnregisterTransaction()
{
    CriticalSectionLock lock(m_transactionCountLock);
    if (m_transactionCount > 0)
    {
        --m_transactionCount;
    }
}

// A warning does not stop the loop: the connections after it would otherwise keep transactions
// that the application was told had ended.
SQLRETURN Environment::EndTransactions(SQLSMALLINT in_completionType)
{
    CriticalSectionLock lock(m_lock);
    SQLRETURN result = SQL_SUCCESS;
    for (const std::unique_ptr<Connection>& connection : m_connections)
    {
        if (!connection->IsInTransaction())
        {
            continue;
        }
        const SQLRETURN ended = connection->SQLEndTran(SQL_HANDLE_ENV, in_completionType);
        if (ended == SQL_ERROR)
        {
            return SQL_ERROR;
        }
        if (ended != SQL_SUCCESS)
        {
            result = ended;
        }
    }
    return result;
}

SQLRETURN Environment::PostFailure(const char* in_method)
{
    try
    {
        try
        {
            throw;
        }
        catch (const ErrorException& e)
        {
            m_diagnostics->PostError(e);
            if (m_log != nullptr)
            {
                m_log->LogErrorException(LOG_NAMESPACE, LOG_CLASS, in_method, e);
            }
        }
        catch (const std::bad_alloc&)
        {
            m_diagnostics->PostError(DIAG_MEMORY_ALLOCATION_ERROR, ODBC_COMPONENT_ID, u"MemAllocErr", -1, -1);
        }
        catch (...)
        {
            m_diagnostics->PostError(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
        }
    }
    catch (...)
    {
        // Posting never fails the call a second time.
    }
    return SQL_ERROR;
}

SQLRETURN Environment::WithWarnings(SQLRETURN in_result)
{
    return in_result == SQL_SUCCESS && m_diagnostics->HasWarning() ? SQL_SUCCESS_WITH_INFO : in_result;
}

void Environment::LogEntrance(const char* in_method)
{
    if (m_log != nullptr)
    {
        m_log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, in_method);
    }
}

void Environment::LogAttribute(const char* in_method, SQLINTEGER in_attribute)
{
    if (m_log != nullptr)
    {
        m_log->LogInfo(LOG_NAMESPACE, LOG_CLASS, in_method, "Attribute: %s (%d)",
                       EnvironmentAttributes::GetAttributeName(in_attribute), static_cast<int>(in_attribute));
    }
}

} // namespace ODBC
} // namespace Orvik
