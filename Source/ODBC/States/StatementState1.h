#pragma once

#include "ODBC/States/StatementStateAllocated.h"

namespace Orvik {
namespace ODBC {

/// S1, allocated: a new statement, and a statement whose direct execution was closed or whose
/// prepared statement was discarded. SQLPrepare leads to S2 or S3; an error of the prepare is
/// passed on and the statement stays.
class StatementState1 : public StatementStateAllocated
{
public:
    explicit StatementState1(Statement& io_statement) : StatementStateAllocated(io_statement) {}

    int32_t GetStateNumber() const override { return 1; }
    const char* GetClassName() const override { return "StatementState1"; }
};

} // namespace ODBC
} // namespace Orvik
