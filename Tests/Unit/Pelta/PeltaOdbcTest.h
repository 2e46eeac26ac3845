#pragma once

// Test helper: the ODBC layer's driver over the real back end, with an environment at ODBC 3.80
// and one connection handle and its statements, and a test server shared by the tests of a suite.

#include "ODBC/Driver/Driver.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "Pelta/DSIDriverFactory.h"
#include "Support/orvik_wstring.h"

#include "Support/TestServer.h"
#include "Unit/ODBC/FakeBackEnd.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>

namespace Pelta {
namespace Test {

/// A suite calls StartServer from its SetUpTestSuite; each test gets an allocated connection,
/// which Connect connects to the server.
class PeltaOdbcTest : public Orvik::Testing::FakeBackEndTest
{
protected:
    static void StartServer(const TestServerOptions& in_options = TestServerOptions())
    {
        s_server = new TestServer(in_options);
    }

    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    PeltaOdbcTest()
    {
        Orvik::ODBC::Module::SetDriverFactory(&Pelta::DSIDriverFactory);
        m_driver.EnsureInitialized();
        m_driver.CreateEnvironment(m_environmentHandle);
        Orvik::ODBC::Environment* environment = m_driver.GetEnvironment(m_environmentHandle);
        environment->SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0);
        SQLHANDLE connection = nullptr;
        environment->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(m_environmentHandle), &connection);
        m_connection = m_driver.GetConnection(reinterpret_cast<Orvik::ODBC::HandleValue>(connection));
    }

    ~PeltaOdbcTest() override
    {
        if (m_connection->IsConnected())
        {
            m_connection->SQLDisconnect();
        }
        m_driver.FreeEnvironment(m_environmentHandle);
    }

    /// Connects the connection to the server without prompting.
    void Connect()
    {
        std::u16string text =
            u"DRIVER={Pelta};Servers=" + Orvik::Support::orvik_wstring(s_server->Address()).GetAsWString();
        EXPECT_EQ(SQL_SUCCESS, m_connection->SQLDriverConnectW(nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS,
                                                               nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
    }

    /// A new statement on the connection.
    Orvik::ODBC::Statement& NewStatement()
    {
        SQLHANDLE handle = nullptr;
        m_connection->SQLAllocHandle(SQL_HANDLE_STMT, &handle);
        return *m_driver.GetStatement(reinterpret_cast<Orvik::ODBC::HandleValue>(handle));
    }

    static inline TestServer* s_server = nullptr;

    Orvik::ODBC::Driver m_driver;
    Orvik::ODBC::HandleValue m_environmentHandle = 0;
    Orvik::ODBC::Connection* m_connection = nullptr;
};

} // namespace Test
} // namespace Pelta
