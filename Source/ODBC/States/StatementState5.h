#pragma once

#include "ODBC/States/StatementStateCursor.h"

namespace Orvik {
namespace ODBC {

/// S5, cursor open, nothing fetched yet: the first fetch leads to S6 (SQLFetch, SQLFetchScroll)
/// or S7 (SQLExtendedFetch), whatever it returns; an error thrown by it keeps S5.
class StatementState5 : public StatementStateCursor
{
public:
    /// Makes the cursor over the query manager's current result; without one throws
    /// ODBCInternalException "NoAvailableResultSet".
    explicit StatementState5(Statement& io_statement);

    int32_t GetStateNumber() const override { return 5; }
    const char* GetClassName() const override { return "StatementState5"; }

protected:
    StatementStateResult DoSQLExtendedFetch(SQLUSMALLINT in_orientation,
                                            SQLLEN in_offset,
                                            SQLULEN* out_rowCount,
                                            SQLUSMALLINT* out_rowStatus) override;
    StatementStateResult DoSQLFetch() override;
    StatementStateResult DoSQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset) override;

    /// SQL_ATTR_ROW_NUMBER: "InvalidCursorState" (24000), no row is fetched yet.
    void DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
