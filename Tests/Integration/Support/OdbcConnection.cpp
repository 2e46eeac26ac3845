#include "Integration/Support/OdbcConnection.h"

#include "Integration/Support/OdbcError.h"

#include <sqlucode.h>

#include <vector>

namespace Pelta {
namespace Test {

namespace {

/// Connects in_connection with the wide SQLDriverConnectW; the completed string in ASCII.
SQLRETURN ConnectWide(SQLHDBC in_connection, const std::string& in_connectionString, std::string& out_completed)
{
    std::vector<SQLWCHAR> text(in_connectionString.begin(), in_connectionString.end());
    text.push_back(0);
    SQLWCHAR completed[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN result = SQLDriverConnectW(in_connection, nullptr, text.data(), SQL_NTS, completed, 1024, &length,
                                               SQL_DRIVER_NOPROMPT);
    for (const SQLWCHAR* character = completed; *character != 0; ++character)
    {
        out_completed += static_cast<char>(*character);
    }
    return result;
}

} // namespace

OdbcConnection::OdbcConnection(const std::string& in_connectionString, Application in_application)
{
    OdbcError::Check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_environment), SQL_HANDLE_ENV, SQL_NULL_HANDLE,
                     "SQLAllocHandle(SQL_HANDLE_ENV)");
    try
    {
        OdbcError::Check(SQLSetEnvAttr(m_environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0),
                         SQL_HANDLE_ENV, m_environment, "SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION)");
        OdbcError::Check(SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &m_connection), SQL_HANDLE_ENV, m_environment,
                         "SQLAllocHandle(SQL_HANDLE_DBC)");
        if (in_application == Application::UNICODE_APPLICATION)
        {
            OdbcError::Check(ConnectWide(m_connection, in_connectionString, m_completed), SQL_HANDLE_DBC, m_connection,
                             "SQLDriverConnectW(" + in_connectionString + ")");
        }
        else
        {
            SQLCHAR completed[1024] = {};
            SQLSMALLINT length = 0;
            OdbcError::Check(SQLDriverConnect(m_connection, nullptr,
                                              reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_connectionString.c_str())),
                                              SQL_NTS, completed, sizeof completed, &length, SQL_DRIVER_NOPROMPT),
                             SQL_HANDLE_DBC, m_connection, "SQLDriverConnect(" + in_connectionString + ")");
            m_completed = reinterpret_cast<char*>(completed);
        }
    }
    catch (...)
    {
        if (m_connection != SQL_NULL_HDBC)
        {
            SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
        }
        SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
        throw;
    }
}

OdbcConnection::~OdbcConnection()
{
    SQLDisconnect(m_connection);
    SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
    SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

std::string OdbcConnection::GetInfoText(SQLUSMALLINT in_infoType)
{
    SQLCHAR value[1024] = {};
    SQLSMALLINT length = 0;
    OdbcError::Check(SQLGetInfo(m_connection, in_infoType, value, sizeof value, &length), SQL_HANDLE_DBC, m_connection,
                     "SQLGetInfo(" + std::to_string(in_infoType) + ")");
    return reinterpret_cast<char*>(value);
}

} // namespace Test
} // namespace Pelta
