#include "ODBC/States/StatementStateExecuted.h"

#include "ODBC/Handles/Statement.h"
#include "ODBC/States/StatementState1.h"
#include "ODBC/States/StatementState2.h"
#include "ODBC/States/StatementState5.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

void StatementStateExecuted::DoSQLColAttributeW(SQLUSMALLINT,
                                                SQLUSMALLINT in_field,
                                                SQLPOINTER,
                                                SQLSMALLINT,
                                                SQLSMALLINT* out_stringLength,
                                                SQLLEN* out_numericAttribute)
{
    ColumnCount(in_field, out_stringLength, out_numericAttribute);
}

StatementStateResult StatementStateExecuted::DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag)
{
    switch (GetCursorBehavior(in_completionType))
    {
    case SQL_CB_DELETE:
        return {std::make_unique<StatementState1>(m_statement), SQL_SUCCESS};
    case SQL_CB_CLOSE:
        if (in_flag)
        {
            return {nullptr, SQL_SUCCESS};
        }
        if (m_statement.IsPrepared())
        {
            return {std::make_unique<StatementState2>(m_statement), SQL_SUCCESS};
        }
        return {std::make_unique<StatementState1>(m_statement), SQL_SUCCESS};
    default:
        return {nullptr, SQL_SUCCESS};
    }
}

StatementStateResult StatementStateExecuted::DoExecuteCatalogFunction(int32_t in_functionId,
                                                                      const std::vector<Support::Variant>& in_arguments)
{
    try
    {
        RunCatalogFunction(in_functionId, in_arguments);
        return {std::make_unique<StatementState5>(m_statement), SQL_SUCCESS};
    }
    catch (...)
    {
        PostFailure("StatementStateExecuted", "ExecuteCatalogFunction");
        return {std::make_unique<StatementState1>(m_statement), SQL_ERROR};
    }
}

std::unique_ptr<StatementState> StatementStateExecuted::DoSQLFreeStmt(SQLUSMALLINT in_option)
{
    if (in_option != SQL_CLOSE)
    {
        return StatementState::DoSQLFreeStmt(in_option);
    }
    if (m_statement.IsPrepared())
    {
        return std::make_unique<StatementState2>(m_statement);
    }
    return std::make_unique<StatementState1>(m_statement);
}

void StatementStateExecuted::DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                               SQLPOINTER out_value,
                                               SQLINTEGER in_bufferLength,
                                               SQLINTEGER* out_stringLength)
{
    RefuseRowNumber(in_attribute);
    StatementState::DoSQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
}

StatementStateResult StatementStateExecuted::DoSQLMoreResults()
{
    return MoveToNextResult();
}

void StatementStateExecuted::DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    if (IsCursorShapingAttribute(in_attribute))
    {
        throw ErrorException(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorState", -1, -1);
    }
    StatementState::DoSQLSetStmtAttrW(in_attribute, in_value, in_stringLength);
}

} // namespace ODBC
} // namespace Orvik
