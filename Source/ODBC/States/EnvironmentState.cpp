#include "ODBC/States/EnvironmentState.h"

#include "DSI/DSIConnection.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/States/EnvironmentState2Connection.h"
#include "Support/AttributeData.h"
#include "Support/ICredentialFactory.h"
#include "Support/ICredentials.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// Driver property 20: its lowest bit asks for connections made with the current user's
// credentials.
bool ConnectsWithCredentials(DSI::DSIDriver& io_driver)
{
    const AttributeData& value = *io_driver.GetProperty(DSI::DRIVER_PROP_CONNECT_WITH_CREDENTIALS);
    const uint32_t flags = value.GetAttributeType() == ATTR_UINT32 ? value.GetUInt32Value()
                                                                   : static_cast<uint32_t>(value.GetInt32Value());
    return (flags & 1) != 0;
}

std::unique_ptr<DSI::DSIConnection> MakeDataStoreConnection(DSI::DSIEnvironment& io_environment)
{
    DSI::DSIDriver& driver = *io_environment.GetParentDriver();
    if (ConnectsWithCredentials(driver))
    {
        std::unique_ptr<ICredentials> credentials(driver.CreateCredentialFactory()->GetLocalCredentials());
        if (credentials)
        {
            return io_environment.CreateConnectionWithCredentials(credentials.get());
        }
    }
    return io_environment.CreateConnection();
}

} // namespace

EnvironmentState::EnvironmentState(Environment& io_environment) : m_environment(io_environment)
{
}

EnvironmentState::~EnvironmentState() = default;

void EnvironmentState::SQLGetEnvAttr(SQLINTEGER in_attribute,
                                     SQLPOINTER out_value,
                                     SQLINTEGER in_bufferLength,
                                     SQLINTEGER* out_stringLength)
{
    LogEntrance("EnvironmentState", "SQLGetEnvAttr");
    m_environment.GetAttributes().GetAttributeToBuffer(in_attribute, out_value, in_bufferLength, out_stringLength);
}

std::unique_ptr<Connection> EnvironmentState::MakeConnection(SQLSMALLINT in_handleType)
{
    if (in_handleType != SQL_HANDLE_DBC)
    {
        throw ODBCInternalException(u"AllocNonConnInEnv");
    }
    // Without the shared connection states (start-up met an illegal encoding) no connection
    // could work: the allocation fails with the reason.
    if (m_environment.GetDriver().GetConnectionState(2) == nullptr)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"DriverConfigurationWarningEncoding", -1, -1);
    }
    auto connection = std::make_unique<Connection>(m_environment, MakeDataStoreConnection(m_environment.GetDSIEnvironment()));
    connection->GetDSIConnection().RegisterWarningListener(&connection->GetDiagManager());
    return connection;
}

std::unique_ptr<EnvironmentState> EnvironmentState::AdoptConnection(std::unique_ptr<Connection> in_connection,
                                                                    bool in_isFirst,
                                                                    SQLHANDLE* out_handle)
{
    if (out_handle == nullptr)
    {
        throw ErrorException(DIAG_INVALID_NULL_POINTER, ODBC_COMPONENT_ID, u"InvalidNullPtr", -1, -1);
    }
    Driver& driver = m_environment.GetDriver();
    const HandleValue handle = driver.RegisterConnection(in_connection.get());
    std::unique_ptr<EnvironmentState> next;
    try
    {
        if (in_isFirst)
        {
            next = std::make_unique<EnvironmentState2Connection>(m_environment, std::move(in_connection));
        }
        else
        {
            m_environment.AddConnection(std::move(in_connection));
        }
    }
    catch (...)
    {
        // The connection is gone with the exception; so is its handle.
        driver.UnregisterConnection(handle);
        throw;
    }
    *out_handle = reinterpret_cast<SQLHANDLE>(handle);
    return next;
}

void EnvironmentState::LogEntrance(const char* in_class, const char* in_method)
{
    if (DSI::DSILog* log = m_environment.GetLog())
    {
        log->LogFunctionEntrance("Orvik::ODBC", in_class, in_method);
    }
}

} // namespace ODBC
} // namespace Orvik
