#include "ODBC/States/StatementState3.h"

#include "ODBC/States/StatementState8.h"

namespace Orvik {
namespace ODBC {

void StatementState3::DoSQLColAttributeW(SQLUSMALLINT in_column,
                                         SQLUSMALLINT in_field,
                                         SQLPOINTER out_characterAttribute,
                                         SQLSMALLINT in_bufferLength,
                                         SQLSMALLINT* out_stringLength,
                                         SQLLEN* out_numericAttribute)
{
    GetColAttributeField(in_column, in_field, out_characterAttribute, in_bufferLength, out_stringLength,
                         out_numericAttribute);
}

StatementStateResult StatementState3::DoSQLExecute()
{
    const SQLRETURN result = ExecutePrepared();
    if (result == SQL_NEED_DATA)
    {
        return {std::make_unique<StatementState8>(m_statement, StatementState8::PREPARED_RESULT_SET), result};
    }
    return {MakeExecutedState(), result};
}

} // namespace ODBC
} // namespace Orvik
