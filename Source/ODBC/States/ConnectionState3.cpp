#include "ODBC/States/ConnectionState3.h"

#include "DSI/DSIConnection.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Settings/ConnectionSettings.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "ConnectionState3";

} // namespace

SQLRETURN ConnectionState3::SQLAllocHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLAllocHandle");
    RefuseAllocation(in_handleType);
}

SQLRETURN ConnectionState3::SQLBrowseConnectW(Connection& io_connection,
                                              SQLWCHAR* in_connectionString,
                                              SQLSMALLINT in_stringLength,
                                              SQLWCHAR* out_connectionString,
                                              SQLSMALLINT in_bufferLength,
                                              SQLSMALLINT* out_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLBrowseConnectW");
    ConnectionSettings* settings = io_connection.GetSettings();
    if (settings == nullptr)
    {
        RefuseSequence();
    }
    DiagManager& diagnostics = io_connection.GetDiagManager();
    const orvik_wstring input = WideArgument::Read(in_connectionString, in_stringLength);
    const ConnectionSettings backup(*settings);
    if (!settings->MergeBrowseInput(diagnostics, input))
    {
        WriteOutString(io_connection, *settings, out_connectionString, in_bufferLength, out_stringLength);
        return SQL_NEED_DATA;
    }
    settings->UpdateRequests(io_connection.GetDSIConnection());
    bool isCut = false;
    if (!settings->BuildOutConnectionString(isCut, out_connectionString, in_bufferLength, out_stringLength))
    {
        if (isCut)
        {
            PostTruncation(io_connection);
        }
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
        *settings = backup;
        isCut = false;
        settings->BuildOutConnectionString(isCut, out_connectionString, in_bufferLength, out_stringLength);
        diagnostics.PostError(e);
        if (isCut)
        {
            PostTruncation(io_connection);
        }
        return SQL_NEED_DATA;
    }
    if (isCut)
    {
        PostTruncation(io_connection);
    }
    // A connect that failed is a failure even when the completed string was also cut.
    return UnlessErrorPosted(io_connection, isCut ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS);
}

SQLRETURN ConnectionState3::SQLGetFunctions(Connection& io_connection, SQLUSMALLINT, SQLUSMALLINT*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetFunctions");
    RefuseSequence();
}

void ConnectionState3::SQLNativeSqlW(Connection& io_connection, SQLWCHAR*, SQLINTEGER, SQLWCHAR*, SQLINTEGER, SQLINTEGER*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLNativeSqlW");
    RefuseNotConnected();
}

void ConnectionState3::SQLGetConnectAttr(Connection& io_connection, SQLINTEGER, SQLPOINTER, SQLINTEGER, SQLINTEGER*)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetConnectAttr");
    RefuseSequence();
}

void ConnectionState3::SQLSetConnectAttr(Connection& io_connection, SQLINTEGER, SQLPOINTER, SQLINTEGER)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLSetConnectAttr");
    RefuseSequence();
}

} // namespace ODBC
} // namespace Orvik
