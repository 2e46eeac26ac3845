#pragma once

#include "ODBC/States/StatementStatePrepared.h"

namespace Orvik {
namespace ODBC {

/// S2, prepared: no result set was described before execution; what the execution returns
/// decides the state after it.
class StatementState2 : public StatementStatePrepared
{
public:
    explicit StatementState2(Statement& io_statement) : StatementStatePrepared(io_statement) {}

    int32_t GetStateNumber() const override { return 2; }
    const char* GetClassName() const override { return "StatementState2"; }

protected:
    /// Only SQL_DESC_COUNT (0 columns); any other field: "PreparedStmtNotCursorSpec" (07005).
    void DoSQLColAttributeW(SQLUSMALLINT in_column,
                            SQLUSMALLINT in_field,
                            SQLPOINTER out_characterAttribute,
                            SQLSMALLINT in_bufferLength,
                            SQLSMALLINT* out_stringLength,
                            SQLLEN* out_numericAttribute) override;

    /// S4, or S8 while parameters need data; errors are passed on.
    StatementStateResult DoSQLExecute() override;
};

} // namespace ODBC
} // namespace Orvik
