#include "ODBC/States/StatementState4.h"

#include "ODBC/Handles/Statement.h"
#include "ODBC/States/StatementState1.h"
#include "ODBC/States/StatementState8.h"
#include "Support/ErrorException.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

StatementStateResult StatementState4::DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    SQLRETURN result = SQL_ERROR;
    try
    {
        result = PrepareAndExecute(in_statementText, in_textLength);
    }
    catch (...)
    {
        PostFailure("StatementState4", "SQLExecDirectW");
        return {std::make_unique<StatementState1>(m_statement), SQL_ERROR};
    }
    return {NextStateAfterDirectExecution(result), result};
}

StatementStateResult StatementState4::DoSQLExecute()
{
    if (!m_statement.IsPrepared())
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    }
    const SQLRETURN result = ExecutePrepared();
    if (result == SQL_NEED_DATA)
    {
        return {std::make_unique<StatementState8>(m_statement, StatementState8::PREPARED_ROW_COUNT), result};
    }
    return {nullptr, result};
}

StatementStateResult StatementState4::DoSQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    try
    {
        return StatementState::DoSQLPrepareW(in_statementText, in_textLength);
    }
    catch (const ErrorException&)
    {
        PostFailure("StatementState4", "SQLPrepareW");
        return {std::make_unique<StatementState1>(m_statement), SQL_ERROR};
    }
}

} // namespace ODBC
} // namespace Orvik
