#pragma once

#include "Support/SharedPtr.h"

#include <sql.h>

#include <memory>

namespace Orvik {

namespace DSI {
class DSIConnection;
class DSIMessageSource;
} // namespace DSI

namespace ODBC {

class DiagManager;
class Environment;

/// The object behind one connection handle, as far as its environment needs it: its data-store
/// connection, its diagnostics and whether it is in a transaction. The connection functions,
/// attributes, states and transactions join it with the connection layer.
class Connection
{
public:
    /// A connection of io_environment over in_dsiConnection; its diagnostics follow the
    /// environment's ODBC version.
    Connection(Environment& io_environment, std::unique_ptr<DSI::DSIConnection> in_dsiConnection);
    ~Connection();

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Environment& GetEnvironment() { return m_environment; }
    DSI::DSIConnection& GetDSIConnection() { return *m_dsiConnection; }
    DiagManager& GetDiagManager() { return *m_diagnostics; }

    /// Whether a transaction is open; none is until the connection functions open them.
    bool IsInTransaction() const { return false; }

    /// Ends the open transaction, of which there is none until the connection functions open
    /// them: SQL_SUCCESS.
    SQLRETURN SQLEndTran(SQLSMALLINT in_handleType, SQLSMALLINT in_completionType);

private:
    Environment& m_environment;
    std::unique_ptr<DSI::DSIConnection> m_dsiConnection;
    Support::SharedPtr<DSI::DSIMessageSource> m_messageSource;
    std::unique_ptr<DiagManager> m_diagnostics;
};

} // namespace ODBC
} // namespace Orvik
