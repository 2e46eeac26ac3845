#include "ODBC/States/StatementState9.h"

#include "ODBC/Parameters/ExecutionContext.h"
#include "ODBC/States/StatementState10.h"

namespace Orvik {
namespace ODBC {

StatementStateResult StatementState9::DoSQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator)
{
    try
    {
        ParameterLocks locks(m_statement);
        GetExecutionContext().PushParameterData(in_data, in_lengthOrIndicator);
        return {std::make_unique<StatementState10>(m_statement, GetKind()), SQL_SUCCESS};
    }
    catch (...)
    {
        return Fail("StatementState9", "SQLPutData");
    }
}

} // namespace ODBC
} // namespace Orvik
