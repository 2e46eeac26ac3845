#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Tasks/ODBCTask.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"
#include "TestTasks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::EntryDataEngine;
using Orvik::Testing::Gate;
using Orvik::Testing::Narrow;
using Orvik::Testing::Outcome;
using Orvik::Testing::ToHandle;
using Orvik::Testing::Wide;

namespace {

class AsyncStatementTest : public Orvik::Testing::StatementTest
{
protected:
    AsyncStatementTest()
    {
        EXPECT_EQ(SQL_SUCCESS, m_statement->SQLSetStmtAttrW(SQL_ATTR_ASYNC_ENABLE,
                                                            reinterpret_cast<SQLPOINTER>(SQL_ASYNC_ENABLE_ON), 0));
    }

    std::string Records(SQLRETURN in_result) { return Outcome(in_result, m_statement->GetDiagManager()); }

    void PostWarning()
    {
        m_statement->GetDiagManager().PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
    }

    /// Returns once the statement's task has run; only the test calls the dispatchers.
    void WaitForTask() { m_statement->GetPendingTask()->WaitUntilDone(); }

    SQLRETURN ExecDirectW(std::u16string& io_text)
    {
        SQLExecDirectWArgs args{Wide(io_text.c_str()), SQL_NTS};
        return CInterface::DispatchSQLExecDirectW("SQLExecDirectW", m_statementHandle, &args);
    }
};

TEST_F(AsyncStatementTest, AnExecutionIsPolledThenCollectedWithItsResultAndRecords)
{
    Gate gate;
    EntryDataEngine::s_onPrepare = [&] { gate.Wait(); };
    PostWarning();
    std::u16string text = u"select 1";
    EXPECT_EQ("2", Records(ExecDirectW(text)));
    // The task took a copy: the application may reuse its buffer at once.
    text.assign(u"changed!");

    // Any dispatched function polls the running task, its own arguments unread.
    SQLFetchArgs fetch{};
    EXPECT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLFetch("SQLFetch", m_statementHandle, &fetch));
    SQLNumResultColsArgs count{nullptr};
    EXPECT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLNumResultCols("SQLNumResultCols", m_statementHandle, &count));

    gate.Open();
    WaitForTask();
    const std::string collected = Records(ExecDirectW(text));
    EXPECT_EQ(0u, collected.find("-1 ")) << collected;
    EXPECT_EQ(std::string::npos, collected.find("01000")) << collected;
    EXPECT_EQ(nullptr, m_statement->GetPendingTask());
    ASSERT_EQ(1u, EntryDataEngine::s_prepared.size());
    EXPECT_EQ("select 1", EntryDataEngine::s_prepared[0].GetAsUTF8());

    // The next call starts a new execution.
    EXPECT_EQ(SQL_STILL_EXECUTING, ExecDirectW(text));
    WaitForTask();
    ExecDirectW(text);
    EXPECT_EQ("changed!", EntryDataEngine::s_prepared.back().GetAsUTF8());
}

TEST_F(AsyncStatementTest, CountsAreNeverTasks)
{
    SQLTablesWArgs tables{{{Wide(u""), SQL_NTS}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}};
    ASSERT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLTablesW("SQLTablesW", m_statementHandle, &tables));
    WaitForTask();
    ASSERT_EQ(SQL_SUCCESS, CInterface::DispatchSQLTablesW("SQLTablesW", m_statementHandle, &tables));
    SQLSMALLINT columns = -1;
    SQLNumResultColsArgs count{&columns};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLNumResultCols("SQLNumResultCols", m_statementHandle, &count));
    EXPECT_EQ(5, columns);
    EXPECT_EQ(nullptr, m_statement->GetPendingTask());
}

TEST_F(AsyncStatementTest, WhatEscapesTheCallOnAWorkerIsTheOnlyRecord)
{
    PostWarning();
    SQLExecDirectArgs args{Narrow("select 1"), -5};
    EXPECT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLExecDirect("SQLExecDirect", m_statementHandle, &args));
    WaitForTask();
    EXPECT_EQ("-1 HY090", Records(CInterface::DispatchSQLExecDirect("SQLExecDirect", m_statementHandle, &args)));
}

TEST_F(AsyncStatementTest, ADescriptionReachesTheCollectingCallsBuffers)
{
    SQLTablesWArgs tables{{{Wide(u""), SQL_NTS}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}};
    ASSERT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLTablesW("SQLTablesW", m_statementHandle, &tables));
    WaitForTask();
    ASSERT_EQ(SQL_SUCCESS, CInterface::DispatchSQLTablesW("SQLTablesW", m_statementHandle, &tables));

    SQLWCHAR starterName[32] = {};
    SQLSMALLINT starterLength = -7;
    SQLDescribeColWArgs starter{3, starterName, 32, &starterLength, nullptr, nullptr, nullptr, nullptr};
    ASSERT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLDescribeColW("SQLDescribeColW", m_statementHandle, &starter));
    WaitForTask();
    SQLWCHAR name[6] = {};
    SQLSMALLINT length = -7;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLDescribeColWArgs collector{3, name, 6, &length, &type, &size, nullptr, nullptr};
    EXPECT_EQ("1 01004", Records(CInterface::DispatchSQLDescribeColW("SQLDescribeColW", m_statementHandle, &collector)));
    EXPECT_EQ("TABLE", orvik_wstring(reinterpret_cast<char16_t*>(name)).GetAsUTF8());
    EXPECT_EQ(10, length);
    EXPECT_NE(0, type);
    EXPECT_EQ(0, starterName[0]);
    EXPECT_EQ(-7, starterLength);

    // A numeric field is written by the call itself; nothing is collected.
    SQLLEN number = -7;
    SQLColAttributeWArgs attribute{1, SQL_DESC_COUNT, nullptr, 0, nullptr, &number};
    ASSERT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLColAttributeW("SQLColAttributeW", m_statementHandle, &attribute));
    WaitForTask();
    SQLLEN collectingNumber = -7;
    SQLColAttributeWArgs collecting{1, SQL_DESC_COUNT, nullptr, 0, nullptr, &collectingNumber};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLColAttributeW("SQLColAttributeW", m_statementHandle, &collecting));
    EXPECT_EQ(5, number);
    EXPECT_EQ(-7, collectingNumber);

    // A string field is collected with its length in bytes.
    SQLWCHAR label[64] = {};
    SQLSMALLINT labelLength = 0;
    SQLColAttributeWArgs text{2, SQL_DESC_NAME, label, sizeof label, &labelLength, nullptr};
    ASSERT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLColAttributeW("SQLColAttributeW", m_statementHandle, &text));
    WaitForTask();
    SQLWCHAR collectingLabel[64] = {};
    SQLColAttributeWArgs collectingText{2, SQL_DESC_NAME, collectingLabel, sizeof collectingLabel, &labelLength, nullptr};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLColAttributeW("SQLColAttributeW", m_statementHandle, &collectingText));
    EXPECT_EQ("TABLE_SCHEM", orvik_wstring(reinterpret_cast<char16_t*>(collectingLabel)).GetAsUTF8());
    EXPECT_EQ(22, labelLength);
}

TEST_F(AsyncStatementTest, AStatementWithARunningCallIsNotFreed)
{
    Gate gate;
    EntryDataEngine::s_onPrepare = [&] { gate.Wait(); };
    std::u16string text = u"select 1";
    ASSERT_EQ(SQL_STILL_EXECUTING, ExecDirectW(text));
    EXPECT_EQ("-1 HY010", Outcome(m_connection->SQLFreeHandle(SQL_HANDLE_STMT, m_statementHandle),
                                  m_connection->GetDiagManager()));
    EXPECT_EQ("-1 HY010", Outcome(m_environment->SQLFreeHandle(SQL_HANDLE_DBC, m_connectionHandle),
                                  m_environment->GetDiagManager()));
    EXPECT_EQ(m_statement, m_driver.GetStatement(Orvik::Testing::ToValue(m_statementHandle)));

    gate.Open();
    WaitForTask();
    EXPECT_EQ(SQL_SUCCESS, m_connection->SQLFreeHandle(SQL_HANDLE_STMT, m_statementHandle));
    EXPECT_EQ(nullptr, m_driver.GetStatement(Orvik::Testing::ToValue(m_statementHandle)));
}

class AsyncConnectionTest : public Orvik::Testing::HandleTest
{
protected:
    // Asynchronous connection functions are an ODBC 3.80 feature.
    AsyncConnectionTest() : HandleTest(SQL_OV_ODBC3_80)
    {
        EXPECT_EQ(SQL_SUCCESS,
                  m_connection->SQLSetConnectAttr(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE,
                                                  reinterpret_cast<SQLPOINTER>(SQL_ASYNC_DBC_ENABLE_ON), 0))
            << Orvik::Testing::RecordText(m_connection->GetDiagManager());
    }

    std::string Records(SQLRETURN in_result) { return Outcome(in_result, m_connection->GetDiagManager()); }

    void WaitForTask() { m_connection->GetPendingTask()->WaitUntilDone(); }

    /// Starts SQLDriverConnectW with an out buffer of 100 characters, then collects it into
    /// in_collectingLength characters: the outcome, the string that arrived and its length.
    std::string ConnectAndCollect(SQLSMALLINT in_collectingLength)
    {
        std::u16string text = u"DRIVER={Pelta};Servers=h:1";
        SQLWCHAR starterBuffer[100] = {};
        SQLSMALLINT starterLength = -7;
        SQLDriverConnectWArgs starter{nullptr, Wide(text.c_str()), SQL_NTS, starterBuffer, 100, &starterLength,
                                      SQL_DRIVER_NOPROMPT};
        if (CInterface::DispatchSQLDriverConnectW("SQLDriverConnectW", m_connectionHandle, &starter) != SQL_STILL_EXECUTING)
        {
            return "not started";
        }
        WaitForTask();
        std::vector<SQLWCHAR> buffer(in_collectingLength + 1, 0xAAAA);
        SQLSMALLINT length = -7;
        SQLDriverConnectWArgs collector{nullptr, nullptr, 0, buffer.data(), in_collectingLength, &length, 0};
        const std::string outcome = Records(CInterface::DispatchSQLDriverConnectW("SQLDriverConnectW", m_connectionHandle, &collector));
        const bool isStarterUntouched = starterBuffer[0] == 0 && starterLength == -7;
        return outcome + " [" + orvik_wstring(reinterpret_cast<char16_t*>(buffer.data())).GetAsUTF8() + "] " +
               std::to_string(length) + (isStarterUntouched ? "" : " starter written");
    }
};

TEST_F(AsyncConnectionTest, TheCompletedStringReachesTheCollectingCallsBuffer)
{
    const std::string whole = ConnectAndCollect(200);
    ASSERT_EQ(0u, whole.find("0 [DRIVER={Pelta};")) << whole;
    const std::string completed = whole.substr(3, whole.find(']') - 3);
    EXPECT_EQ("0 [" + completed + "] " + std::to_string(completed.size()), whole);

    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLDisconnect());
    EXPECT_EQ("1 01004 [" + completed.substr(0, 9) + "] " + std::to_string(completed.size()), ConnectAndCollect(10));
}

TEST_F(AsyncConnectionTest, SetConnectAttrNeverStartsATaskButCollectsOne)
{
    SQLSetConnectAttrWArgs timeout{SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(17), 0};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLSetConnectAttrW("SQLSetConnectAttr", m_connectionHandle, &timeout));
    EXPECT_EQ(nullptr, m_connection->GetPendingTask());

    SQLDisconnectArgs disconnect{};
    ASSERT_EQ(SQL_STILL_EXECUTING, CInterface::DispatchSQLDisconnect("SQLDisconnect", m_connectionHandle, &disconnect));
    WaitForTask();
    SQLSetConnectAttrWArgs other{SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(29), 0};
    // The disconnect of an unconnected connection fails: that is what the attribute call returns.
    EXPECT_EQ("-1 08003", Records(CInterface::DispatchSQLSetConnectAttrW("SQLSetConnectAttr", m_connectionHandle, &other)));
    SQLUINTEGER value = 0;
    m_connection->SQLGetConnectAttr(SQL_ATTR_LOGIN_TIMEOUT, &value, 0, nullptr);
    EXPECT_EQ(17u, value);
}

TEST_F(AsyncConnectionTest, AnUnknownHandleLeavesEveryDiagnosticAreaAsItWas)
{
    m_connection->GetDiagManager().PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
    SQLDisconnectArgs disconnect{};
    EXPECT_EQ(SQL_INVALID_HANDLE, CInterface::DispatchSQLDisconnect("SQLDisconnect", ToHandle(987654), &disconnect));
    // A statement function given a connection's handle finds no statement.
    SQLFetchArgs fetch{};
    EXPECT_EQ(SQL_INVALID_HANDLE, CInterface::DispatchSQLFetch("SQLFetch", m_connectionHandle, &fetch));
    EXPECT_EQ("0 01000", Records(SQL_SUCCESS));
    EXPECT_EQ(nullptr, m_connection->GetPendingTask());
}

} // namespace
