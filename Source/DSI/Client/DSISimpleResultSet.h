#pragma once

#include "DSI/Client/IResult.h"

#include <cstdint>
#include <vector>

namespace Orvik {
namespace DSI {

/// The base of a back end's forward-only result sets. It keeps the row number and the
/// data-needed flags; the back end says how to advance (MoveToNextRow), how to close
/// (DoCloseCursor), what the columns are and what a cell holds, and may take over block
/// fetching (DoBulkFetch with CanBulkFetch).
class DSISimpleResultSet : public IResult
{
public:
    ~DSISimpleResultSet() override = default;

    /// Advances the row number like Move, then fetches through DoBulkFetch; after n > 0 rows
    /// the row number names the last of them.
    uint64_t BulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns) override;

    /// Goes back to before the first row, then calls DoCloseCursor.
    void CloseCursor() override;

    /// A column the result does not have throws BadColumnException "InvalidColumnNum".
    void SetDataNeeded(uint16_t in_column, bool in_isNeeded) override;

    /// False for a column that was never marked.
    bool IsDataNeeded(uint16_t in_column) override;

    /// Throws DSIException "CellmarkingNotSupported".
    void SetCellmark(uint16_t in_column) override;

    /// DSI_RESULT_SET.
    int32_t GetResultType() override;

    /// False: block fetching is the back end's to offer.
    bool CanBulkFetch(const std::set<uint16_t>& in_columns) override;

    /// Accepts DSI_FORWARD_ONLY; any other type throws DSIException "CursorTypeNotSupported"
    /// with the type.
    void SetCursorType(int32_t in_cursorType) override;

    /// Ignored.
    void SetRowsetSize(uint64_t in_rowsetSize) override;

    /// DSI_DIR_NEXT only: advances the row number and asks MoveToNextRow. Any other direction
    /// throws DSIException "ResultSetTraverseDirNotSupported" with the direction.
    bool Move(int32_t in_direction, int64_t in_offset) override;

    /// The current row, counted from 0; meaningful once the first move was made.
    uint64_t GetRowNumber() const { return m_rowNumber; }

protected:
    DSISimpleResultSet() = default;

    /// Rewinds the back end's own position to before the first row.
    virtual void DoCloseCursor() = 0;

    /// Fetches up to in_rowCount rows into the bound columns; returns how many. Throws
    /// DSIException "FuncNotSupported" here.
    virtual uint64_t DoBulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns);

    /// Advances the back end's own position; false when no row is there.
    virtual bool MoveToNextRow() = 0;

private:
    void AdvanceRowNumber();

    bool m_isStarted = false;
    uint64_t m_rowNumber = 0;
    std::vector<bool> m_dataNeeded;
};

} // namespace DSI
} // namespace Orvik
