#include "ODBC/States/StatementState10.h"

#include "ODBC/Parameters/ExecutionContext.h"
#include "ODBC/States/StatementState9.h"

namespace Orvik {
namespace ODBC {

StatementStateResult StatementState10::DoSQLParamData(SQLPOINTER* out_value)
{
    try
    {
        ParameterLocks locks(m_statement);
        ExecutionContext& context = GetExecutionContext();
        if (context.NextDataAtExecParameter())
        {
            if (out_value != nullptr)
            {
                *out_value = context.GetCurrentToken();
            }
            return {std::make_unique<StatementState9>(m_statement, GetKind()), SQL_NEED_DATA};
        }
        return Complete();
    }
    catch (...)
    {
        return Fail("StatementState10", "SQLParamData");
    }
}

StatementStateResult StatementState10::DoSQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator)
{
    try
    {
        ParameterLocks locks(m_statement);
        GetExecutionContext().PushParameterData(in_data, in_lengthOrIndicator);
        return {nullptr, SQL_SUCCESS};
    }
    catch (...)
    {
        return Fail("StatementState10", "SQLPutData");
    }
}

} // namespace ODBC
} // namespace Orvik
