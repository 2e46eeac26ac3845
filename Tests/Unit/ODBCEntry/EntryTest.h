#pragma once

// Test helper: the process's one driver object, started over the connection tests' fake back
// end the first time a test asks for it, with UTF-16LE as the driver manager's encoding; and
// handles allocated in it as the application allocates them.

#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"

#include "Unit/DSI/RecordingLog.h"
#include "Unit/ODBC/ConnectionTestSupport.h"

#include "EntryBackEnd.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstdint>
#include <string>

namespace Orvik {
namespace Testing {

/// UTF-16 text as the wide functions take it.
inline SQLWCHAR* Wide(const char16_t* in_text)
{
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(in_text));
}

/// 8-bit text as the ANSI functions take it.
inline SQLCHAR* Narrow(const char* in_text)
{
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_text));
}

inline SQLHANDLE ToHandle(ODBC::HandleValue in_value)
{
    return reinterpret_cast<SQLHANDLE>(static_cast<uintptr_t>(in_value));
}

inline ODBC::HandleValue ToValue(SQLHANDLE in_handle)
{
    return static_cast<ODBC::HandleValue>(reinterpret_cast<uintptr_t>(in_handle));
}

class EntryTest : public FakeBackEndTest
{
protected:
    EntryTest() : m_driver(StartDriver())
    {
        EXPECT_TRUE(m_driver.IsInitialized());
        // What start-up chose; the encodings of the time before it are put back after each test.
        Support::orvik_wstring::SetDriverManagerEncoding(Support::ENC_UTF16_LE);
    }

    /// The driver's log, which keeps its entries from in_level on.
    RecordingLog& UseLog(int32_t in_level)
    {
        RecordingLog& log = dynamic_cast<RecordingLog&>(*m_driver.GetLog());
        log.SetLogLevel(in_level);
        log.m_entries.clear();
        return log;
    }

    ODBC::Driver& m_driver;

private:
    static ODBC::Driver& StartDriver()
    {
        ODBC::Module::SetDriverFactory(&EntryFactory::Make);
        return ODBC::Driver::GetDriver();
    }
};

/// An environment of the driver (ODBC 3 unless a test asks for another version) and a connection
/// of it.
class HandleTest : public EntryTest
{
protected:
    explicit HandleTest(intptr_t in_odbcVersion = SQL_OV_ODBC3)
    {
        m_driver.CreateEnvironment(m_environmentValue);
        m_environment = m_driver.GetEnvironment(m_environmentValue);
        m_environment->SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(in_odbcVersion), 0);
        m_environment->SQLAllocHandle(SQL_HANDLE_DBC, ToHandle(m_environmentValue), &m_connectionHandle);
        m_connection = m_driver.GetConnection(ToValue(m_connectionHandle));
        m_dataStore = EntryEnvironment::s_lastConnection;
    }

    ~HandleTest() override
    {
        UseLog(DSI::LOG_OFF);
        m_driver.FreeEnvironment(m_environmentValue);
    }

    SQLHANDLE GetEnvironmentHandle() const { return ToHandle(m_environmentValue); }

    ODBC::HandleValue m_environmentValue = 0;
    ODBC::Environment* m_environment = nullptr;
    SQLHANDLE m_connectionHandle = nullptr;
    ODBC::Connection* m_connection = nullptr;
    EntryDataStoreConnection* m_dataStore = nullptr;
};

/// The connection connected, and a statement of it.
class StatementTest : public HandleTest
{
protected:
    explicit StatementTest(intptr_t in_odbcVersion = SQL_OV_ODBC3) : HandleTest(in_odbcVersion)
    {
        std::u16string text = u"DRIVER={Pelta};Servers=h:1";
        EXPECT_EQ(SQL_SUCCESS, m_connection->SQLDriverConnectW(nullptr, Wide(text.c_str()), SQL_NTS, nullptr, 0, nullptr,
                                                               SQL_DRIVER_NOPROMPT));
        EXPECT_EQ(SQL_SUCCESS, m_connection->SQLAllocHandle(SQL_HANDLE_STMT, &m_statementHandle));
        m_statement = m_driver.GetStatement(ToValue(m_statementHandle));
        EntryDataEngine::s_prepared.clear();
    }

    ~StatementTest() override { EntryDataEngine::s_onPrepare = nullptr; }

    SQLHANDLE m_statementHandle = nullptr;
    ODBC::Statement* m_statement = nullptr;
};

} // namespace Testing
} // namespace Orvik
