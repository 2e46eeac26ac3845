#include "ODBC/States/StatementState7.h"

namespace Orvik {
namespace ODBC {

StatementStateResult StatementState7::DoSQLExtendedFetch(SQLUSMALLINT in_orientation,
                                                         SQLLEN in_offset,
                                                         SQLULEN* out_rowCount,
                                                         SQLUSMALLINT* out_rowStatus)
{
    return {nullptr, ExtendedFetch(in_orientation, in_offset, out_rowCount, out_rowStatus)};
}

} // namespace ODBC
} // namespace Orvik
