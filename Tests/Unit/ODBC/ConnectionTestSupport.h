#pragma once

// Test helper: connections over the fake back end whose data-store connections are
// FakeDataStoreConnections, statements that record what their connection asks of them, and the
// outcome of a call as one comparable line.

#include "DSI/Client/DSIMessageSource.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/KeyMaps/ConnectionKeyMap.h"

#include "Common/PrivateOdbcProfile.h"
#include "Unit/ODBC/DiagnosticsTestSupport.h"
#include "Unit/ODBC/FakeBackEnd.h"
#include "Unit/ODBC/FakeDataStoreConnection.h"

#include <sqlext.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// Makes FakeDataStoreConnections and keeps the last one made.
class ConnectionTestEnvironment : public DSI::DSIEnvironment
{
public:
    explicit ConnectionTestEnvironment(DSI::DSIDriver* in_driver) : DSIEnvironment(in_driver) {}

    std::unique_ptr<DSI::DSIConnection> CreateConnection() override
    {
        auto connection = std::make_unique<FakeDataStoreConnection>(this);
        s_lastConnection = connection.get();
        return connection;
    }

    static inline FakeDataStoreConnection* s_lastConnection = nullptr;
};

class ConnectionTestDriver : public FakeDriver
{
public:
    std::unique_ptr<DSI::DSIEnvironment> CreateEnvironment() override
    {
        return std::make_unique<ConnectionTestEnvironment>(this);
    }
};

struct ConnectionTestFactory
{
    static inline ConnectionTestDriver* s_lastDriver = nullptr;

    static std::unique_ptr<DSI::IDriver> Make(Support::ModuleHandle& out_module)
    {
        out_module = Support::GetDriverModuleHandle();
        Support::OrvikSettingReader::SetBrandingName(u"Pelta");
        auto driver = std::make_unique<ConnectionTestDriver>();
        s_lastDriver = driver.get();
        return driver;
    }
};

/// A statement whose answers a test sets and which records the calls its connection makes.
class RecordingStatement : public ODBC::Statement
{
public:
    RecordingStatement(ODBC::HandleValue in_handle, ODBC::Connection& io_connection)
        : Statement(in_handle),
          m_connection(io_connection),
          m_messages(io_connection.GetDSIConnection().GetMessageSource()),
          m_diagnostics(m_messages.Get(), u"", u"")
    {
        m_diagnostics.SetOdbcVersion(SQL_OV_ODBC3);
    }

    /// The maker that the connection's SQLAllocHandle calls.
    static std::unique_ptr<Statement> Make(ODBC::HandleValue in_handle, ODBC::Connection& io_connection)
    {
        return std::make_unique<RecordingStatement>(in_handle, io_connection);
    }

    ODBC::DiagManager& GetDiagManager() override { return m_diagnostics; }
    bool HasOpenCursor() override { return m_hasOpenCursor; }
    Support::orvik_wstring GetCursorName() override { return m_cursorName; }
    void SetCursorName(const Support::orvik_wstring& in_name) override { m_cursorName = in_name; }

    SQLRETURN EndTransaction(SQLSMALLINT in_completionType, bool) override
    {
        m_calls += in_completionType == SQL_COMMIT ? "commit;" : "rollback;";
        return SQL_SUCCESS;
    }

    SQLRETURN SQLCloseCursor() override
    {
        m_calls += "close;";
        OpenCursor(false);
        return SQL_SUCCESS;
    }

    SQLRETURN SQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER) override
    {
        m_calls += "attr " + std::to_string(in_attribute) + "=" + std::to_string(reinterpret_cast<intptr_t>(in_value)) + ";";
        return SQL_SUCCESS;
    }

    SQLRETURN SQLExecDirectW(SQLWCHAR*, SQLINTEGER) override
    {
        m_calls += "exec direct;";
        return m_executionResult;
    }

    SQLRETURN SQLExecute() override
    {
        m_calls += "execute;";
        return m_executionResult;
    }

    SQLRETURN ExecuteCatalogFunction(int32_t in_functionId, const std::vector<Support::Variant>&) override
    {
        m_calls += "catalog " + std::to_string(in_functionId) + ";";
        return m_executionResult;
    }

    /// Opens or closes the cursor as a statement state would, telling the connection.
    void OpenCursor(bool in_isOpen)
    {
        if (in_isOpen != m_hasOpenCursor)
        {
            m_hasOpenCursor = in_isOpen;
            in_isOpen ? m_connection.NotifyCursorOpened() : m_connection.NotifyCursorClosed();
        }
    }

    std::string m_calls;
    SQLRETURN m_executionResult = SQL_SUCCESS;

private:
    ODBC::Connection& m_connection;
    Support::SharedPtr<DSI::DSIMessageSource> m_messages;
    ODBC::DiagManager m_diagnostics;
    Support::orvik_wstring m_cursorName;
    bool m_hasOpenCursor = false;
};

/// Gives the data-store connection's property behind information type in_infoType the value
/// in_value (owned afterwards by the data store).
inline void SetInfo(FakeDataStoreConnection& io_dataStore, int32_t in_infoType, Support::AttributeData* in_value)
{
    int32_t key = 0;
    if (!ODBC::ConnectionKeyMap::GetInstance().FindInfoKey(in_infoType, key))
    {
        delete in_value;
        throw std::logic_error("information type " + std::to_string(in_infoType) + " is not a connection property");
    }
    io_dataStore.SetNumber(key, in_value);
}

inline void SetInfoText(FakeDataStoreConnection& io_dataStore, int32_t in_infoType, const char16_t* in_text)
{
    SetInfo(io_dataStore, in_infoType, Support::AttributeData::MakeNewWStringAttributeData(Support::orvik_wstring(in_text)));
}

/// The driver started over ConnectionTestFactory with one environment (ODBC 3.80), whose
/// connections are made through the environment as the application would, with statements made
/// as RecordingStatements. Data sources are looked up in an empty private profile unless a test
/// makes its own.
class ConnectionTest : public FakeBackEndTest
{
protected:
    ConnectionTest()
    {
        ODBC::Module::SetDriverFactory(&ConnectionTestFactory::Make);
        ODBC::Statement::SetMaker(&RecordingStatement::Make);
        m_driver.EnsureInitialized();
        m_driver.CreateEnvironment(m_environmentHandle);
        m_environment = m_driver.GetEnvironment(m_environmentHandle);
        m_environment->SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0);
    }

    ~ConnectionTest() override
    {
        ODBC::Statement::SetMaker(nullptr);
        m_driver.FreeEnvironment(m_environmentHandle);
    }

    /// A new connection of the environment, whose handle m_lastConnectionHandle keeps;
    /// out_dataStore is its data-store connection.
    ODBC::Connection& NewConnection(FakeDataStoreConnection*& out_dataStore)
    {
        m_environment->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(m_environmentHandle),
                                      &m_lastConnectionHandle);
        out_dataStore = ConnectionTestEnvironment::s_lastConnection;
        return *m_driver.GetConnection(reinterpret_cast<ODBC::HandleValue>(m_lastConnectionHandle));
    }

    /// A new statement of io_connection, made through SQLAllocHandle.
    RecordingStatement* NewStatement(ODBC::Connection& io_connection)
    {
        SQLHANDLE handle = nullptr;
        if (io_connection.SQLAllocHandle(SQL_HANDLE_STMT, &handle) != SQL_SUCCESS)
        {
            return nullptr;
        }
        return static_cast<RecordingStatement*>(m_driver.GetStatement(reinterpret_cast<ODBC::HandleValue>(handle)));
    }

    /// Connects io_connection with a driver connection string that gives every setting.
    SQLRETURN Connect(ODBC::Connection& io_connection)
    {
        std::u16string text = u"DRIVER={Pelta};Servers=h:1;DSN=Test";
        return io_connection.SQLDriverConnectW(nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS, nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT);
    }

    PrivateOdbcProfile m_noDataSources;
    ODBC::Driver m_driver;
    ODBC::HandleValue m_environmentHandle = 0;
    ODBC::Environment* m_environment = nullptr;
    SQLHANDLE m_lastConnectionHandle = nullptr;
};

} // namespace Testing
} // namespace Orvik
