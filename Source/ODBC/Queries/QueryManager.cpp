#include "ODBC/Queries/QueryManager.h"

#include "DSI/DSIConnection.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIStatement.h"
#include "DSI/StatementPropertyKey.h"
#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Cursors/ForwardCursor.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Statement.h"
#include "Support/AttributeData.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

QueryManager::QueryManager(Statement& io_statement)
    : m_statement(io_statement),
      m_rowsetSize(io_statement.GetDSIStatement().GetProperty(DSI::STMT_PROP_ROWSET_SIZE)->GetUIntNativeValue())
{
}

QueryManager::~QueryManager() = default;

bool QueryManager::MoveToNextResult()
{
    return false;
}

uint16_t QueryManager::GetNumParams()
{
    return 0;
}

void QueryManager::CreateCursor()
{
    DSI::IResult* result = GetCurrentResult();
    if (result == nullptr)
    {
        throw ODBCInternalException(u"NoMoreDataToFetch");
    }
    StatementAttributes& attributes = m_statement.GetAttributes();
    if (attributes.GetValue(SQL_ATTR_CURSOR_TYPE) != SQL_CURSOR_FORWARD_ONLY)
    {
        throw ODBCInternalException(u"InvalidCursorType");
    }
    DSI::DSIDriver* driver = m_statement.GetDSIStatement().GetParentConnection()->GetParentEnvironment()->GetParentDriver();
    const int16_t retrievalOrder = driver->GetProperty(DSI::DRIVER_PROP_GETDATA_EXTENSIONS)->GetInt16Value();
    m_cursor = std::make_unique<ForwardCursor>(m_statement, *result, m_statement.GetDiagManager(),
                                               attributes.GetValue(SQL_ATTR_USE_BOOKMARKS) == SQL_UB_VARIABLE,
                                               retrievalOrder != 1);
}

SQLRETURN QueryManager::Fetch(SQLSMALLINT in_orientation,
                              SQLLEN in_offset,
                              uint64_t in_rowsetSize,
                              SQLUSMALLINT* out_rowStatus,
                              SQLULEN* out_rowsFetched)
{
    AppDescriptorBase& ard = m_statement.GetCurrentARD();
    if (!m_cursor)
    {
        CreateCursor();
    }
    if (in_rowsetSize != m_rowsetSize)
    {
        DSI::DSIStatement& dataStore = m_statement.GetDSIStatement();
        std::unique_ptr<AttributeData> size(AttributeData::MakeNewUIntNativeAttributeData(in_rowsetSize));
        std::unique_ptr<AttributeData> bound = dataStore.ClampPropertyValue(DSI::STMT_PROP_ROWSET_SIZE, *size);
        dataStore.SetProperty(DSI::STMT_PROP_ROWSET_SIZE, bound ? std::move(bound) : std::move(size));
        m_rowsetSize = in_rowsetSize;
    }
    return m_cursor->FetchRows(in_orientation, in_offset, in_rowsetSize, ard, out_rowStatus, out_rowsFetched);
}

void QueryManager::CloseCursor()
{
    m_statement.GetCurrentARD().SetBindingsChanged(true);
    m_cursor.reset();
}

uint64_t QueryManager::GetRowNumber()
{
    if (!m_cursor)
    {
        throw ErrorException(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorPos", -1, -1);
    }
    return m_cursor->GetRowNumber();
}

bool QueryManager::IsOnRow() const
{
    return m_cursor && m_cursor->IsOnRow();
}

} // namespace ODBC
} // namespace Orvik
