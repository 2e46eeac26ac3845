#include "ODBC/States/StatementStateAllocated.h"

#include "ODBC/Handles/Statement.h"
#include "ODBC/Queries/QueryManager.h"
#include "ODBC/States/StatementState5.h"

namespace Orvik {
namespace ODBC {

StatementStateAllocated::StatementStateAllocated(Statement& io_statement) : StatementState(io_statement)
{
    io_statement.SetPrepared(false);
    io_statement.SetQueryManager(nullptr);
}

StatementStateResult StatementStateAllocated::DoEndTransaction(SQLSMALLINT, bool)
{
    return {nullptr, SQL_SUCCESS};
}

StatementStateResult StatementStateAllocated::DoExecuteCatalogFunction(int32_t in_functionId,
                                                                       const std::vector<Support::Variant>& in_arguments)
{
    RunCatalogFunction(in_functionId, in_arguments);
    return {std::make_unique<StatementState5>(m_statement), SQL_SUCCESS};
}

StatementStateResult StatementStateAllocated::DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    const SQLRETURN result = PrepareAndExecute(in_statementText, in_textLength);
    return {NextStateAfterDirectExecution(result), result};
}

void StatementStateAllocated::DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                                SQLPOINTER out_value,
                                                SQLINTEGER in_bufferLength,
                                                SQLINTEGER* out_stringLength)
{
    RefuseRowNumber(in_attribute);
    StatementState::DoSQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
}

} // namespace ODBC
} // namespace Orvik
