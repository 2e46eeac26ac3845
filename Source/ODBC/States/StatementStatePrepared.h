#pragma once

#include "ODBC/States/StatementState.h"

namespace Orvik {
namespace ODBC {

/// A prepared statement that has not been executed (S2 and S3). A failed direct execution, a
/// failed catalog function or a failed re-prepare discards the prepared statement (S1).
class StatementStatePrepared : public StatementState
{
protected:
    /// The statement counts as prepared.
    explicit StatementStatePrepared(Statement& io_statement);

    /// From the IPD record of the parameter: its type, size (the precision of approximate types
    /// when the data store says so), decimal digits and nullability.
    void DoSQLDescribeParam(SQLUSMALLINT in_parameter,
                            SQLSMALLINT* out_dataType,
                            SQLULEN* out_parameterSize,
                            SQLSMALLINT* out_decimalDigits,
                            SQLSMALLINT* out_nullable) override;

    /// S1 when the data source deletes prepared statements at the end of a transaction.
    StatementStateResult DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag) override;

    /// S5; on failure the error is posted and the statement goes to S1 with SQL_ERROR.
    StatementStateResult DoExecuteCatalogFunction(int32_t in_functionId,
                                                  const std::vector<Support::Variant>& in_arguments) override;

    /// S4, S5 or S8; a failure of the preparation or execution is posted and the statement goes
    /// to S1 with SQL_ERROR.
    StatementStateResult DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength) override;

    void DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;

    /// Re-prepares: S2 or S3. An error with SQLSTATE HY009 or HY090 is passed on and the old
    /// prepared statement stays; any other error is posted and the statement goes to S1.
    StatementStateResult DoSQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength) override;

    /// The six attributes that shape a cursor throw "AttrCantBeSetNow" (HY011).
    void DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
