#pragma once

#include "DSI/Client/IResult.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace DSI {

class DSIColumn;
class DSIMetadataColumn;
class DSIMetadataColumns;
class DSIMetadataSource;
class IMetadataFilter;
class ILogger;

/// The result of a catalog function: the rows of a metadata source, read forward only through
/// the catalog result set's columns. A column's value comes from the source by the column's tag,
/// or is NULL for a derived column. With filtering on, the result applies the row filters itself
/// and hides every row that one of them rejects. It has no row count.
class DSIMetadataResult : public IResult
{
public:
    /// Takes over the source, the columns and the filters (the vectors are left empty). With
    /// filtering on, the source sees the filters first and they are written to in_log, the
    /// statement's (may be null). A null source throws DSIException "MetadataSourceNotFound" and
    /// leaves everything with the caller.
    DSIMetadataResult(std::unique_ptr<DSIMetadataSource> in_source,
                      std::vector<std::unique_ptr<DSIMetadataColumn>>& io_columns,
                      std::vector<std::unique_ptr<IMetadataFilter>>& io_filters,
                      ILogger* in_log,
                      bool in_isFilteringEnabled);

    ~DSIMetadataResult() override;

    DSIMetadataResult(const DSIMetadataResult&) = delete;
    DSIMetadataResult& operator=(const DSIMetadataResult&) = delete;

    /// Throws DSIException "FuncNotSupported": CanBulkFetch always says no.
    uint64_t BulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns) override;

    /// Forwards to the source.
    void CloseCursor() override;

    /// Grows the marks to in_column + 1 as needed.
    void SetDataNeeded(uint16_t in_column, bool in_isNeeded) override;

    /// False for a column never marked.
    bool IsDataNeeded(uint16_t in_column) override;

    /// A source column from the source, a derived one through RetrieveDerivedData, an extra
    /// column through the source's GetExtraColumnData. With the host-program rule on, column 9 is
    /// NULL. A column beyond all throws BadColumnException "InvalidColumnNum" (the number).
    bool RetrieveData(uint16_t in_column, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    /// Throws DSIException "CellmarkingNotSupported".
    void SetCellmark(uint16_t in_column) override;

    int32_t GetResultType() override { return DSI_RESULT_SET; }
    bool HasRowCount() override { return false; }
    int64_t GetRowCount() override { return -1; }

    /// The standard columns, then the source's extra columns.
    IColumns* GetSelectColumns() override;

    bool CanBulkFetch(const std::set<uint16_t>& in_columns) override;

    /// Forward only; another type throws DSIException "CursorTypeNotSupported" (the type).
    void SetCursorType(int32_t in_cursorType) override;

    void SetRowsetSize(uint64_t in_rowsetSize) override;

    /// The source's next row that every filter accepts (all rows with filtering off); false at
    /// the end.
    bool Move(int32_t in_direction, int64_t in_offset) override;

    /// Makes every value of column 9 (ASC_OR_DESC of SQLStatistics) NULL, for hosts that cannot
    /// read it.
    void SetHostProgramRule(bool in_isOn) { m_isHostProgramRuleOn = in_isOn; }

protected:
    /// The value of a derived column of kind in_kind: NULL for DSI_COLUMN_ALWAYS_NULL; another
    /// kind throws DSIException "InvalidDerivedColumnID". Returns false: nothing remains.
    virtual bool RetrieveDerivedData(int32_t in_kind,
                                     Support::SqlData& io_target,
                                     int64_t in_offset,
                                     int64_t in_maxLength);

private:
    /// True when every filter accepts the source's current row.
    bool IsRowAccepted();

    std::unique_ptr<DSIMetadataSource> m_source;
    std::vector<std::unique_ptr<DSIMetadataColumn>> m_columns;
    std::vector<std::unique_ptr<DSIColumn>> m_extraColumns;
    std::vector<std::unique_ptr<IMetadataFilter>> m_filters;
    std::vector<bool> m_dataNeeded;
    std::unique_ptr<DSIMetadataColumns> m_columnList;
    bool m_isHostProgramRuleOn = false;
    const bool m_isFilteringEnabled;
};

} // namespace DSI
} // namespace Orvik
