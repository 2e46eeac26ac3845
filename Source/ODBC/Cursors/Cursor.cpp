#include "ODBC/Cursors/Cursor.h"

#include "DSI/Client/IColumn.h"
#include "DSI/Client/IColumns.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSILog.h"
#include "ODBC/Cursors/CanConvertSqlToC.h"
#include "ODBC/Handles/Statement.h"
#include "Support/ErrorException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

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
    m_columns.reserve(m_columnCount);
    for (uint16_t index = 0; index < m_columnCount; ++index)
    {
        const SqlTypeMetadata* metadata = columns->GetColumn(index)->GetMetadata();
        m_columns.push_back({metadata, metadata->GetConciseType(),
                             metadata->IsCharacter() || metadata->IsWideCharacter() || metadata->IsBinary()});
    }
}

Cursor::~Cursor() = default;

void Cursor::CheckConversion(int16_t in_sqlType, int16_t in_cType, uint16_t in_column)
{
    if (!CanConvertSqlToC(in_sqlType, in_cType))
    {
        throw ErrorException(DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE, ODBC_COMPONENT_ID, u"DataConvNotSupported", -1,
                             in_column);
    }
}

} // namespace ODBC
} // namespace Orvik
