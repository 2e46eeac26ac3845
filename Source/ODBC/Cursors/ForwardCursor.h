#pragma once

#include "ODBC/Cursors/Cursor.h"

namespace Orvik {
namespace ODBC {

/// The forward-only cursor: it moves through the result's rows a rowset at a time, keeping the
/// row statuses, the rows fetched and the row number. Converting the rows into the bound buffers
/// and SQLGetData come with the column converters; until then a fetch moves through the rows
/// without converting and SQLGetData is refused.
class ForwardCursor : public Cursor
{
public:
    /// Arguments as Cursor's; the result is told that it is read forward only.
    ForwardCursor(Statement& io_statement,
                  DSI::IResult& io_result,
                  IDiagManager& io_diagnostics,
                  bool in_isUsingBookmarks,
                  bool in_isAscendingOrder);

    SQLRETURN FetchRows(SQLSMALLINT in_orientation,
                        SQLLEN in_offset,
                        uint64_t in_rowsetSize,
                        AppDescriptorBase& io_ard,
                        SQLUSMALLINT* out_rowStatus,
                        SQLULEN* out_rowsFetched) override;

    uint64_t GetRowNumber() override;

    /// Throws "GetDataNotSupported" (HYC00): no column converter reads values yet.
    void GetData(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator) override;

private:
    /// The number of the current rowset's first row.
    uint64_t m_rowNumber = 1;

    /// The rowset size of the last fetch.
    uint64_t m_rowsInRowset = 0;

    /// The last fetch found fewer rows than it wanted: the next one finds none. The cursor
    /// still stands on the rowset it fetched.
    bool m_isResultEnded = false;
};

} // namespace ODBC
} // namespace Orvik
