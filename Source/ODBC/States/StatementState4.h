#pragma once

#include "ODBC/States/StatementStateExecuted.h"

namespace Orvik {
namespace ODBC {

/// S4, executed: the current result is a row count or nothing.
class StatementState4 : public StatementStateExecuted
{
public:
    explicit StatementState4(Statement& io_statement) : StatementStateExecuted(io_statement) {}

    int32_t GetStateNumber() const override { return 4; }
    const char* GetClassName() const override { return "StatementState4"; }

protected:
    /// S4, S5 or S8 by the outcome; a failure of the preparation or execution is posted and the
    /// statement goes to S1 with SQL_ERROR.
    StatementStateResult DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength) override;

    /// Executes a prepared statement again (S8 while parameters need data, else no change);
    /// "FuncSeqErr" (HY010) after a direct execution.
    StatementStateResult DoSQLExecute() override;

    /// S2 or S3; an error is posted and the statement goes to S1 with SQL_ERROR.
    StatementStateResult DoSQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength) override;
};

} // namespace ODBC
} // namespace Orvik
