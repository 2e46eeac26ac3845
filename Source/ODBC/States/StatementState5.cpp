#include "ODBC/States/StatementState5.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Queries/QueryManager.h"
#include "ODBC/States/StatementState6.h"
#include "ODBC/States/StatementState7.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

StatementState5::StatementState5(Statement& io_statement) : StatementStateCursor(io_statement)
{
    QueryManager* manager = io_statement.GetQueryManager();
    if (manager == nullptr || manager->GetCurrentResult() == nullptr)
    {
        throw ODBCInternalException(u"NoAvailableResultSet");
    }
    manager->CreateCursor();
}

StatementStateResult StatementState5::DoSQLExtendedFetch(SQLUSMALLINT in_orientation,
                                                         SQLLEN in_offset,
                                                         SQLULEN* out_rowCount,
                                                         SQLUSMALLINT* out_rowStatus)
{
    const SQLRETURN result = ExtendedFetch(in_orientation, in_offset, out_rowCount, out_rowStatus);
    return {std::make_unique<StatementState7>(m_statement), result};
}

StatementStateResult StatementState5::DoSQLFetch()
{
    const SQLRETURN result = Fetch(SQL_FETCH_NEXT, 0);
    return {std::make_unique<StatementState6>(m_statement), result};
}

StatementStateResult StatementState5::DoSQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset)
{
    const SQLRETURN result = Fetch(in_orientation, in_offset);
    return {std::make_unique<StatementState6>(m_statement), result};
}

void StatementState5::DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                        SQLPOINTER out_value,
                                        SQLINTEGER in_bufferLength,
                                        SQLINTEGER* out_stringLength)
{
    RefuseRowNumber(in_attribute);
    StatementStateCursor::DoSQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
}

} // namespace ODBC
} // namespace Orvik
