#pragma once

#include "ODBC/States/StatementState.h"

#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class CDataWrapper;

/// A statement with an open cursor (S5 to S7): results are read, the next result is reached
/// with SQLMoreResults, and closing the cursor returns the statement to its prepared state or S1.
class StatementStateCursor : public StatementState
{
public:
    /// Gives the C-data wrapper of SQLGetData back to the pool.
    ~StatementStateCursor() override;

protected:
    /// Takes a C-data wrapper for SQLGetData from the process-wide pool.
    explicit StatementStateCursor(Statement& io_statement);

    /// While a call runs on another thread, asks it to stop. Otherwise an ODBC 2 application's
    /// SQLCancel closes the cursor with the warning "CancelTreatedAsCloseWarn" (01S05); an
    /// ODBC 3 application's changes nothing.
    std::unique_ptr<StatementState> DoSQLCancel() override;

    std::unique_ptr<StatementState> DoSQLCloseCursor() override;

    void DoSQLColAttributeW(SQLUSMALLINT in_column,
                            SQLUSMALLINT in_field,
                            SQLPOINTER out_characterAttribute,
                            SQLSMALLINT in_bufferLength,
                            SQLSMALLINT* out_stringLength,
                            SQLLEN* out_numericAttribute) override;

    /// By the data source's cursor behaviour: deleted, the cursor closed and S1; closed, the
    /// cursor closed and the prepared state or S1 (S4 with in_flag); preserved, no change.
    StatementStateResult DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag) override;

    /// "InvalidCursorState" (24000) for a prepared statement, "FuncSeqErr" (HY010) otherwise.
    StatementStateResult DoSQLExecute() override;

    /// SQL_CLOSE closes the cursor.
    std::unique_ptr<StatementState> DoSQLFreeStmt(SQLUSMALLINT in_option) override;

    /// Resolves the target type (SQL_ARD_TYPE, SQL_C_DEFAULT) with the column's ARD record and
    /// hands the retrieval to the cursor.
    StatementStateResult DoSQLGetData(SQLUSMALLINT in_column,
                                      SQLSMALLINT in_targetType,
                                      SQLPOINTER out_target,
                                      SQLLEN in_bufferLength,
                                      SQLLEN* out_lengthOrIndicator) override;

    /// SQL_ATTR_ROW_NUMBER from the cursor.
    void DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;

    StatementStateResult DoSQLMoreResults() override;

    /// Never succeeds: "InvalidForwardSetPosOper" (HY109) on a row, "InvalidCursorPos" (HY109)
    /// before one.
    StatementStateResult DoSQLSetPos(SQLSETPOSIROW in_row, SQLUSMALLINT in_operation, SQLUSMALLINT in_lockType) override;

    /// The six attributes that shape a cursor throw "InvalidCursorState" (24000).
    void DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) override;

    /// Fetches a rowset of the ARD's array size for SQLFetch and SQLFetchScroll.
    SQLRETURN Fetch(SQLSMALLINT in_orientation, SQLLEN in_offset);

    /// Fetches a rowset of SQL_ROWSET_SIZE rows for SQLExtendedFetch.
    SQLRETURN ExtendedFetch(SQLUSMALLINT in_orientation, SQLLEN in_offset, SQLULEN* out_rowCount, SQLUSMALLINT* out_rowStatus);

    /// Closes the cursor and gives back the attribute values clamped for it: S3 when prepared,
    /// else S1 (the query manager goes).
    std::unique_ptr<StatementState> CloseCursor();

private:
    /// The buffer description of a SQLGetData call that names its C type: the column's own,
    /// kept from call to call. Only these calls change it, and each sets again the lengths it
    /// sets, so a column read row after row into one C type refills no defaults.
    CDataWrapper& GetColumnWrapper(uint16_t in_column, int16_t in_cType);

    std::unique_ptr<CDataWrapper> m_getDataWrapper;
    std::vector<std::unique_ptr<CDataWrapper>> m_columnWrappers;
};

} // namespace ODBC
} // namespace Orvik
