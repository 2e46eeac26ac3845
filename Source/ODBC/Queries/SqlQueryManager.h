#pragma once

#include "ODBC/Parameters/ExecutionContext.h"
#include "ODBC/Queries/QueryManager.h"

#include <memory>

namespace Orvik {

namespace DSI {
class IQueryExecutor;
} // namespace DSI

namespace ODBC {

/// The query manager of SQL text prepared by the data engine: it owns the executor, walks the
/// results of its executions and executes through its execution context.
class SqlQueryManager : public QueryManager
{
public:
    /// Takes in_executor over; a missing one throws ODBCInternalException "InvalidExecResults".
    SqlQueryManager(std::unique_ptr<DSI::IQueryExecutor> in_executor, Statement& io_statement);

    /// Closes the cursor before the executor and its results go.
    ~SqlQueryManager() override;

    ExecutionContext& GetExecutionContext() override { return m_context; }

    /// The executor's current result.
    DSI::IResult* GetCurrentResult() override;

    bool MoveToNextResult() override;
    uint16_t GetNumParams() override;

    /// Asks the executor to cancel; a failure is logged.
    void Cancel() override;

    DSI::IQueryExecutor& GetExecutor() { return *m_executor; }

private:
    std::unique_ptr<DSI::IQueryExecutor> m_executor;
    ExecutionContext m_context;
};

} // namespace ODBC
} // namespace Orvik
