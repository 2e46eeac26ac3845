#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"
#include "ODBC/Descriptors/AppDescriptor.h"

#include <gtest/gtest.h>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class StatementLifecycleTest : public StatementTest
{
protected:
    static SQLRETURN Name(Statement& io_statement, const char16_t* in_name)
    {
        std::u16string name(in_name);
        return io_statement.SQLSetCursorNameW(reinterpret_cast<SQLWCHAR*>(&name[0]), SQL_NTS);
    }

    static std::u16string NameOf(Statement& io_statement)
    {
        SQLWCHAR name[40] = {};
        io_statement.SQLGetCursorNameW(name, 40, nullptr);
        return reinterpret_cast<char16_t*>(name);
    }
};

TEST_F(StatementLifecycleTest, AStatementComesWithItsDescriptorsAndCursorName)
{
    Statement& statement = *NewStatement();
    EXPECT_EQ(u"SQL_CUR" + Orvik::Support::orvik_wstring(std::to_string(statement.GetHandle())).GetAsWString(),
              NameOf(statement));
    EXPECT_EQ(1, StateOf(statement));
    // The four implicit descriptors are registered under their own handles.
    EXPECT_EQ(&statement.GetImplicitAPD(), m_driver.GetAppDescriptor(statement.GetImplicitAPD().GetHandle()));
    EXPECT_EQ(&statement.GetImplicitARD(), m_driver.GetAppDescriptor(statement.GetImplicitARD().GetHandle()));
    EXPECT_EQ(&statement.GetIPD(), m_driver.GetDescriptor(statement.GetIPD().GetHandle()));
    EXPECT_EQ(&statement.GetIRD(), m_driver.GetDescriptor(statement.GetIRD().GetHandle()));
    EXPECT_EQ(&statement.GetImplicitAPD(), &statement.GetCurrentAPD());

    const HandleValue handle = statement.GetHandle();
    const HandleValue ipd = statement.GetIPD().GetHandle();
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(handle)));
    EXPECT_EQ(nullptr, m_driver.GetStatement(handle));
    EXPECT_EQ(nullptr, m_driver.GetDescriptor(ipd));
}

TEST_F(StatementLifecycleTest, AStatementThatCannotBeMadeIsNeverRegistered)
{
    StatementTestConnection::s_failsWithoutMemory = true;
    SQLHANDLE handle = nullptr;
    EXPECT_EQ(SQL_ERROR, m_connection->SQLAllocHandle(SQL_HANDLE_STMT, &handle));
    EXPECT_EQ("-1 HY001", Orvik::Testing::Outcome(SQL_ERROR, m_connection->GetDiagManager()));
    EXPECT_EQ(nullptr, handle);
    EXPECT_FALSE(m_connection->HasStatements());
    StatementTestConnection::s_failsWithoutMemory = false;
    // The handle value was given back, and the next statement is whole.
    Statement* statement = NewStatement();
    ASSERT_NE(nullptr, statement);
    EXPECT_EQ(statement, m_driver.GetStatement(statement->GetHandle()));
}

TEST_F(StatementLifecycleTest, CursorNames)
{
    Statement& first = *NewStatement();
    Statement& second = *NewStatement();
    SetInfo(*m_dataStore, SQL_MAX_CURSOR_NAME_LEN, Orvik::Support::AttributeData::MakeNewUInt16AttributeData(12));
    struct Case
    {
        Statement* m_statement;
        const char16_t* m_name;
        const char* m_outcome;
    };
    const Case cases[] = {
        {&first, u"orders", "OK S1"},
        {&first, u"orders", "OK S1"},          // its own name again
        {&second, u"orders", "3C000 S1"},      // another statement's
        {&second, u"ORDERS", "OK S1"},         // names compare exactly
        {&second, u"SQL_CURSOR", "34000 S1"},  // the driver's own prefixes
        {&second, u"SQLCUR1", "34000 S1"},
        {&second, u"sql_cur1", "OK S1"},
        {&second, u"thirteen_char", "34000 S1"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(Orvik::Support::orvik_wstring(c.m_name).GetAsUTF8());
        EXPECT_EQ(c.m_outcome, Outcome(*c.m_statement, Name(*c.m_statement, c.m_name)));
    }
    EXPECT_EQ(u"orders", NameOf(first));
    EXPECT_EQ(u"sql_cur1", NameOf(second));
    // A cut name warns and reports its full length.
    SQLWCHAR cut[4] = {};
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, first.SQLGetCursorNameW(cut, 4, &length));
    EXPECT_EQ(u"ord", std::u16string(reinterpret_cast<char16_t*>(cut)));
    EXPECT_EQ(6, length);
}

TEST_F(StatementLifecycleTest, AWarningTurnsSuccessIntoSuccessWithInfo)
{
    Statement& statement = *NewStatement();
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, SetAttribute(statement, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_KEYSET_DRIVEN));
    // The next call clears the record and returns plain success.
    EXPECT_EQ(SQL_SUCCESS, SetAttribute(statement, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY));
    EXPECT_EQ(0, statement.GetDiagManager().GetRecordCount());
}

TEST_F(StatementLifecycleTest, CancelOnAnIdleStatementLeavesARequestForTheNextCall)
{
    Statement& statement = *NewStatement();
    SetAttribute(statement, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_STATIC);
    ASSERT_EQ(1, statement.GetDiagManager().GetRecordCount());
    EXPECT_EQ(SQL_SUCCESS, statement.SQLCancel());
    EXPECT_EQ(0, statement.GetDiagManager().GetRecordCount());
    EXPECT_EQ("OK S4", Outcome(statement, ExecDirect(statement, u"update 1")));
    // The request was consumed before the execution, which therefore ran.
    EXPECT_EQ(1, FakeEngineLog::s_executions);
}

} // namespace
