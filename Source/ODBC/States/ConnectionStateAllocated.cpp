#include "ODBC/States/ConnectionStateAllocated.h"

#include "DSI/DSIConnection.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Settings/ConnectionSettings.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/ErrorException.h"
#include "Support/SqlState.h"

#include <sqlext.h>

#include <memory>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "ConnectionStateAllocated";

[[noreturn]] void RefuseIncomplete(const ConnectionSettings& in_settings)
{
    throw ErrorException(DIAG_UNABLE_TO_CONNECT, ODBC_COMPONENT_ID, u"UnableToEstConn",
                         {in_settings.ListMissingRequired()}, -1, -1);
}

/// The settings of a connection string that must be given.
std::unique_ptr<ConnectionSettings> ReadConnectionString(SQLWCHAR* in_connectionString, SQLSMALLINT in_stringLength)
{
    if (in_connectionString == nullptr)
    {
        throw ODBCInternalException(u"InvalidConnStr");
    }
    return std::make_unique<ConnectionSettings>(WideArgument::Read(in_connectionString, in_stringLength));
}

} // namespace

SQLRETURN ConnectionStateAllocated::SQLAllocHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLAllocHandle");
    RefuseAllocation(in_handleType);
}

SQLRETURN ConnectionStateAllocated::SQLBrowseConnectW(Connection& io_connection,
                                                      SQLWCHAR* in_connectionString,
                                                      SQLSMALLINT in_stringLength,
                                                      SQLWCHAR* out_connectionString,
                                                      SQLSMALLINT in_bufferLength,
                                                      SQLSMALLINT* out_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLBrowseConnectW");
    DSI::DSIConnection& dataStore = io_connection.GetDSIConnection();
    DiagManager& diagnostics = io_connection.GetDiagManager();
    std::unique_ptr<ConnectionSettings> settings = ReadConnectionString(in_connectionString, in_stringLength);
    settings->UpdateRequests(dataStore);
    if (diagnostics.HasRecordWithState(SqlState("01S00")))
    {
        settings->ResetToDriverOrDsn();
        settings->UpdateRequests(dataStore);
        WriteOutString(io_connection, *settings, out_connectionString, in_bufferLength, out_stringLength);
        io_connection.SetSettings(std::move(settings));
        return SQL_NEED_DATA;
    }
    bool isCut = false;
    const bool isComplete =
        settings->BuildOutConnectionString(isCut, out_connectionString, in_bufferLength, out_stringLength);
    if (!isComplete || isCut)
    {
        // A completed string that does not fit is not connected with: the application could not
        // use it to connect again.
        if (isCut)
        {
            PostTruncation(io_connection);
        }
        io_connection.SetSettings(std::move(settings));
        return SQL_NEED_DATA;
    }
    try
    {
        ConnectDataStore(io_connection, *settings);
    }
    catch (const ErrorException& e)
    {
        if (e.GetDiagState() != DIAG_INVALID_AUTHORIZATION)
        {
            throw;
        }
        diagnostics.PostError(e);
        settings->RemoveCredentials();
        settings->UpdateRequests(dataStore);
        WriteOutString(io_connection, *settings, out_connectionString, in_bufferLength, out_stringLength);
        io_connection.SetSettings(std::move(settings));
        return SQL_NEED_DATA;
    }
    diagnostics.SetLocale(dataStore.GetLocale());
    return UnlessErrorPosted(io_connection, SQL_SUCCESS);
}

SQLRETURN ConnectionStateAllocated::SQLConnectW(Connection& io_connection,
                                                SQLWCHAR* in_serverName,
                                                SQLSMALLINT in_serverNameLength,
                                                SQLWCHAR* in_userName,
                                                SQLSMALLINT in_userNameLength,
                                                SQLWCHAR* in_authentication,
                                                SQLSMALLINT in_authenticationLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLConnectW");
    ConnectionSettings settings(WideArgument::Read(in_serverName, in_serverNameLength),
                                WideArgument::Read(in_userName, in_userNameLength),
                                WideArgument::Read(in_authentication, in_authenticationLength));
    settings.UpdateRequests(io_connection.GetDSIConnection());
    if (!settings.IsComplete())
    {
        RefuseIncomplete(settings);
    }
    ConnectDataStore(io_connection, settings);
    return UnlessErrorPosted(io_connection, SQL_SUCCESS);
}

SQLRETURN ConnectionStateAllocated::SQLDisconnect(Connection& io_connection)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLDisconnect");
    RefuseNotConnected();
}

SQLRETURN ConnectionStateAllocated::SQLDriverConnectW(Connection& io_connection,
                                                      SQLHWND in_window,
                                                      SQLWCHAR* in_connectionString,
                                                      SQLSMALLINT in_stringLength,
                                                      SQLWCHAR* out_connectionString,
                                                      SQLSMALLINT in_bufferLength,
                                                      SQLSMALLINT* out_stringLength,
                                                      SQLUSMALLINT in_driverCompletion)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLDriverConnectW");
    if (in_driverCompletion > SQL_DRIVER_COMPLETE_REQUIRED)
    {
        throw ErrorException(DIAG_INVALID_DRIVER_COMPLETION, ODBC_COMPONENT_ID, u"InvalidDriverCompletion", -1, -1);
    }
    DSI::DSIConnection& dataStore = io_connection.GetDSIConnection();
    std::unique_ptr<ConnectionSettings> settings = ReadConnectionString(in_connectionString, in_stringLength);
    bool mustPrompt = in_driverCompletion == SQL_DRIVER_PROMPT;
    if (!mustPrompt)
    {
        settings->UpdateRequests(dataStore);
        if (!settings->IsComplete() && in_driverCompletion == SQL_DRIVER_NOPROMPT)
        {
            RefuseIncomplete(*settings);
        }
        mustPrompt = !settings->IsComplete();
    }
    if (mustPrompt && settings->PromptForSettings(dataStore, in_window, in_driverCompletion) == SQL_NO_DATA)
    {
        return SQL_NO_DATA;
    }
    bool isCut = false;
    settings->BuildOutConnectionString(isCut, out_connectionString, in_bufferLength, out_stringLength);
    ConnectDataStore(io_connection, *settings);
    io_connection.GetDiagManager().SetLocale(dataStore.GetLocale());
    if (isCut)
    {
        PostTruncation(io_connection);
    }
    return UnlessErrorPosted(io_connection, isCut ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS);
}

SQLRETURN ConnectionStateAllocated::SQLExecute(Connection& io_connection, Statement&)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLExecute");
    return SQL_INVALID_HANDLE;
}

SQLRETURN ConnectionStateAllocated::SQLExecDirectW(Connection& io_connection, Statement&, SQLWCHAR*, SQLINTEGER)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLExecDirectW");
    return SQL_INVALID_HANDLE;
}

void ConnectionStateAllocated::SQLFreeHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLFreeHandle");
    FreeWithoutStatements(io_connection, in_handleType, in_handle);
}

SQLRETURN ConnectionStateAllocated::SQLGetFunctions(Connection& io_connection, SQLUSMALLINT, SQLUSMALLINT*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetFunctions");
    RefuseSequence();
}

void ConnectionStateAllocated::SQLNativeSqlW(Connection& io_connection,
                                             SQLWCHAR*,
                                             SQLINTEGER,
                                             SQLWCHAR*,
                                             SQLINTEGER,
                                             SQLINTEGER*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLNativeSqlW");
    RefuseNotConnected();
}

void ConnectionStateAllocated::SQLGetConnectAttr(Connection& io_connection,
                                                 SQLINTEGER in_attribute,
                                                 SQLPOINTER out_value,
                                                 SQLINTEGER in_bufferLength,
                                                 SQLINTEGER* out_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetConnectAttr");
    try
    {
        ConnectionState::SQLGetConnectAttr(io_connection, in_attribute, out_value, in_bufferLength, out_stringLength);
    }
    catch (const NoDataException&)
    {
        if ((in_attribute >= SQL_ATTR_ACCESS_MODE && in_attribute <= SQL_ATTR_TRACEFILE) ||
            in_attribute == SQL_ATTR_ODBC_CURSORS)
        {
            throw;
        }
        RefuseNotConnected();
    }
}

void ConnectionStateAllocated::SQLSetConnectAttr(Connection& io_connection,
                                                 SQLINTEGER in_attribute,
                                                 SQLPOINTER in_value,
                                                 SQLINTEGER in_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLSetConnectAttr");
    if (in_attribute == SQL_ATTR_TRANSLATE_LIB || in_attribute == SQL_ATTR_TRANSLATE_OPTION)
    {
        RefuseNotConnected();
    }
    ConnectionState::SQLSetConnectAttr(io_connection, in_attribute, in_value, in_stringLength);
}

SQLRETURN ConnectionStateAllocated::ExecuteCatalogFunction(Connection& io_connection,
                                                           Statement&,
                                                           int32_t,
                                                           const std::vector<Variant>&)
{
    LogEntrance(io_connection, LOG_CLASS, "ExecuteCatalogFunction");
    RefuseSequence();
}

} // namespace ODBC
} // namespace Orvik
