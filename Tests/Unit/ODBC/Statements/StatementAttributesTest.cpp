#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include "DSI/DSIDriver.h"
#include "ODBC/Descriptors/AppDescriptor.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::AttributeData;

namespace {

class StatementAttributesTest : public StatementTest
{
protected:
    /// An explicit descriptor the application allocates on io_connection.
    Descriptor& NewExplicitDescriptor(Connection& io_connection)
    {
        SQLHANDLE handle = nullptr;
        EXPECT_EQ(SQL_SUCCESS, io_connection.SQLAllocHandle(SQL_HANDLE_DESC, &handle));
        return *m_driver.GetAppDescriptor(reinterpret_cast<HandleValue>(handle));
    }

    static void Free(Connection& io_connection, Descriptor& io_descriptor)
    {
        EXPECT_EQ(SQL_SUCCESS, io_connection.SQLFreeHandle(SQL_HANDLE_DESC, reinterpret_cast<SQLHANDLE>(io_descriptor.GetHandle())));
    }

    static SQLULEN HandleOf(const Descriptor& in_descriptor) { return in_descriptor.GetHandle(); }
};

TEST_F(StatementAttributesTest, ValuesAcceptedSubstitutedAndRefused)
{
    struct Case
    {
        SQLINTEGER m_attribute;
        SQLULEN m_value;
        const char* m_outcome;
        SQLULEN m_readBack;
    };
    const Case cases[] = {
        {SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_STATIC, "INFO 01S02 S1", SQL_CURSOR_FORWARD_ONLY},
        {SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY, "OK S1", SQL_CURSOR_FORWARD_ONLY},
        {SQL_ATTR_CONCURRENCY, SQL_CONCUR_LOCK, "HY024 S1", SQL_CONCUR_READ_ONLY},
        {SQL_ATTR_CURSOR_SENSITIVITY, SQL_UNSPECIFIED, "HY024 S1", SQL_UNSPECIFIED},
        {SQL_ATTR_CURSOR_SENSITIVITY, SQL_INSENSITIVE, "OK S1", SQL_INSENSITIVE},
        {SQL_ATTR_CURSOR_SCROLLABLE, SQL_SCROLLABLE, "HY024 S1", SQL_NONSCROLLABLE},
        {SQL_ATTR_USE_BOOKMARKS, SQL_UB_VARIABLE, "HY024 S1", SQL_UB_OFF},
        {SQL_ROWSET_SIZE, 500, "OK S1", 500},
        {SQL_ATTR_NOSCAN, SQL_NOSCAN_ON, "OK S1", SQL_NOSCAN_ON},
        {SQL_ATTR_METADATA_ID, 9, "OK S1", 9},
        {SQL_ATTR_MAX_ROWS, 1000, "OK S1", 1000},
        {SQL_ATTR_QUERY_TIMEOUT, 30, "OK S1", 30},
        {SQL_ATTR_RETRIEVE_DATA, SQL_RD_OFF, "OK S1", SQL_RD_OFF},
        {SQL_ATTR_MAX_LENGTH, 4294967296ull + 5, "INFO 01S02 S1", 4294967295ull},
        {SQL_ATTR_ROW_NUMBER, 3, "HY092 S1", 0},
        {SQL_ATTR_ENABLE_AUTO_IPD, SQL_FALSE, "OK S1", SQL_FALSE},
        {SQL_ATTR_ASYNC_ENABLE, 2, "HY024 S1", SQL_ASYNC_ENABLE_OFF},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.m_attribute) + " = " + std::to_string(c.m_value));
        Statement& statement = *NewStatement();
        EXPECT_EQ(c.m_outcome, Outcome(statement, SetAttribute(statement, c.m_attribute, c.m_value)));
        if (c.m_attribute != SQL_ATTR_ROW_NUMBER)
        {
            EXPECT_EQ(c.m_readBack, GetAttribute(statement, c.m_attribute));
        }
    }
}

TEST_F(StatementAttributesTest, UnknownAndReadOnlyNumbers)
{
    Statement& statement = *NewStatement();
    // ODBC 2 options and attributes this driver does not know, with the number in the text.
    for (SQLINTEGER attribute : {SQL_KEYSET_SIZE, SQL_SIMULATE_CURSOR, SQL_GET_BOOKMARK, 16, 29})
    {
        EXPECT_EQ("HY092 S1", Outcome(statement, SetAttribute(statement, attribute, 1))) << attribute;
        EXPECT_NE(std::string::npos, FirstText(statement).find(std::to_string(attribute))) << FirstText(statement);
        SQLULEN value = 0;
        EXPECT_EQ("HY092 S1", Outcome(statement, statement.SQLGetStmtAttrW(attribute, &value, 0, nullptr)));
    }
    EXPECT_EQ("HY017 S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_IMP_ROW_DESC, 0)));
    EXPECT_EQ("HY017 S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_IMP_PARAM_DESC, 0)));
}

TEST_F(StatementAttributesTest, AClampedValueHoldsUntilTheCursorCloses)
{
    Statement& statement = *NewStatement();
    SetAttribute(statement, SQL_ATTR_MAX_LENGTH, 100);
    ASSERT_EQ("INFO 01S02 S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_MAX_LENGTH, UINT64_MAX)));
    ExecDirect(statement, u"select 1 1");
    EXPECT_EQ(4294967295ull, GetAttribute(statement, SQL_ATTR_MAX_LENGTH));
    EXPECT_EQ("OK S1", Outcome(statement, statement.SQLCloseCursor()));
    EXPECT_EQ(100u, GetAttribute(statement, SQL_ATTR_MAX_LENGTH));
}

TEST_F(StatementAttributesTest, ArrayAttributesAreTheCurrentDescriptorsFields)
{
    Statement& statement = *NewStatement();
    ASSERT_EQ(SQL_SUCCESS, SetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE, 10));
    EXPECT_EQ(10u, GetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE));
    EXPECT_EQ(10, statement.GetImplicitARD().GetHeaderFieldChecked(SQL_DESC_ARRAY_SIZE).m_integer);
    // Bind types are whole SQLULENs here, whatever SQLGetDescField writes.
    SQLULEN bindType = UINT64_MAX;
    SetAttribute(statement, SQL_ATTR_ROW_BIND_TYPE, 48);
    statement.SQLGetStmtAttrW(SQL_ATTR_ROW_BIND_TYPE, &bindType, 0, nullptr);
    EXPECT_EQ(48u, bindType);
    SQLUSMALLINT statuses[2] = {};
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_STATUS_PTR, statuses, 0);
    EXPECT_EQ(reinterpret_cast<SQLULEN>(statuses), GetAttribute(statement, SQL_ATTR_ROW_STATUS_PTR));

    Descriptor& explicitARD = NewExplicitDescriptor(*m_connection);
    explicitARD.SQLSetDescFieldW(0, SQL_DESC_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(7), 0);
    ASSERT_EQ(SQL_SUCCESS, SetAttribute(statement, SQL_ATTR_APP_ROW_DESC, HandleOf(explicitARD)));
    EXPECT_EQ(HandleOf(explicitARD), GetAttribute(statement, SQL_ATTR_APP_ROW_DESC));
    EXPECT_EQ(7u, GetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE));
    // Freeing the descriptor gives the statement its own back.
    Free(*m_connection, explicitARD);
    EXPECT_EQ(HandleOf(statement.GetImplicitARD()), GetAttribute(statement, SQL_ATTR_APP_ROW_DESC));
    EXPECT_EQ(10u, GetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE));
}

TEST_F(StatementAttributesTest, ApplicationDescriptorHandles)
{
    Statement& statement = *NewStatement();
    Statement& other = *NewStatement();
    StatementTestConnection* otherStore = nullptr;
    Connection& otherConnection = NewConnection(otherStore);
    Descriptor& foreign = NewExplicitDescriptor(otherConnection);
    Descriptor& shared = NewExplicitDescriptor(*m_connection);
    struct Case
    {
        SQLINTEGER m_attribute;
        SQLULEN m_handle;
        const char* m_outcome;
        SQLULEN m_current;
    };
    const SQLULEN ownAPD = HandleOf(statement.GetImplicitAPD());
    const SQLULEN ownARD = HandleOf(statement.GetImplicitARD());
    const Case cases[] = {
        {SQL_ATTR_APP_PARAM_DESC, HandleOf(shared), "OK S1", HandleOf(shared)},
        {SQL_ATTR_APP_PARAM_DESC, 0, "OK S1", ownAPD},
        {SQL_ATTR_APP_PARAM_DESC, ownAPD, "OK S1", ownAPD},
        {SQL_ATTR_APP_PARAM_DESC, HandleOf(other.GetImplicitAPD()), "HY017 S1", ownAPD},
        {SQL_ATTR_APP_PARAM_DESC, ownARD, "HY017 S1", ownAPD},
        {SQL_ATTR_APP_PARAM_DESC, HandleOf(foreign), "HY024 S1", ownAPD},
        {SQL_ATTR_APP_PARAM_DESC, 987654, "HY024 S1", ownAPD},
        {SQL_ATTR_APP_PARAM_DESC, HandleOf(statement.GetIRD()), "HY024 S1", ownAPD},
        {SQL_ATTR_APP_ROW_DESC, HandleOf(shared), "OK S1", HandleOf(shared)},
        {SQL_ATTR_APP_ROW_DESC, HandleOf(other.GetImplicitARD()), "HY017 S1", HandleOf(shared)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_handle);
        EXPECT_EQ(c.m_outcome, Outcome(statement, SetAttribute(statement, c.m_attribute, c.m_handle)));
        EXPECT_EQ(c.m_current, GetAttribute(statement, c.m_attribute));
    }
    // The implementation descriptors' handles are read, and their length is left alone.
    SQLULEN handle = 0;
    SQLINTEGER length = -7;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLGetStmtAttrW(SQL_ATTR_IMP_ROW_DESC, &handle, 0, &length));
    EXPECT_EQ(HandleOf(statement.GetIRD()), handle);
    EXPECT_EQ(-7, length);
    // One explicit descriptor as both ARD and APD: freeing it restores both.
    SetAttribute(statement, SQL_ATTR_APP_PARAM_DESC, HandleOf(shared));
    Free(*m_connection, shared);
    EXPECT_EQ(ownAPD, GetAttribute(statement, SQL_ATTR_APP_PARAM_DESC));
    EXPECT_EQ(ownARD, GetAttribute(statement, SQL_ATTR_APP_ROW_DESC));
    Free(otherConnection, foreign);
}

TEST_F(StatementAttributesTest, StatementAttributesSetOnTheConnectionReachEveryStatement)
{
    Statement& before = *NewStatement();
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLSetConnectAttr(SQL_ATTR_METADATA_ID, reinterpret_cast<SQLPOINTER>(SQL_TRUE), 0));
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLSetConnectAttr(SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(30), 0));
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLSetConnectAttr(SQL_ROWSET_SIZE, reinterpret_cast<SQLPOINTER>(8), 0));
    Statement& after = *NewStatement();
    for (Statement* statement : {&before, &after})
    {
        EXPECT_EQ(SQL_TRUE, GetAttribute(*statement, SQL_ATTR_METADATA_ID));
        EXPECT_EQ(30u, GetAttribute(*statement, SQL_ATTR_QUERY_TIMEOUT));
        EXPECT_EQ(8u, GetAttribute(*statement, SQL_ROWSET_SIZE));
    }
    // A statement's own value stays its own.
    SetAttribute(after, SQL_ATTR_QUERY_TIMEOUT, 5);
    EXPECT_EQ(30u, GetAttribute(before, SQL_ATTR_QUERY_TIMEOUT));
}

TEST_F(StatementAttributesTest, AsynchronousExecutionFollowsTheDriversSupport)
{
    Statement& statement = *NewStatement();
    EXPECT_EQ("OK S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON)));
    EXPECT_TRUE(statement.IsAsyncEnabled());
    EXPECT_EQ("OK S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_OFF)));
    EXPECT_FALSE(statement.IsAsyncEnabled());

    // Switched on for the connection, statements made afterwards start asynchronous.
    m_connection->SQLSetConnectAttr(SQL_ATTR_ASYNC_ENABLE, reinterpret_cast<SQLPOINTER>(SQL_ASYNC_ENABLE_ON), 0);
    EXPECT_TRUE(statement.IsAsyncEnabled());
    EXPECT_TRUE(NewStatement()->IsAsyncEnabled());

    StatementTestFactory::s_lastDriver->SetProperty(
        Orvik::DSI::DRIVER_PROP_ASYNC_MODE, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(0)));
    EXPECT_EQ("HYC00 S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON)));
    EXPECT_EQ("OK S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_OFF)));
}

TEST_F(StatementAttributesTest, AutomaticParameterDescriptionNeedsTheConnections)
{
    Statement& statement = *NewStatement();
    EXPECT_EQ(SQL_TRUE, GetAttribute(statement, SQL_ATTR_ENABLE_AUTO_IPD));
    // A data store that describes no parameters.
    m_dataStore->SetNumber(18, AttributeData::MakeNewUInt32AttributeData(0));
    EXPECT_EQ("HYC00 S1", Outcome(statement, SetAttribute(statement, SQL_ATTR_ENABLE_AUTO_IPD, SQL_TRUE)));
    EXPECT_EQ(SQL_FALSE, GetAttribute(*NewStatement(), SQL_ATTR_ENABLE_AUTO_IPD));
}

} // namespace
