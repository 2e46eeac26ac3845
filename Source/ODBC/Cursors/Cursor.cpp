#include "ODBC/Cursors/Cursor.h"

#include "DSI/Client/IColumns.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSILog.h"
#include "ODBC/Handles/Statement.h"

namespace Orvik {
namespace ODBC {

Cursor::Cursor(Statement& io_statement,
               DSI::IResult& io_result,
               IDiagManager& io_diagnostics,
               bool in_isUsingBookmarks,
               bool in_isAscendingOrder)
    : m_statement(io_statement),
      m_diagnostics(io_diagnostics),
      m_result(io_result),
      m_isUsingBookmarks(in_isUsingBookmarks),
      m_isAscendingOrder(in_isAscendingOrder)
{
    const DSI::IColumns* columns = io_result.GetSelectColumns();
    m_columnCount = columns == nullptr ? 0 : columns->GetCount();
    if (m_columnCount == 0 && io_statement.GetLog() != nullptr)
    {
        io_statement.GetLog()->LogWarning("Orvik::ODBC", "Cursor", "Cursor",
                                          "Treating the result set as a row count because no columns have been returned.");
    }
}

Cursor::~Cursor() = default;

} // namespace ODBC
} // namespace Orvik
