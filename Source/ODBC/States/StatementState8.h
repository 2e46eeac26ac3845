#pragma once

#include "ODBC/States/StatementStateNeedData.h"

namespace Orvik {
namespace ODBC {

/// S8, need data: the execution returned SQL_NEED_DATA; SQLParamData names the first parameter
/// to send.
class StatementState8 : public StatementStateNeedData
{
public:
    StatementState8(Statement& io_statement, int32_t in_kind) : StatementStateNeedData(io_statement, in_kind) {}

    int32_t GetStateNumber() const override { return 8; }
    const char* GetClassName() const override { return "StatementState8"; }

protected:
    /// The current parameter's token into out_value (when given); S9 with SQL_NEED_DATA.
    StatementStateResult DoSQLParamData(SQLPOINTER* out_value) override;
};

} // namespace ODBC
} // namespace Orvik
