#pragma once

#include "ODBC/States/StatementStateNeedData.h"

namespace Orvik {
namespace ODBC {

/// S10, can put data: more pieces of the parameter, or SQLParamData for the next parameter or,
/// when none is left, to finish the execution.
class StatementState10 : public StatementStateNeedData
{
public:
    StatementState10(Statement& io_statement, int32_t in_kind) : StatementStateNeedData(io_statement, in_kind) {}

    int32_t GetStateNumber() const override { return 10; }
    const char* GetClassName() const override { return "StatementState10"; }

protected:
    /// The next parameter's token and S9 with SQL_NEED_DATA, or the finished execution.
    StatementStateResult DoSQLParamData(SQLPOINTER* out_value) override;

    /// Sends another piece; no change.
    StatementStateResult DoSQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator) override;
};

} // namespace ODBC
} // namespace Orvik
