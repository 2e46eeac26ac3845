#pragma once

#include "ODBC/States/StatementState.h"

namespace Orvik {
namespace ODBC {

/// The statement without anything prepared or executed: preparing, executing directly and
/// catalog functions start here, and a failure leaves the statement here.
class StatementStateAllocated : public StatementState
{
protected:
    /// The statement is no longer prepared and loses its query manager.
    explicit StatementStateAllocated(Statement& io_statement);

    /// Nothing to close or keep: SQL_SUCCESS.
    StatementStateResult DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag) override;

    /// S5 with SQL_SUCCESS; an error is passed on and the statement stays.
    StatementStateResult DoExecuteCatalogFunction(int32_t in_functionId,
                                                  const std::vector<Support::Variant>& in_arguments) override;

    /// S4, S5 or S8 by the outcome; a failure is passed on and the statement stays.
    StatementStateResult DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength) override;

    /// SQL_ATTR_ROW_NUMBER: "InvalidCursorState" (24000).
    void DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
