#include "ODBC/Cursors/ForwardCursor.h"

#include "DSI/Client/IResult.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

ForwardCursor::ForwardCursor(Statement& io_statement,
                             DSI::IResult& io_result,
                             IDiagManager& io_diagnostics,
                             bool in_isUsingBookmarks,
                             bool in_isAscendingOrder)
    : Cursor(io_statement, io_result, io_diagnostics, in_isUsingBookmarks, in_isAscendingOrder)
{
    io_result.SetCursorType(DSI::DSI_FORWARD_ONLY);
}

SQLRETURN ForwardCursor::FetchRows(SQLSMALLINT in_orientation,
                                   SQLLEN,
                                   uint64_t in_rowsetSize,
                                   AppDescriptorBase&,
                                   SQLUSMALLINT* out_rowStatus,
                                   SQLULEN* out_rowsFetched)
{
    if (in_orientation != SQL_FETCH_NEXT)
    {
        throw ErrorException(DIAG_FETCH_TYPE_OUT_OF_RANGE, ODBC_COMPONENT_ID, u"FetchTypeNotSupported", -1, -1);
    }
    if (m_position == Position::AFTER_LAST || m_isResultEnded)
    {
        m_position = Position::AFTER_LAST;
        if (out_rowsFetched != nullptr)
        {
            *out_rowsFetched = 0;
        }
        return SQL_NO_DATA;
    }
    if (in_rowsetSize != m_rowsInRowset)
    {
        m_result.SetRowsetSize(in_rowsetSize);
    }
    uint64_t fetched = 0;
    while (fetched < in_rowsetSize && m_result.Move(DSI::DSI_DIR_NEXT, 0))
    {
        if (out_rowStatus != nullptr)
        {
            out_rowStatus[fetched] = SQL_ROW_SUCCESS;
        }
        ++fetched;
    }
    if (fetched == 0)
    {
        // Nothing was fetched: the statuses keep what they held.
        m_position = Position::AFTER_LAST;
        if (out_rowsFetched != nullptr)
        {
            *out_rowsFetched = 0;
        }
        return SQL_NO_DATA;
    }
    m_isResultEnded = fetched < in_rowsetSize;
    for (uint64_t missing = fetched; missing < in_rowsetSize && out_rowStatus != nullptr; ++missing)
    {
        out_rowStatus[missing] = SQL_ROW_NOROW;
    }
    if (out_rowsFetched != nullptr)
    {
        *out_rowsFetched = fetched;
    }
    m_rowNumber = m_position == Position::BEFORE_FIRST ? 1 : m_rowNumber + m_rowsInRowset;
    m_position = Position::ON_ROWSET;
    m_rowsInRowset = in_rowsetSize;
    return SQL_SUCCESS;
}

uint64_t ForwardCursor::GetRowNumber()
{
    if (m_position != Position::ON_ROWSET)
    {
        throw ErrorException(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorPos", -1, -1);
    }
    return m_rowNumber;
}

void ForwardCursor::GetData(uint16_t, CDataWrapper&, SQLLEN*)
{
    throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"GetDataNotSupported", -1, -1);
}

} // namespace ODBC
} // namespace Orvik
