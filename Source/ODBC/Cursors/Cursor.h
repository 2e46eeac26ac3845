#pragma once

#include <sql.h>

#include <cstdint>
#include <vector>

namespace Orvik {

namespace DSI {
class IResult;
} // namespace DSI

namespace Support {
class SqlTypeMetadata;
} // namespace Support

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

    /// Throws "DataConvNotSupported" (07006) at column in_column when values of SQL type
    /// in_sqlType cannot be delivered as C type in_cType.
    static void CheckConversion(int16_t in_sqlType, int16_t in_cType, uint16_t in_column);

protected:
    /// Where the cursor stands.
    enum class Position
    {
        BEFORE_FIRST,
        ON_ROWSET,
        AFTER_LAST
    };

    /// What the cursor keeps of one result column.
    struct ColumnEntry
    {
        const Support::SqlTypeMetadata* m_metadata;
        int16_t m_sqlType;
        /// Character, wide-character or binary data, which SQLGetData and bound character and
        /// binary buffers take in pieces.
        bool m_isInParts;
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

    /// Whether SQLGetData may read column in_column (0 is the bookmark).
    bool IsGetDataPermitted(uint16_t in_column) const
    {
        return in_column < m_getDataPermitted.size() && m_getDataPermitted[in_column];
    }

    Statement& m_statement;
    IDiagManager& m_diagnostics;
    DSI::IResult& m_result;
    /// One entry per result column, in column order (column n at n - 1).
    std::vector<ColumnEntry> m_columns;
    /// Per column number from 0 to the count: whether SQLGetData may read it. Empty until the
    /// bindings are built, and again after a fetch of more than one row.
    std::vector<bool> m_getDataPermitted;
    uint16_t m_columnCount = 0;
    /// The highest column number that has a bound buffer; 0 when none has.
    uint16_t m_highestBoundColumn = 0;
    Position m_position = Position::BEFORE_FIRST;
    bool m_isUsingBookmarks;
    bool m_isAscendingOrder;
};

} // namespace ODBC
} // namespace Orvik
