#include "ODBC/States/StatementState6.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

StatementStateResult StatementState6::DoSQLFetch()
{
    return {nullptr, Fetch(SQL_FETCH_NEXT, 0)};
}

StatementStateResult StatementState6::DoSQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset)
{
    return {nullptr, Fetch(in_orientation, in_offset)};
}

} // namespace ODBC
} // namespace Orvik
