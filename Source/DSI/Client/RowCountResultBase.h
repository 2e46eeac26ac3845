#pragma once

#include "DSI/Client/IResult.h"

namespace Orvik {
namespace DSI {

/// The base of results that carry nothing but a count of affected rows. Every cursor and data
/// operation is refused with a DSIException (general error, component 2, no parameters) and
/// changes nothing, so the count stays readable: bulk fetching with "FuncNotSupported", cell
/// marking with "CellmarkingNotSupported", everything else with
/// "CannotPerformCursorOrDataRetrievalOperationOnRowCountResult". The derived class says
/// whether it knows a count, and which.
class RowCountResultBase : public IResult
{
public:
    ~RowCountResultBase() override = default;

    uint64_t BulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns) override;
    void CloseCursor() override;
    void SetDataNeeded(uint16_t in_column, bool in_isNeeded) override;
    bool IsDataNeeded(uint16_t in_column) override;
    bool RetrieveData(uint16_t in_column, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;
    void SetCellmark(uint16_t in_column) override;

    /// DSI_ROW_COUNT, whatever the count.
    int32_t GetResultType() override;

    /// No columns: null, not an empty list.
    IColumns* GetSelectColumns() override;

    bool CanBulkFetch(const std::set<uint16_t>& in_columns) override;
    void SetCursorType(int32_t in_cursorType) override;
    void SetRowsetSize(uint64_t in_rowsetSize) override;
    bool Move(int32_t in_direction, int64_t in_offset) override;

protected:
    RowCountResultBase() = default;
};

} // namespace DSI
} // namespace Orvik
