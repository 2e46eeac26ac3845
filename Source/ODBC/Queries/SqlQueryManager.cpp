#include "ODBC/Queries/SqlQueryManager.h"

#include "DSI/Client/DSIResults.h"
#include "DSI/DSILog.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/Handles/Statement.h"
#include "Support/ErrorException.h"

namespace Orvik {
namespace ODBC {

SqlQueryManager::SqlQueryManager(std::unique_ptr<DSI::IQueryExecutor> in_executor, Statement& io_statement)
    : QueryManager(io_statement), m_executor(std::move(in_executor)), m_context(m_executor.get(), &io_statement)
{
}

SqlQueryManager::~SqlQueryManager()
{
    CloseCursor();
}

DSI::IResult* SqlQueryManager::GetCurrentResult()
{
    return m_executor->GetResults().GetCurrentResult();
}

bool SqlQueryManager::MoveToNextResult()
{
    if (GetCursor() != nullptr)
    {
        CloseCursor();
    }
    return m_executor->GetResults().MoveToNext();
}

uint16_t SqlQueryManager::GetNumParams()
{
    return m_executor->GetNumParams();
}

void SqlQueryManager::Cancel()
{
    // Another thread may be executing: only the executor's own cancel is safe to call now; the
    // executing thread resets the execution context itself.
    try
    {
        m_executor->CancelExecute();
    }
    catch (const Support::ErrorException& e)
    {
        if (DSI::DSILog* log = m_statement.GetLog())
        {
            log->LogErrorException("Orvik::ODBC", "SqlQueryManager", "Cancel", e);
        }
    }
}

} // namespace ODBC
} // namespace Orvik
