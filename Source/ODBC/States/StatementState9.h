#pragma once

#include "ODBC/States/StatementStateNeedData.h"

namespace Orvik {
namespace ODBC {

/// S9, must put data: the application named the parameter and sends its first piece.
class StatementState9 : public StatementStateNeedData
{
public:
    StatementState9(Statement& io_statement, int32_t in_kind) : StatementStateNeedData(io_statement, in_kind) {}

    int32_t GetStateNumber() const override { return 9; }
    const char* GetClassName() const override { return "StatementState9"; }

protected:
    /// Sends the piece; S10 with SQL_SUCCESS.
    StatementStateResult DoSQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator) override;
};

} // namespace ODBC
} // namespace Orvik
