#pragma once

#include "ODBC/States/StatementState.h"

namespace Orvik {
namespace ODBC {

/// An executed statement whose current result is a row count or nothing (S4).
class StatementStateExecuted : public StatementState
{
protected:
    explicit StatementStateExecuted(Statement& io_statement) : StatementState(io_statement) {}

    /// Only SQL_DESC_COUNT; any other field: "PreparedStmtNotCursorSpec" (07005).
    void DoSQLColAttributeW(SQLUSMALLINT in_column,
                            SQLUSMALLINT in_field,
                            SQLPOINTER out_characterAttribute,
                            SQLSMALLINT in_bufferLength,
                            SQLSMALLINT* out_stringLength,
                            SQLLEN* out_numericAttribute) override;

    /// By the data source's cursor behaviour: deleted, S1; closed, the prepared state or S1
    /// (no change with in_flag); preserved, no change.
    StatementStateResult DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag) override;

    /// S5; on failure the error is posted and the statement goes to S1 with SQL_ERROR.
    StatementStateResult DoExecuteCatalogFunction(int32_t in_functionId,
                                                  const std::vector<Support::Variant>& in_arguments) override;

    /// SQL_CLOSE: back to S2 when prepared, else S1.
    std::unique_ptr<StatementState> DoSQLFreeStmt(SQLUSMALLINT in_option) override;

    void DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;

    StatementStateResult DoSQLMoreResults() override;

    /// The six attributes that shape a cursor throw "InvalidCursorState" (24000).
    void DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
