#pragma once

#include <sql.h>

#include <cstdint>
#include <memory>

namespace Orvik {

namespace DSI {
class IResult;
} // namespace DSI

namespace ODBC {

class Cursor;
class ExecutionContext;
class Statement;

/// A statement's hold on the data-store side of what it executes or reads: the prepared
/// executor (SqlQueryManager) or the finished catalog result (CatalogQueryManager), the results
/// of an execution in order, the cursor over the current one, and the execution context. The
/// statement states are its only callers, under the statement lock; Cancel alone may come from
/// another thread.
class QueryManager
{
public:
    /// Deletes the cursor.
    virtual ~QueryManager();

    QueryManager(const QueryManager&) = delete;
    QueryManager& operator=(const QueryManager&) = delete;

    /// The context that executes the statement with its parameters.
    virtual ExecutionContext& GetExecutionContext() = 0;

    /// The current result, still owned by the query manager's side; null when there is none.
    virtual DSI::IResult* GetCurrentResult() = 0;

    /// Closes the cursor and makes the next result current; false when none follows.
    virtual bool MoveToNextResult();

    /// The number of parameter markers.
    virtual uint16_t GetNumParams();

    /// Asks a running execution to stop; safe from another thread. Never passes on a failure
    /// to cancel.
    virtual void Cancel() = 0;

    /// Makes the cursor over the current result. Throws ODBCInternalException "NoMoreDataToFetch"
    /// without a current result and "InvalidCursorType" for a cursor type other than forward
    /// only.
    void CreateCursor();

    /// Fetches the next rowset of in_rowsetSize rows into the current ARD's buffers (the cursor
    /// made first when there is none), telling the data-store statement a changed rowset size.
    SQLRETURN Fetch(SQLSMALLINT in_orientation,
                    SQLLEN in_offset,
                    uint64_t in_rowsetSize,
                    SQLUSMALLINT* out_rowStatus,
                    SQLULEN* out_rowsFetched);

    /// Deletes the cursor; the ARD's bindings count as changed for the next one.
    void CloseCursor();

    /// The cursor's row number; "InvalidCursorPos" (24000) without a cursor on a rowset.
    uint64_t GetRowNumber();

    /// Whether a cursor stands on a rowset.
    bool IsOnRow() const;

    Cursor* GetCursor() { return m_cursor.get(); }

protected:
    /// The query manager of io_statement, which reads the data-store statement's rowset size.
    explicit QueryManager(Statement& io_statement);

    Statement& m_statement;

private:
    std::unique_ptr<Cursor> m_cursor;
    uint64_t m_rowsetSize;
};

} // namespace ODBC
} // namespace Orvik
