#include "Integration/Support/OdbcConnection.h"

#include "Integration/Support/OdbcError.h"

namespace Pelta {
namespace Test {

OdbcConnection::OdbcConnection(const std::string& in_connectionString)
{
    OdbcError::Check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_environment), SQL_HANDLE_ENV, SQL_NULL_HANDLE,
                     "SQLAllocHandle(SQL_HANDLE_ENV)");
    try
    {
        OdbcError::Check(SQLSetEnvAttr(m_environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0),
                         SQL_HANDLE_ENV, m_environment, "SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION)");
        OdbcError::Check(SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &m_connection), SQL_HANDLE_ENV, m_environment,
                         "SQLAllocHandle(SQL_HANDLE_DBC)");
        SQLCHAR completed[1024] = {};
        SQLSMALLINT length = 0;
        OdbcError::Check(SQLDriverConnect(m_connection, nullptr,
                                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_connectionString.c_str())),
                                          SQL_NTS, completed, sizeof completed, &length, SQL_DRIVER_NOPROMPT),
                         SQL_HANDLE_DBC, m_connection, "SQLDriverConnect(" + in_connectionString + ")");
        m_completed = reinterpret_cast<char*>(completed);
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
