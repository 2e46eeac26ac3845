#pragma once

#include <sql.h>

#include <memory>

namespace Orvik {
namespace ODBC {

class Connection;
class Environment;
struct EnvironmentStateResult;

/// A state of the ODBC environment state machine: it checks the environment's calls against
/// the state and carries them out. The environment owns one; a transition hands back its
/// successor, which replaces it. Failures are thrown; the environment posts them.
class EnvironmentState
{
public:
    virtual ~EnvironmentState();

    EnvironmentState(const EnvironmentState&) = delete;
    EnvironmentState& operator=(const EnvironmentState&) = delete;

    /// Allocates a connection (the only handle type an environment allocates); its handle goes
    /// to out_handle.
    virtual EnvironmentStateResult
    SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE in_inputHandle, SQLHANDLE* out_handle) = 0;

    /// Commits (0) or rolls back (1) every connection in a transaction.
    virtual EnvironmentStateResult SQLEndTran(SQLSMALLINT in_completionType) = 0;

    /// Frees connection in_handle; the successor, or null to stay.
    virtual std::unique_ptr<EnvironmentState> SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle) = 0;

    virtual void SQLSetEnvAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) = 0;

    /// The attribute's value into the application's buffer, in every state.
    void SQLGetEnvAttr(SQLINTEGER in_attribute,
                       SQLPOINTER out_value,
                       SQLINTEGER in_bufferLength,
                       SQLINTEGER* out_stringLength);

protected:
    explicit EnvironmentState(Environment& io_environment);

    /// A new connection of the environment over a new data-store connection, its diagnostics
    /// listening to that connection; throws "AllocNonConnInEnv" for another handle type.
    std::unique_ptr<Connection> MakeConnection(SQLSMALLINT in_handleType);

    /// Registers in_connection with the driver and hands it to the environment: the first
    /// connection goes to the new state "connection" that is returned, later ones go straight
    /// to the environment's list (null is returned). The handle goes to out_handle.
    std::unique_ptr<EnvironmentState> AdoptConnection(std::unique_ptr<Connection> in_connection,
                                                      bool in_isFirst,
                                                      SQLHANDLE* out_handle);

    void LogEntrance(const char* in_class, const char* in_method);

    Environment& m_environment;
};

/// What allocating a handle and ending transactions give back: the successor state (null to
/// stay) and the return code.
struct EnvironmentStateResult
{
    std::unique_ptr<EnvironmentState> m_nextState;
    SQLRETURN m_result = SQL_SUCCESS;
};

} // namespace ODBC
} // namespace Orvik
