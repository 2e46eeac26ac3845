#pragma once

#include <cstdint>
#include <set>
#include <vector>

namespace Orvik {
namespace ODBC {
class BulkColumn;
}
namespace Support {
class SqlData;
}

namespace DSI {

class IColumns;

/// What a result is; GetResultType's answer.
enum DSIResultType : int32_t
{
    DSI_ROW_COUNT = 0,
    DSI_RESULT_SET = 1
};

/// The one direction a result moves in: to the next row.
constexpr int32_t DSI_DIR_NEXT = 2;

/// The one cursor type a result supports: forward only.
constexpr int32_t DSI_FORWARD_ONLY = 0;

/// The bound columns that a block fetch fills, one per bound column, made by the ODBC layer's
/// cursor over the connection's bulk converters.
using BulkFetchColumns = std::vector<ODBC::BulkColumn*>;

/// One result of an execution: a forward-only result set or a row count. The ODBC layer's cursor
/// reads result sets only through this interface. Columns are numbered from 0.
class IResult
{
public:
    virtual ~IResult() = default;

    /// Fetches up to in_rowCount rows straight into the bound columns; returns the rows fetched
    /// (0 at the end). Only called when CanBulkFetch said yes.
    virtual uint64_t BulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns) = 0;

    /// Closes the cursor; the result can then be read again from its start.
    virtual void CloseCursor() = 0;

    /// Marks whether the ODBC layer will ask for the data of in_column.
    virtual void SetDataNeeded(uint16_t in_column, bool in_isNeeded) = 0;

    /// The mark of in_column.
    virtual bool IsDataNeeded(uint16_t in_column) = 0;

    /// Writes the current row's value of in_column into io_target, from the byte offset
    /// in_offset on and at most in_maxLength bytes of it (-1: no limit), for data returned in
    /// parts. Returns true when more of the value remains.
    virtual bool RetrieveData(uint16_t in_column, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) = 0;

    /// Marks cells; no result of this driver supports it.
    virtual void SetCellmark(uint16_t in_column) = 0;

    /// DSI_RESULT_SET or DSI_ROW_COUNT.
    virtual int32_t GetResultType() = 0;

    /// Whether GetRowCount knows a count.
    virtual bool HasRowCount() = 0;

    /// The rows affected or returned; -1 when unknown.
    virtual int64_t GetRowCount() = 0;

    /// The result's columns, still owned by the result; null for a row count.
    virtual IColumns* GetSelectColumns() = 0;

    /// Whether BulkFetch can fill the bound columns in_columns (numbered from 0).
    virtual bool CanBulkFetch(const std::set<uint16_t>& in_columns) = 0;

    /// Sets the cursor type; only DSI_FORWARD_ONLY is supported.
    virtual void SetCursorType(int32_t in_cursorType) = 0;

    /// Tells the rows the application fetches per call whenever that number changes; a hint.
    virtual void SetRowsetSize(uint64_t in_rowsetSize) = 0;

    /// Moves to the next row (in_direction DSI_DIR_NEXT, in_offset 0); false when there is none.
    virtual bool Move(int32_t in_direction, int64_t in_offset) = 0;

protected:
    IResult() = default;
};

} // namespace DSI
} // namespace Orvik
