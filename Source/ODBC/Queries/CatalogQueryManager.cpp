#include "ODBC/Queries/CatalogQueryManager.h"

#include "DSI/Client/IResult.h"
#include "ODBC/Exceptions/ODBCInternalException.h"

namespace Orvik {
namespace ODBC {

CatalogQueryManager::CatalogQueryManager(std::unique_ptr<DSI::IResult> in_result, Statement& io_statement)
    : QueryManager(io_statement), m_result(std::move(in_result))
{
}

CatalogQueryManager::~CatalogQueryManager()
{
    CloseCursor();
}

ExecutionContext& CatalogQueryManager::GetExecutionContext()
{
    throw ODBCInternalException(u"NoQueryExecutor");
}

} // namespace ODBC
} // namespace Orvik
