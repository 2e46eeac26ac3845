#pragma once

// Test helper: a statement's member called with the count the dispatcher would hold.

#include "ODBC/Handles/Statement.h"

namespace Orvik {
namespace Testing {

/// A statement's member called as the dispatcher calls it, counted on the statement for the
/// call: Counted(statement)->SQLFetch(). The fetching members and SQLGetData count nothing
/// themselves.
class Counted
{
public:
    explicit Counted(ODBC::Statement& io_statement) : m_statement(io_statement), m_running(io_statement) {}

    ODBC::Statement* operator->() const { return &m_statement; }

private:
    ODBC::Statement& m_statement;
    const ODBC::ODBCHandle::RunningCall m_running;
};

} // namespace Testing
} // namespace Orvik
