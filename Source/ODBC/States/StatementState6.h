#pragma once

#include "ODBC/States/StatementStateCursor.h"

namespace Orvik {
namespace ODBC {

/// S6, fetched with SQLFetch or SQLFetchScroll: later fetches stay here.
class StatementState6 : public StatementStateCursor
{
public:
    explicit StatementState6(Statement& io_statement) : StatementStateCursor(io_statement) {}

    int32_t GetStateNumber() const override { return 6; }
    const char* GetClassName() const override { return "StatementState6"; }

protected:
    StatementStateResult DoSQLFetch() override;
    StatementStateResult DoSQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset) override;
};

} // namespace ODBC
} // namespace Orvik
