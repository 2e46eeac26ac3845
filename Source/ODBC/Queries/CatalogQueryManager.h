#pragma once

#include "ODBC/Queries/QueryManager.h"

#include <memory>

namespace Orvik {
namespace ODBC {

/// The query manager of a catalog function: it owns the finished catalog result, which is its
/// only result, and has nothing to execute or cancel.
class CatalogQueryManager : public QueryManager
{
public:
    /// Takes in_result over.
    CatalogQueryManager(std::unique_ptr<DSI::IResult> in_result, Statement& io_statement);

    /// Closes the cursor before the result goes.
    ~CatalogQueryManager() override;

    /// Throws ODBCInternalException "NoQueryExecutor".
    ExecutionContext& GetExecutionContext() override;

    DSI::IResult* GetCurrentResult() override { return m_result.get(); }

    void Cancel() override {}

private:
    std::unique_ptr<DSI::IResult> m_result;
};

} // namespace ODBC
} // namespace Orvik
