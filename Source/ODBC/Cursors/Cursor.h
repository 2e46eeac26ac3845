#pragma once

#include <sql.h>

#include <cstdint>

namespace Orvik {

namespace DSI {
class IResult;
} // namespace DSI

namespace ODBC {

class AppDescriptorBase;
class CDataWrapper;
class IDiagManager;
class Statement;

/// Reads the current result of a statement as rowsets, forward only: it serves SQLFetch,
/// SQLFetchScroll and SQLExtendedFetch through the query manager, SQLGetData, and the row number.
/// It lives from the moment the statement enters a cursor state until the cursor is closed.
class Cursor
{
public:
    virtual ~Cursor();

    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    /// Fetches the next rowset of in_rowsetSize rows into the buffers io_ard binds, writing a
    /// status per row to out_rowStatus and the rows fetched to out_rowsFetched (each when given).
    /// Only SQL_FETCH_NEXT is served ("FetchTypeNotSupported", HY106, otherwise); in_offset is
    /// not used. Returns SQL_SUCCESS, SQL_SUCCESS_WITH_INFO, SQL_ERROR or SQL_NO_DATA.
    virtual SQLRETURN FetchRows(SQLSMALLINT in_orientation,
                                SQLLEN in_offset,
                                uint64_t in_rowsetSize,
                                AppDescriptorBase& io_ard,
                                SQLUSMALLINT* out_rowStatus,
                                SQLULEN* out_rowsFetched) = 0;

    /// The number of the current rowset's first row, from 1; "InvalidCursorPos" (24000) off a
    /// rowset.
    virtual uint64_t GetRowNumber() = 0;

    /// SQLGetData: reads column in_column of the current row into the buffer io_data describes,
    /// its length or indicator to out_lengthOrIndicator; NoDataException when the column's data
    /// is used up.
    virtual void GetData(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator) = 0;

    /// Whether the cursor stands on a rowset.
    bool IsOnRow() const { return m_position == Position::ON_ROWSET; }

protected:
    /// Where the cursor stands.
    enum class Position
    {
        BEFORE_FIRST,
        ON_ROWSET,
        AFTER_LAST
    };

    /// A cursor over io_result (not owned) of io_statement, posting to io_diagnostics;
    /// in_isUsingBookmarks when SQL_ATTR_USE_BOOKMARKS is SQL_UB_VARIABLE, in_isAscendingOrder
    /// when SQLGetData must read columns in ascending order. A result without columns is read
    /// as rows without columns, with a warning in the log.
    Cursor(Statement& io_statement,
           DSI::IResult& io_result,
           IDiagManager& io_diagnostics,
           bool in_isUsingBookmarks,
           bool in_isAscendingOrder);

    Statement& m_statement;
    IDiagManager& m_diagnostics;
    DSI::IResult& m_result;
    uint16_t m_columnCount = 0;
    Position m_position = Position::BEFORE_FIRST;
    bool m_isUsingBookmarks;
    bool m_isAscendingOrder;
};

} // namespace ODBC
} // namespace Orvik
