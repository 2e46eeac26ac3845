#pragma once

// Test helper: real statements of a connected connection over the fake back end, whose
// data-store statements make FakeDataEngines; calls on statements as one comparable line.

#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/States/StatementState.h"

#include "Unit/ODBC/ConnectionTestSupport.h"
#include "Unit/ODBC/Counted.h"
#include "Unit/ODBC/Statements/FakeDataEngine.h"

#include <sqlext.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// A data-store connection whose statements make fake data engines; it can be told to fail
/// making one.
class StatementTestConnection : public FakeDataStoreConnection
{
public:
    explicit StatementTestConnection(DSI::DSIEnvironment* in_environment) : FakeDataStoreConnection(in_environment) {}

    std::unique_ptr<DSI::DSIStatement> CreateStatement() override
    {
        if (s_failsWithoutMemory)
        {
            throw std::bad_alloc();
        }
        return std::make_unique<FakeDSIStatement>(this);
    }

    static inline bool s_failsWithoutMemory = false;
};

class StatementTestEnvironment : public DSI::DSIEnvironment
{
public:
    explicit StatementTestEnvironment(DSI::DSIDriver* in_driver) : DSIEnvironment(in_driver) {}

    std::unique_ptr<DSI::DSIConnection> CreateConnection() override
    {
        auto connection = std::make_unique<StatementTestConnection>(this);
        s_lastConnection = connection.get();
        return connection;
    }

    static inline StatementTestConnection* s_lastConnection = nullptr;
};

class StatementTestDriver : public FakeDriver
{
public:
    std::unique_ptr<DSI::DSIEnvironment> CreateEnvironment() override
    {
        return std::make_unique<StatementTestEnvironment>(this);
    }
};

struct StatementTestFactory
{
    static inline StatementTestDriver* s_lastDriver = nullptr;

    static std::unique_ptr<DSI::IDriver> Make(Support::ModuleHandle& out_module)
    {
        out_module = Support::GetDriverModuleHandle();
        Support::OrvikSettingReader::SetBrandingName(u"Pelta");
        auto driver = std::make_unique<StatementTestDriver>();
        s_lastDriver = driver.get();
        return driver;
    }
};

/// The driver over StatementTestFactory, one environment (ODBC 3.80 unless a test says
/// otherwise) and one connected connection with the data source's cursor behaviour "close".
class StatementTest : public FakeBackEndTest
{
protected:
    explicit StatementTest(int32_t in_odbcVersion = SQL_OV_ODBC3_80)
    {
        FakeEngineLog::Reset();
        StatementTestConnection::s_failsWithoutMemory = false;
        ODBC::Module::SetDriverFactory(&StatementTestFactory::Make);
        m_driver.EnsureInitialized();
        m_driver.CreateEnvironment(m_environmentHandle);
        m_environment = m_driver.GetEnvironment(m_environmentHandle);
        m_environment->SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(static_cast<intptr_t>(in_odbcVersion)),
                                     0);
        m_connection = &NewConnection(m_dataStore);
    }

    ~StatementTest() override { m_driver.FreeEnvironment(m_environmentHandle); }

public:
    /// A new connected connection of the environment.
    ODBC::Connection& NewConnection(StatementTestConnection*& out_dataStore)
    {
        SQLHANDLE handle = nullptr;
        m_environment->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(m_environmentHandle), &handle);
        out_dataStore = StatementTestEnvironment::s_lastConnection;
        ODBC::Connection& connection = *m_driver.GetConnection(reinterpret_cast<ODBC::HandleValue>(handle));
        std::u16string text = u"DRIVER={Pelta};Servers=h:1;DSN=Test";
        connection.SQLDriverConnectW(nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS, nullptr, 0, nullptr,
                                     SQL_DRIVER_NOPROMPT);
        SetInfo(*out_dataStore, SQL_CURSOR_COMMIT_BEHAVIOR, Support::AttributeData::MakeNewUInt16AttributeData(SQL_CB_CLOSE));
        SetInfo(*out_dataStore, SQL_CURSOR_ROLLBACK_BEHAVIOR, Support::AttributeData::MakeNewUInt16AttributeData(SQL_CB_DELETE));
        return connection;
    }

    /// A new statement of io_connection (the test's connection by default), made through
    /// SQLAllocHandle; null when that failed.
    ODBC::Statement* NewStatement(ODBC::Connection* io_connection = nullptr)
    {
        SQLHANDLE handle = nullptr;
        ODBC::Connection& connection = io_connection != nullptr ? *io_connection : *m_connection;
        if (connection.SQLAllocHandle(SQL_HANDLE_STMT, &handle) != SQL_SUCCESS)
        {
            return nullptr;
        }
        return m_driver.GetStatement(reinterpret_cast<ODBC::HandleValue>(handle));
    }

    static SQLRETURN ExecDirect(ODBC::Statement& io_statement, const char16_t* in_text)
    {
        std::u16string text(in_text);
        return io_statement.SQLExecDirectW(reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    }

    static SQLRETURN Prepare(ODBC::Statement& io_statement, const char16_t* in_text)
    {
        std::u16string text(in_text);
        return io_statement.SQLPrepareW(reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    }

    static int32_t StateOf(ODBC::Statement& io_statement) { return io_statement.GetState().GetStateNumber(); }

    /// "<SQLSTATEs of the records, or the return code's name> S<state>", e.g. "HY010 S1",
    /// "OK S6", "NO_DATA S3", "INFO 01S02 S1".
    static std::string Outcome(ODBC::Statement& io_statement, SQLRETURN in_result)
    {
        std::string outcome;
        switch (in_result)
        {
        case SQL_SUCCESS:
            outcome = "OK";
            break;
        case SQL_SUCCESS_WITH_INFO:
            outcome = "INFO";
            break;
        case SQL_NO_DATA:
            outcome = "NO_DATA";
            break;
        case SQL_NEED_DATA:
            outcome = "NEED_DATA";
            break;
        case SQL_ERROR:
            break;
        default:
            outcome = std::to_string(in_result);
        }
        ODBC::DiagManager& diagnostics = io_statement.GetDiagManager();
        for (SQLSMALLINT number = 1; number <= diagnostics.GetRecordCount(); ++number)
        {
            SQLWCHAR state[6] = {};
            diagnostics.SQLGetDiagRec(number, state, nullptr, nullptr, 0, nullptr);
            outcome += (outcome.empty() ? "" : " ") + Support::orvik_wstring(reinterpret_cast<char16_t*>(state)).GetAsUTF8();
        }
        return outcome + " S" + std::to_string(StateOf(io_statement));
    }

    /// The message key of the first record: the text the message files give it, or the key when
    /// the files have none.
    static std::string FirstText(ODBC::Statement& io_statement) { return RecordText(io_statement.GetDiagManager()); }

    /// A statement attribute read as an unsigned pointer-sized value.
    static SQLULEN GetAttribute(ODBC::Statement& io_statement, SQLINTEGER in_attribute)
    {
        SQLULEN value = 0;
        io_statement.SQLGetStmtAttrW(in_attribute, &value, 0, nullptr);
        return value;
    }

    static SQLRETURN SetAttribute(ODBC::Statement& io_statement, SQLINTEGER in_attribute, SQLULEN in_value)
    {
        return io_statement.SQLSetStmtAttrW(in_attribute, reinterpret_cast<SQLPOINTER>(in_value), 0);
    }

    /// Binds parameter in_number as an input whose value comes as data at execution.
    static SQLRETURN BindDataAtExec(ODBC::Statement& io_statement, SQLUSMALLINT in_number, SQLLEN* io_length)
    {
        *io_length = SQL_DATA_AT_EXEC;
        return io_statement.SQLBindParameter(in_number, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_VARCHAR, 100, 0,
                                             reinterpret_cast<SQLPOINTER>(static_cast<intptr_t>(in_number)), 0, io_length);
    }

    ODBC::Driver m_driver;
    ODBC::HandleValue m_environmentHandle = 0;
    ODBC::Environment* m_environment = nullptr;
    StatementTestConnection* m_dataStore = nullptr;
    ODBC::Connection* m_connection = nullptr;
};

} // namespace Testing
} // namespace Orvik
