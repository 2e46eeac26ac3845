#pragma once

// Test helper: an ODBC application's environment (ODBC 3.80) and one connection made with
// SQLDriverConnect, or SQLDriverConnectW for a Unicode application, freed with the object.

#include "Integration/Support/OdbcStatement.h"

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace Pelta {
namespace Test {

class OdbcConnection
{
public:
    /// The Driver Manager serves an application by the form of its connect: a Unicode
    /// application's wide calls reach the driver's wide functions.
    enum class Application
    {
        ANSI_APPLICATION,
        UNICODE_APPLICATION
    };

    /// Connects with in_connectionString (ASCII); throws OdbcError when it fails.
    explicit OdbcConnection(const std::string& in_connectionString,
                            Application in_application = Application::ANSI_APPLICATION);
    ~OdbcConnection();

    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    SQLHENV Environment() const { return m_environment; }
    SQLHDBC Handle() const { return m_connection; }

    /// The completed connection string the driver wrote back.
    const std::string& CompletedConnectionString() const { return m_completed; }

    OdbcStatement NewStatement() { return OdbcStatement(m_connection); }

    /// A text information value read whole with the ANSI SQLGetInfo.
    std::string GetInfoText(SQLUSMALLINT in_infoType);

private:
    SQLHENV m_environment = SQL_NULL_HENV;
    SQLHDBC m_connection = SQL_NULL_HDBC;
    std::string m_completed;
};

} // namespace Test
} // namespace Pelta
