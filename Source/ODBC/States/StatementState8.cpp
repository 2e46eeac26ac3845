#include "ODBC/States/StatementState8.h"

#include "ODBC/Parameters/ExecutionContext.h"
#include "ODBC/States/StatementState9.h"

namespace Orvik {
namespace ODBC {

StatementStateResult StatementState8::DoSQLParamData(SQLPOINTER* out_value)
{
    try
    {
        if (out_value != nullptr)
        {
            *out_value = GetExecutionContext().GetCurrentToken();
        }
        return {std::make_unique<StatementState9>(m_statement, GetKind()), SQL_NEED_DATA};
    }
    catch (...)
    {
        return Fail("StatementState8", "SQLParamData");
    }
}

} // namespace ODBC
} // namespace Orvik
