#include "ODBC/Handles/Connection.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIConnection.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Handles/Environment.h"
#include "Support/AttributeData.h"

#include <sqlext.h>

#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

Connection::Connection(Environment& io_environment, std::unique_ptr<DSI::DSIConnection> in_dsiConnection)
    : m_environment(io_environment),
      m_dsiConnection(std::move(in_dsiConnection)),
      m_messageSource(m_dsiConnection->GetMessageSource()),
      m_diagnostics(std::make_unique<DiagManager>(m_messageSource.Get(), orvik_wstring(u""), orvik_wstring(u"")))
{
    m_diagnostics->SetOdbcVersion(io_environment.GetAttributes().GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value());
}

Connection::~Connection() = default;

SQLRETURN Connection::SQLEndTran(SQLSMALLINT, SQLSMALLINT)
{
    return SQL_SUCCESS;
}

} // namespace ODBC
} // namespace Orvik
