#pragma once

#include "ODBC/Cursors/Cursor.h"

#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class AppDescriptorRecord;
class BulkColumn;
class ColumnValueConverter;
class DataWarningOrError;
class PartialDataColumn;

/// The forward-only cursor: it moves through the result's rows a rowset at a time and converts
/// each bound column of each row into the application's buffers, row-wise or column-wise, with
/// the bind offset, the row statuses, the rows fetched and per-row diagnostics. The bindings are
/// read again only when the ARD's bindings change; the column converters are kept across rows
/// and fetches. A result that fetches in bulk gets whole columns of a rowset converted at once.
/// SQLGetData reads the columns after the last bound one, in ascending order, in pieces.
class ForwardCursor : public Cursor
{
public:
    /// Arguments as Cursor's; the result is told that it is read forward only.
    ForwardCursor(Statement& io_statement,
                  DSI::IResult& io_result,
                  IDiagManager& io_diagnostics,
                  bool in_isUsingBookmarks,
                  bool in_isAscendingOrder);
    ~ForwardCursor() override;

    /// A bound column whose conversion is not supported fails with "DataConvNotSupported"
    /// (07006) before any row is fetched. Conversion problems of single values become
    /// diagnostics at their row and column and row statuses; the fetch goes on.
    SQLRETURN FetchRows(SQLSMALLINT in_orientation,
                        SQLLEN in_offset,
                        uint64_t in_rowsetSize,
                        AppDescriptorBase& io_ard,
                        SQLUSMALLINT* out_rowStatus,
                        SQLULEN* out_rowsFetched) override;

    uint64_t GetRowNumber() override;

    /// Character and binary data read as character or binary C data come in pieces: each call
    /// but the last returns SQL_SUCCESS_WITH_INFO with 01004 and SQL_NO_TOTAL, a further call
    /// SQL_NO_DATA. Other values come whole, once. A variable-length buffer of length 0 only
    /// probes: the next call starts from the beginning of the value.
    void GetData(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator) override;

private:
    /// Where the values of one bound column go for the current row.
    struct BoundColumn
    {
        AppDescriptorRecord* m_record = nullptr;
        /// Added to the length and indicator addresses.
        int64_t m_rowOffset = 0;
        /// Added to the data address (the C data's offset).
        int64_t m_dataOffset = 0;
        int64_t m_lengthStride = 0;
        int64_t m_dataStride = 0;
    };

    /// The converters of one column: for a bound buffer, and for SQLGetData.
    struct ColumnConverters
    {
        std::unique_ptr<PartialDataColumn> m_partial;
        std::unique_ptr<ColumnValueConverter> m_whole;
        // The C type last found convertible from the column's type (0 for none yet): a column
        // read row after row into one C type is checked once.
        int16_t m_convertibleCType = 0;
    };

    /// CheckConversion, once per column and C type.
    void CheckColumnConversion(ColumnConverters& io_converters, int16_t in_sqlType, int16_t in_cType, uint16_t in_column);

    /// Reads the bound columns of io_ard and decides which columns SQLGetData may read.
    void BuildBindings(AppDescriptorBase& io_ard);

    /// The SQLGetData permissions, and which columns' data the result is asked for.
    void BuildGetDataPermissions();

    /// Points every bound column at the first row of the rowset: the bind offset and the strides
    /// of row-wise or column-wise binding.
    void StartRowset(AppDescriptorBase& io_ard);

    /// Gives every bound column its converter for its buffer.
    void MakeColumnConverters();

    /// The value-by-value fetch of a rowset.
    SQLRETURN FetchRowByRow(uint64_t in_rowsetSize, SQLUSMALLINT* out_rowStatus, SQLULEN* out_rowsFetched);

    /// Converts every bound column of the current row, row in_row of the rowset; returns the
    /// row's status.
    SQLUSMALLINT ConvertRow(uint64_t in_row);

    /// Posts the outcome of converting one value: an error record or a warning at its row and
    /// column.
    void PostOutcome(const DataWarningOrError& in_outcome);

    /// Converts bound column in_column of the current row; true when a warning was posted.
    bool ConvertColumn(uint16_t in_column, BoundColumn& io_bound, uint64_t in_row);

    /// The bulk fetch of a rowset, when the result takes it: true with out_result set when the
    /// rowset was fetched that way.
    bool FetchInBulk(uint64_t in_rowsetSize,
                     SQLUSMALLINT* out_rowStatus,
                     SQLULEN* out_rowsFetched,
                     SQLRETURN& out_result);

    /// Whether the result fills bulk columns for the bound columns; asked again only when the
    /// bindings were read again or the result said yes before.
    bool IsBulkCapable(uint64_t in_rowsetSize);

    /// Makes the bulk columns, or points the existing ones at the new rowset.
    void PrepareBulkColumns();

    /// The statuses and return code of a rowset fetched in bulk.
    SQLRETURN FinishBulkRowset(uint64_t in_rowsetSize, uint64_t in_fetched, SQLUSMALLINT* out_rowStatus);

    /// The end of every fetch that delivered rows: the rows fetched, the row number and the
    /// SQLGetData state.
    void EndRowset(uint64_t in_rowsetSize, uint64_t in_fetched, SQLULEN* out_rowsFetched);

    /// The end of the result was reached before any row: SQL_NO_DATA.
    SQLRETURN EndOfResult(SQLULEN* out_rowsFetched);

    /// The converter of column in_column for SQLGetData of io_data: a PartialDataColumn or the
    /// whole-value converter, made (after the conversion check) when the column has none.
    void RetrieveFirst(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator);

    /// The next piece of a column already being read by SQLGetData.
    void RetrieveNext(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator);

    /// SQLGetData of column in_column into io_data after its checks, its length and indicator at
    /// io_lengthOrIndicator (a value of the driver's own, not the application's buffer).
    void RetrieveValue(uint16_t in_column, CDataWrapper& io_data, SQLLEN* io_lengthOrIndicator);

    /// The checks SQLGetData makes before it reads, in their order.
    void CheckGetData(uint16_t in_column);

    /// Whether column in_column is read in pieces into a buffer of C type in_cType.
    bool IsReadInParts(uint16_t in_column, int16_t in_cType) const;

    AppDescriptorBase* m_ard = nullptr;
    std::vector<BoundColumn> m_boundColumns;
    std::vector<ColumnConverters> m_fetchConverters;
    std::vector<ColumnConverters> m_getDataConverters;
    std::vector<std::unique_ptr<BulkColumn>> m_bulkColumns;

    /// The number of the current rowset's first row.
    uint64_t m_rowNumber = 1;

    /// The rowset size of the last fetch.
    uint64_t m_rowsInRowset = 0;

    /// The column SQLGetData read last, 0 when none since the fetch.
    uint16_t m_lastColumnRead = 0;

    /// A SQLGetData after the end of the last column read answers SQL_NO_DATA; cleared when a
    /// column before it was asked for.
    bool m_isNoMoreData = true;
    bool m_isGetDataInProgress = false;

    /// The last fetch found fewer rows than it wanted: the next one finds none. The cursor
    /// still stands on the rowset it fetched.
    bool m_isResultEnded = false;

    bool m_isBulkCapable = false;

    /// The converters are to be made again for the bindings.
    bool m_isRebuildNeeded = true;
};

} // namespace ODBC
} // namespace Orvik
