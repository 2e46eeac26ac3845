#include "Unit/ODBC/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::AttributeData;

namespace {

class TransactionTest : public ConnectionTest
{
protected:
    /// A connected connection in manual-commit mode to a data source with transactions, with one
    /// statement; in_multiple is its SQL_MULTIPLE_ACTIVE_TXN.
    Connection& ManualConnection(FakeDataStoreConnection*& out_dataStore,
                                 RecordingStatement*& out_statement,
                                 const char16_t* in_multiple = u"N")
    {
        Connection& connection = NewConnection(out_dataStore);
        out_dataStore->SetTransactionCapable(SQL_TC_ALL);
        SetInfoText(*out_dataStore, SQL_MULTIPLE_ACTIVE_TXN, in_multiple);
        EXPECT_EQ(SQL_SUCCESS, Connect(connection));
        EXPECT_EQ(SQL_SUCCESS, SetAutoCommit(connection, SQL_AUTOCOMMIT_OFF));
        out_statement = NewStatement(connection);
        return connection;
    }

    static SQLRETURN SetAutoCommit(Connection& io_connection, intptr_t in_value)
    {
        return io_connection.SQLSetConnectAttr(SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(in_value), 0);
    }

    static SQLRETURN Execute(Connection& io_connection, Statement& io_statement)
    {
        std::u16string text = u"UPDATE t SET a = 1";
        return io_connection.SQLExecDirectW(io_statement, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    }
};

} // namespace

TEST_F(TransactionTest, TwoConnectionsWithOneActiveTransactionAtATime)
{
    FakeDataStoreConnection* firstStore = nullptr;
    FakeDataStoreConnection* secondStore = nullptr;
    RecordingStatement* first = nullptr;
    RecordingStatement* second = nullptr;
    Connection& one = ManualConnection(firstStore, first);
    Connection& two = ManualConnection(secondStore, second);

    EXPECT_EQ(SQL_SUCCESS, Execute(one, *first));
    EXPECT_TRUE(one.IsInTransaction());
    EXPECT_EQ(1, firstStore->m_begins);
    EXPECT_EQ(m_driver.GetConnectionState(6), &one.GetState());

    // The second connection's statement fails before it runs, and no transaction opens.
    EXPECT_EQ("-1 HY000", Outcome(Execute(two, *second), second->GetDiagManager()));
    EXPECT_NE(std::string::npos, RecordText(second->GetDiagManager()).find("more than one"));
    EXPECT_EQ("", second->m_calls);
    EXPECT_FALSE(two.IsInTransaction());
    EXPECT_EQ(0, secondStore->m_begins);

    EXPECT_EQ(SQL_SUCCESS, one.SQLEndTran(SQL_HANDLE_DBC, SQL_COMMIT));
    EXPECT_EQ(1, firstStore->m_commits);
    EXPECT_EQ("exec direct;commit;", first->m_calls);
    EXPECT_FALSE(one.IsInTransaction());

    EXPECT_EQ(SQL_SUCCESS, Execute(two, *second));
    EXPECT_TRUE(two.IsInTransaction());
    EXPECT_EQ("-1 25000", Outcome(two.SQLDisconnect(), two.GetDiagManager()));
    EXPECT_TRUE(two.IsConnected());
    EXPECT_EQ("-1 HY011", Outcome(two.SQLSetConnectAttr(SQL_ATTR_TXN_ISOLATION,
                                                        reinterpret_cast<SQLPOINTER>(SQL_TXN_SERIALIZABLE), 0),
                                  two.GetDiagManager()));
    EXPECT_EQ("-1 HY012", Outcome(two.SQLEndTran(SQL_HANDLE_DBC, 5), two.GetDiagManager()));
    EXPECT_TRUE(two.IsInTransaction());
    EXPECT_EQ(SQL_SUCCESS, two.SQLEndTran(SQL_HANDLE_DBC, SQL_ROLLBACK));
    EXPECT_EQ(1, secondStore->m_rollbacks);
    EXPECT_EQ("exec direct;rollback;", second->m_calls);
    EXPECT_EQ(SQL_SUCCESS, two.SQLDisconnect());
}

TEST_F(TransactionTest, EndingWithoutATransactionDoesNothing)
{
    FakeDataStoreConnection* dataStore = nullptr;
    RecordingStatement* statement = nullptr;
    Connection& connection = ManualConnection(dataStore, statement);
    EXPECT_EQ(SQL_SUCCESS, connection.SQLEndTran(SQL_HANDLE_DBC, SQL_COMMIT));
    EXPECT_EQ(SQL_SUCCESS, connection.SQLEndTran(SQL_HANDLE_DBC, 5));
    EXPECT_EQ(0, dataStore->m_commits);
    EXPECT_EQ("", statement->m_calls);
}

TEST_F(TransactionTest, TheEnvironmentEndsEveryTransactionUntilOneFails)
{
    FakeDataStoreConnection* stores[3] = {};
    RecordingStatement* statements[3] = {};
    Connection* connections[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        connections[i] = &ManualConnection(stores[i], statements[i], u"Y");
        ASSERT_EQ(SQL_SUCCESS, Execute(*connections[i], *statements[i]));
    }

    // A warning does not stop the others.
    stores[0]->m_commitWarns = true;
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, m_environment->SQLEndTran(SQL_COMMIT));
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_FALSE(connections[i]->IsInTransaction()) << i;
        ASSERT_EQ(SQL_SUCCESS, Execute(*connections[i], *statements[i]));
    }

    stores[0]->m_commitWarns = false;
    stores[1]->m_commitFails = true;
    EXPECT_EQ(SQL_ERROR, m_environment->SQLEndTran(SQL_COMMIT));
    EXPECT_FALSE(connections[0]->IsInTransaction());
    EXPECT_EQ(2, stores[0]->m_commits);
    EXPECT_TRUE(connections[1]->IsInTransaction());
    EXPECT_EQ("-1 HY000", Outcome(SQL_ERROR, connections[1]->GetDiagManager()));
    EXPECT_TRUE(connections[2]->IsInTransaction());
    EXPECT_EQ(1, stores[2]->m_commits);
}

TEST_F(TransactionTest, AFailedBeginLeavesNoEndToTell)
{
    FakeDataStoreConnection* dataStore = nullptr;
    RecordingStatement* statement = nullptr;
    Connection& connection = ManualConnection(dataStore, statement);
    dataStore->m_beginFails = true;
    EXPECT_EQ("-1 HY000", Outcome(Execute(connection, *statement), statement->GetDiagManager()));
    EXPECT_FALSE(connection.IsInTransaction());
    EXPECT_EQ("", statement->m_calls);

    dataStore->m_beginFails = false;
    EXPECT_EQ(SQL_SUCCESS, Execute(connection, *statement));
    EXPECT_TRUE(connection.IsInTransaction());
    EXPECT_EQ(1, dataStore->m_begins);
    EXPECT_EQ("exec direct;", statement->m_calls);
}

TEST_F(TransactionTest, TheEnvironmentsCommitReopensWhereCursorsArePreserved)
{
    for (const SQLUSMALLINT behaviour : {SQL_CB_PRESERVE, SQL_CB_CLOSE})
    {
        FakeDataStoreConnection* dataStore = nullptr;
        RecordingStatement* statement = nullptr;
        Connection& connection = ManualConnection(dataStore, statement);
        SetInfo(*dataStore, SQL_CURSOR_COMMIT_BEHAVIOR, AttributeData::MakeNewUInt16AttributeData(behaviour));
        ASSERT_EQ(SQL_SUCCESS, Execute(connection, *statement));
        EXPECT_EQ(SQL_SUCCESS, m_environment->SQLEndTran(SQL_COMMIT));
        EXPECT_EQ(behaviour == SQL_CB_PRESERVE, connection.IsInTransaction()) << behaviour;
        EXPECT_EQ(behaviour == SQL_CB_PRESERVE ? 2 : 1, dataStore->m_begins);
        EXPECT_EQ(SQL_SUCCESS, m_environment->SQLEndTran(SQL_ROLLBACK));
        EXPECT_FALSE(connection.IsInTransaction());
    }
}

TEST_F(TransactionTest, TurningAutoCommitOnCommitsFirst)
{
    FakeDataStoreConnection* dataStore = nullptr;
    RecordingStatement* statement = nullptr;
    Connection& connection = ManualConnection(dataStore, statement);
    ASSERT_EQ(SQL_SUCCESS, Execute(connection, *statement));
    EXPECT_EQ(SQL_SUCCESS, SetAutoCommit(connection, SQL_AUTOCOMMIT_ON));
    EXPECT_EQ(1, dataStore->m_commits);
    EXPECT_EQ("exec direct;commit;", statement->m_calls);
    EXPECT_FALSE(connection.IsInTransaction());
    EXPECT_EQ(m_driver.GetConnectionState(5), &connection.GetState());
    // Committing automatically again, executions open no transaction.
    EXPECT_EQ(SQL_SUCCESS, Execute(connection, *statement));
    EXPECT_FALSE(connection.IsInTransaction());
    EXPECT_EQ(1, dataStore->m_begins);
}
