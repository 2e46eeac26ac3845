#include "ODBC/States/StatementState2.h"

#include "ODBC/States/StatementState8.h"

namespace Orvik {
namespace ODBC {

void StatementState2::DoSQLColAttributeW(SQLUSMALLINT,
                                         SQLUSMALLINT in_field,
                                         SQLPOINTER,
                                         SQLSMALLINT,
                                         SQLSMALLINT* out_stringLength,
                                         SQLLEN* out_numericAttribute)
{
    ColumnCount(in_field, out_stringLength, out_numericAttribute);
}

StatementStateResult StatementState2::DoSQLExecute()
{
    const SQLRETURN result = ExecutePrepared();
    if (result == SQL_NEED_DATA)
    {
        return {std::make_unique<StatementState8>(m_statement, StatementState8::PREPARED_ROW_COUNT), result};
    }
    return {MakeExecutedState(), result};
}

} // namespace ODBC
} // namespace Orvik
