#pragma once

// Test helper: statements over the fake back end whose execution yields a FakeResult, and the
// outcome of fetches and SQLGetData as comparable lines.

#include "Unit/ODBC/Cursors/CursorTestSupport.h"
#include "Unit/ODBC/Cursors/FakeResult.h"
#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include <sqlext.h>

#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

class CursorStatementTest : public StatementTest
{
protected:
    /// A statement executed directly over a result of columns of in_sqlTypes holding in_rows;
    /// the statement is in S5.
    ODBC::Statement& Open(const std::vector<int16_t>& in_sqlTypes, const std::vector<std::vector<Cell>>& in_rows)
    {
        FakeEngineLog::s_cannedResult = [this, in_sqlTypes, in_rows] {
            auto result = std::make_unique<FakeResult>(in_sqlTypes, in_rows);
            m_result = result.get();
            return result;
        };
        ODBC::Statement& statement = *NewStatement();
        EXPECT_EQ("OK S5", Outcome(statement, ExecDirect(statement, u"canned")));
        return statement;
    }

    /// The outcome of SQLFetch, with the rows fetched: e.g. "OK S6 fetched 4".
    std::string Fetch(ODBC::Statement& io_statement)
    {
        const std::string outcome = Outcome(io_statement, Counted(io_statement)->SQLFetch());
        return outcome + " fetched " + std::to_string(m_rowsFetched);
    }

    /// Has fetches report their statuses to m_statuses and the rows fetched to m_rowsFetched,
    /// in rowsets of in_rowsetSize rows.
    void UseRowsets(ODBC::Statement& io_statement, SQLULEN in_rowsetSize)
    {
        SetAttribute(io_statement, SQL_ATTR_ROW_ARRAY_SIZE, in_rowsetSize);
        SetAttribute(io_statement, SQL_ATTR_ROW_STATUS_PTR, reinterpret_cast<SQLULEN>(m_statuses));
        SetAttribute(io_statement, SQL_ATTR_ROWS_FETCHED_PTR, reinterpret_cast<SQLULEN>(&m_rowsFetched));
    }

    /// The first in_count statuses, e.g. "0 0 5 3".
    std::string Statuses(size_t in_count) const
    {
        std::string statuses;
        for (size_t row = 0; row < in_count; ++row)
        {
            statuses += (row == 0 ? "" : " ") + std::to_string(m_statuses[row]);
        }
        return statuses;
    }

    /// The records of the statement's last call as "SQLSTATE@row,column".
    static std::vector<std::string> Records(ODBC::Statement& io_statement)
    {
        return DiagRecords(io_statement.GetDiagManager());
    }

    FakeResult* m_result = nullptr;
    SQLUSMALLINT m_statuses[16] = {99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
    SQLULEN m_rowsFetched = 12345;
};

} // namespace Testing
} // namespace Orvik
