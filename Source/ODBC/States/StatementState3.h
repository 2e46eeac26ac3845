#pragma once

#include "ODBC/States/StatementStatePrepared.h"

namespace Orvik {
namespace ODBC {

/// S3, prepared: the statement yields a result set, whose columns are described before it runs.
class StatementState3 : public StatementStatePrepared
{
public:
    explicit StatementState3(Statement& io_statement) : StatementStatePrepared(io_statement) {}

    int32_t GetStateNumber() const override { return 3; }
    const char* GetClassName() const override { return "StatementState3"; }

protected:
    /// Every column attribute, from the columns the prepare described.
    void DoSQLColAttributeW(SQLUSMALLINT in_column,
                            SQLUSMALLINT in_field,
                            SQLPOINTER out_characterAttribute,
                            SQLSMALLINT in_bufferLength,
                            SQLSMALLINT* out_stringLength,
                            SQLLEN* out_numericAttribute) override;

    /// S5, or S8 while parameters need data; errors are passed on.
    StatementStateResult DoSQLExecute() override;
};

} // namespace ODBC
} // namespace Orvik
