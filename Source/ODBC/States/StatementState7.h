#pragma once

#include "ODBC/States/StatementStateCursor.h"

namespace Orvik {
namespace ODBC {

/// S7, fetched with SQLExtendedFetch: later extended fetches stay here.
class StatementState7 : public StatementStateCursor
{
public:
    explicit StatementState7(Statement& io_statement) : StatementStateCursor(io_statement) {}

    int32_t GetStateNumber() const override { return 7; }
    const char* GetClassName() const override { return "StatementState7"; }

protected:
    StatementStateResult DoSQLExtendedFetch(SQLUSMALLINT in_orientation,
                                            SQLLEN in_offset,
                                            SQLULEN* out_rowCount,
                                            SQLUSMALLINT* out_rowStatus) override;
};

} // namespace ODBC
} // namespace Orvik
