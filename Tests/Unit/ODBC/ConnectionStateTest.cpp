#include "DSI/DSILog.h"
#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Descriptors/AppDescriptor.h"
#include "ODBC/Descriptors/ExplicitAppDescriptor.h"
#include "ODBC/States/ConnectionState.h"

#include "Unit/ODBC/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::orvik_wstring;
using Orvik::Support::Variant;

namespace {

enum StateName
{
    C2,
    C3,
    C4,
    C5,
    C6
};

SQLWCHAR* Text(std::u16string& io_text)
{
    return reinterpret_cast<SQLWCHAR*>(&io_text[0]);
}

/// One connection function as the application calls it, on a connection in the state the row
/// sets up; in_statement is a statement of the connection in C5 and C6, a stray one otherwise.
using Call = std::function<SQLRETURN(Connection&, Statement&)>;

const std::map<std::string, Call> CALLS = {
    {"AllocStmt",
     [](Connection& c, Statement&) {
         SQLHANDLE handle = nullptr;
         return c.SQLAllocHandle(SQL_HANDLE_STMT, &handle);
     }},
    {"AllocDesc",
     [](Connection& c, Statement&) {
         SQLHANDLE handle = nullptr;
         return c.SQLAllocHandle(SQL_HANDLE_DESC, &handle);
     }},
    {"AllocEnv",
     [](Connection& c, Statement&) {
         SQLHANDLE handle = nullptr;
         return c.SQLAllocHandle(SQL_HANDLE_ENV, &handle);
     }},
    {"FreeStmt",
     [](Connection& c, Statement& s) { return c.SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(s.GetHandle())); }},
    {"BrowseConnect",
     [](Connection& c, Statement&) {
         std::u16string text = u"DRIVER={Pelta};Servers=h:1";
         return c.SQLBrowseConnectW(Text(text), SQL_NTS, nullptr, 0, nullptr);
     }},
    {"Connect",
     [](Connection& c, Statement&) {
         std::u16string name = u"NoSuchDataSource";
         return c.SQLConnectW(Text(name), SQL_NTS, nullptr, 0, nullptr, 0);
     }},
    {"DriverConnect",
     [](Connection& c, Statement&) {
         std::u16string text = u"DRIVER={Pelta};Servers=h:1";
         return c.SQLDriverConnectW(nullptr, Text(text), SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
     }},
    {"Disconnect", [](Connection& c, Statement&) { return c.SQLDisconnect(); }},
    {"EndTran", [](Connection& c, Statement&) { return c.SQLEndTran(SQL_HANDLE_DBC, SQL_COMMIT); }},
    {"ExecDirect",
     [](Connection& c, Statement& s) {
         std::u16string text = u"SELECT 1";
         return c.SQLExecDirectW(s, Text(text), SQL_NTS);
     }},
    {"Execute", [](Connection& c, Statement& s) { return c.SQLExecute(s); }},
    {"Catalog", [](Connection& c, Statement& s) { return c.ExecuteCatalogFunction(s, 13, {Variant(uint16_t(0))}); }},
    {"GetFunctions",
     [](Connection& c, Statement&) {
         SQLUSMALLINT supported = 0;
         return c.SQLGetFunctions(SQL_API_SQLFETCH, &supported);
     }},
    {"GetInfo",
     [](Connection& c, Statement&) {
         SQLUINTEGER value = 0;
         return c.SQLGetInfoW(SQL_SCROLL_OPTIONS, &value, sizeof(value), nullptr);
     }},
    {"NativeSql",
     [](Connection& c, Statement&) {
         std::u16string text = u"SELECT 1";
         SQLWCHAR out[20];
         return c.SQLNativeSqlW(Text(text), SQL_NTS, out, 20, nullptr);
     }},
    {"GetAutocommit",
     [](Connection& c, Statement&) {
         SQLUINTEGER value = 0;
         return c.SQLGetConnectAttr(SQL_ATTR_AUTOCOMMIT, &value, 0, nullptr);
     }},
    {"SetPacketSize",
     [](Connection& c, Statement&) { return c.SQLSetConnectAttr(SQL_ATTR_PACKET_SIZE, reinterpret_cast<SQLPOINTER>(8192), 0); }},
    {"SetIsolation",
     [](Connection& c, Statement&) {
         return c.SQLSetConnectAttr(SQL_ATTR_TXN_ISOLATION, reinterpret_cast<SQLPOINTER>(SQL_TXN_READ_COMMITTED), 0);
     }},
    {"SetTranslateLib",
     [](Connection& c, Statement&) {
         std::u16string name = u"lib.so";
         return c.SQLSetConnectAttr(SQL_ATTR_TRANSLATE_LIB, Text(name), SQL_NTS);
     }},
    {"SetCatalog",
     [](Connection& c, Statement&) {
         std::u16string name = u"db";
         return c.SQLSetConnectAttr(SQL_ATTR_CURRENT_CATALOG, Text(name), SQL_NTS);
     }},
};

struct MatrixRow
{
    const char* m_call;
    const char* m_outcomes[5]; // C2 to C6
};

// C6 here is a connection committing automatically with an open cursor; the state with an open
// transaction has tests of its own.
const MatrixRow MATRIX[] = {
    {"AllocStmt", {"-1 08003", "-1 08003", "0", "0", "0"}},
    {"AllocDesc", {"-1 08003", "-1 08003", "0", "0", "0"}},
    {"AllocEnv", {"-1 HY000", "-1 HY000", "-1 HY000", "-1 HY000", "-1 HY000"}},
    {"FreeStmt", {"-1 HY000", "-1 HY000", "-1 HY000", "0", "0"}},
    // The next browse step answers requests only: DRIVER is none.
    {"BrowseConnect", {"0", "99 01S00", "-1 08002", "-1 08002", "-1 08002"}},
    {"Connect", {"-1 08001", "-1 08002", "-1 08002", "-1 08002", "-1 08002"}},
    {"DriverConnect", {"0", "-1 08002", "-1 08002", "-1 08002", "-1 08002"}},
    {"Disconnect", {"-1 08003", "0", "0", "0", "0"}},
    {"EndTran", {"0", "0", "0", "0", "0"}},
    {"ExecDirect", {"-2", "-2", "-2", "0", "0"}},
    {"Execute", {"-2", "-2", "-2", "0", "0"}},
    {"Catalog", {"-1 HY010", "-1 HY010", "-1 HY010", "0", "0"}},
    {"GetFunctions", {"-1 HY010", "-1 HY010", "0", "0", "0"}},
    {"GetInfo", {"0", "0", "0", "0", "0"}},
    {"NativeSql", {"-1 08003", "-1 08003", "0", "0", "0"}},
    {"GetAutocommit", {"0", "-1 HY010", "0", "0", "0"}},
    {"SetPacketSize", {"0", "-1 HY010", "-1 HY011", "-1 HY011", "-1 HY011"}},
    {"SetIsolation", {"0", "-1 HY010", "0", "0", "-1 HY011"}},
    {"SetTranslateLib", {"-1 08003", "-1 HY010", "-1 HY092", "-1 HY092", "-1 HY092"}},
    {"SetCatalog", {"0", "-1 HY010", "0", "0", "-1 24000"}},
};

class ConnectionStateTest : public ConnectionTest
{
protected:
    /// A connection in state in_state; out_statement is one of its statements from C5 on.
    Connection& InState(StateName in_state, RecordingStatement*& out_statement)
    {
        FakeDataStoreConnection* dataStore = nullptr;
        Connection& connection = NewConnection(dataStore);
        out_statement = nullptr;
        if (in_state == C3)
        {
            std::u16string text = u"DRIVER={Pelta}";
            EXPECT_EQ(SQL_NEED_DATA, connection.SQLBrowseConnectW(Text(text), SQL_NTS, nullptr, 0, nullptr));
        }
        if (in_state >= C4)
        {
            EXPECT_EQ(SQL_SUCCESS, Connect(connection));
        }
        if (in_state >= C5)
        {
            out_statement = NewStatement(connection);
        }
        if (in_state == C6)
        {
            out_statement->OpenCursor(true);
        }
        return connection;
    }
};

} // namespace

TEST_F(ConnectionStateTest, EachFunctionInEachState)
{
    for (const MatrixRow& row : MATRIX)
    {
        for (int state = C2; state <= C6; ++state)
        {
            RecordingStatement* statement = nullptr;
            Connection& connection = InState(static_cast<StateName>(state), statement);
            RecordingStatement stray(999, connection);
            const SQLRETURN result = CALLS.at(row.m_call)(connection, statement != nullptr ? *statement : stray);
            EXPECT_EQ(row.m_outcomes[state], Outcome(result, connection.GetDiagManager()))
                << row.m_call << " in C" << state + 2;
        }
    }
}

TEST_F(ConnectionStateTest, TheStateFollowsConnectingStatementsAndCursors)
{
    FakeDataStoreConnection* dataStore = nullptr;
    Connection& connection = NewConnection(dataStore);
    const auto state = [&] {
        for (int number = 2; number <= 6; ++number)
        {
            if (&connection.GetState() == m_driver.GetConnectionState(number))
            {
                return number;
            }
        }
        return 0;
    };
    EXPECT_EQ(2, state());
    std::u16string text = u"DRIVER={Pelta}";
    ASSERT_EQ(SQL_NEED_DATA, connection.SQLBrowseConnectW(Text(text), SQL_NTS, nullptr, 0, nullptr));
    EXPECT_EQ(3, state());
    // A failed step leaves the dialogue as it was.
    std::u16string malformed = u"Servers";
    EXPECT_EQ(SQL_ERROR, connection.SQLBrowseConnectW(Text(malformed), SQL_NTS, nullptr, 0, nullptr));
    EXPECT_EQ(3, state());
    std::u16string answer = u"Servers=h:1";
    ASSERT_EQ(SQL_SUCCESS, connection.SQLBrowseConnectW(Text(answer), SQL_NTS, nullptr, 0, nullptr));
    EXPECT_EQ(4, state());
    RecordingStatement* first = NewStatement(connection);
    RecordingStatement* second = NewStatement(connection);
    EXPECT_EQ(5, state());
    first->OpenCursor(true);
    second->OpenCursor(true);
    EXPECT_EQ(6, state());
    first->OpenCursor(false);
    EXPECT_EQ(6, state());
    // Freeing a statement with an open cursor counts its cursor out.
    EXPECT_EQ(SQL_SUCCESS, connection.SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(second->GetHandle())));
    EXPECT_EQ(5, state());
    EXPECT_EQ(SQL_SUCCESS, connection.SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(first->GetHandle())));
    EXPECT_EQ(4, state());
    RecordingStatement* third = NewStatement(connection);
    third->OpenCursor(true);
    // Disconnecting closes the cursors first, then frees the statements.
    const HandleValue handle = third->GetHandle();
    EXPECT_EQ(SQL_SUCCESS, connection.SQLDisconnect());
    EXPECT_EQ(nullptr, m_driver.GetStatement(handle));
    EXPECT_EQ(2, state());
    EXPECT_EQ(1, dataStore->m_disconnects);
    EXPECT_FALSE(connection.HasStatements());
}

TEST_F(ConnectionStateTest, AStatementOfAnotherConnectionIsNotFreedHere)
{
    FakeDataStoreConnection* dataStore = nullptr;
    Connection& mine = NewConnection(dataStore);
    Connection& theirs = NewConnection(dataStore);
    ASSERT_EQ(SQL_SUCCESS, Connect(mine));
    ASSERT_EQ(SQL_SUCCESS, Connect(theirs));
    NewStatement(mine);
    RecordingStatement* statement = NewStatement(theirs);
    const SQLHANDLE handle = reinterpret_cast<SQLHANDLE>(statement->GetHandle());

    EXPECT_EQ("-1 HY000", Outcome(mine.SQLFreeHandle(SQL_HANDLE_STMT, handle), mine.GetDiagManager()));
    EXPECT_EQ(statement, m_driver.GetStatement(statement->GetHandle()));
    EXPECT_EQ(SQL_SUCCESS, theirs.SQLFreeHandle(SQL_HANDLE_STMT, handle));
    EXPECT_EQ(nullptr, m_driver.GetStatement(reinterpret_cast<HandleValue>(handle)));
}

TEST_F(ConnectionStateTest, DescriptorsTheApplicationAllocates)
{
    FakeDataStoreConnection* dataStore = nullptr;
    Connection& mine = NewConnection(dataStore);
    Connection& theirs = NewConnection(dataStore);
    const SQLHANDLE theirHandle = m_lastConnectionHandle;
    ASSERT_EQ(SQL_SUCCESS, Connect(mine));
    ASSERT_EQ(SQL_SUCCESS, Connect(theirs));
    SQLHANDLE handle = nullptr;
    ASSERT_EQ(SQL_SUCCESS, mine.SQLAllocHandle(SQL_HANDLE_DESC, &handle));
    Descriptor* descriptor = m_driver.GetAppDescriptor(reinterpret_cast<HandleValue>(handle));
    ASSERT_NE(nullptr, descriptor);
    EXPECT_TRUE(descriptor->IsExplicit());
    EXPECT_EQ(&mine, descriptor->GetParentConnection());
    EXPECT_EQ(mine.GetLocale(), descriptor->GetDiagManager().GetLocale());

    const auto freeing = [&](Connection& io_connection, SQLHANDLE in_handle) {
        return Outcome(io_connection.SQLFreeHandle(SQL_HANDLE_DESC, in_handle), io_connection.GetDiagManager());
    };
    EXPECT_EQ("-1 HY000", freeing(theirs, handle));
    EXPECT_EQ(descriptor, m_driver.GetAppDescriptor(reinterpret_cast<HandleValue>(handle)));
    EXPECT_EQ("-1 HY000", freeing(mine, reinterpret_cast<SQLHANDLE>(987654)));

    // A statement's own descriptors are freed with the statement only.
    const HandleValue implicitHandle = m_driver.NewAppDescriptorHandle();
    AppDescriptor implicit(implicitHandle, true, &mine, mine.GetMessageSource(), mine.GetLog());
    m_driver.RegisterAppDescriptor(implicitHandle, &implicit);
    EXPECT_EQ("-1 HY017", freeing(mine, reinterpret_cast<SQLHANDLE>(implicitHandle)));
    m_driver.UnregisterAppDescriptor(implicitHandle);

    EXPECT_EQ("0", freeing(mine, handle));
    EXPECT_EQ(nullptr, m_driver.GetAppDescriptor(reinterpret_cast<HandleValue>(handle)));

    // The connection's end frees what is left.
    ASSERT_EQ(SQL_SUCCESS, theirs.SQLAllocHandle(SQL_HANDLE_DESC, &handle));
    ASSERT_EQ(SQL_SUCCESS, theirs.SQLDisconnect());
    ASSERT_EQ(SQL_SUCCESS, m_environment->SQLFreeHandle(SQL_HANDLE_DBC, theirHandle));
    EXPECT_EQ(nullptr, m_driver.GetAppDescriptor(reinterpret_cast<HandleValue>(handle)));
}

TEST_F(ConnectionStateTest, GetFunctionsInItsThreeForms)
{
    // An application with ODBC 2 behaviour gets the ODBC 2 functions one by one as well.
    for (const SQLINTEGER version : {SQL_OV_ODBC2, SQL_OV_ODBC3_80})
    {
        HandleValue environmentHandle = 0;
        m_driver.CreateEnvironment(environmentHandle);
        Environment* environment = m_driver.GetEnvironment(environmentHandle);
        environment->SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(version), 0);
        SQLHANDLE handle = nullptr;
        environment->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(environmentHandle), &handle);
        Connection& connection = *m_driver.GetConnection(reinterpret_cast<HandleValue>(handle));

        SQLUSMALLINT bitmap[SQL_API_ODBC3_ALL_FUNCTIONS_SIZE];
        EXPECT_EQ(SQL_ERROR, connection.SQLGetFunctions(SQL_API_ODBC3_ALL_FUNCTIONS, bitmap));
        ASSERT_EQ(SQL_SUCCESS, Connect(connection));

        std::fill(std::begin(bitmap), std::end(bitmap), 0xFFFF);
        EXPECT_EQ(SQL_SUCCESS, connection.SQLGetFunctions(SQL_API_ODBC3_ALL_FUNCTIONS, bitmap));
        EXPECT_EQ(SQL_TRUE, SQL_FUNC_EXISTS(bitmap, SQL_API_SQLCANCELHANDLE));
        EXPECT_EQ(SQL_TRUE, SQL_FUNC_EXISTS(bitmap, 1550));
        EXPECT_EQ(SQL_FALSE, SQL_FUNC_EXISTS(bitmap, SQL_API_SQLSETPOS));
        EXPECT_EQ(SQL_FALSE, SQL_FUNC_EXISTS(bitmap, SQL_API_SQLALLOCCONNECT));
        EXPECT_EQ(0, bitmap[SQL_API_ODBC3_ALL_FUNCTIONS_SIZE - 1]);

        SQLUSMALLINT all[100];
        EXPECT_EQ(SQL_SUCCESS, connection.SQLGetFunctions(SQL_API_ALL_FUNCTIONS, all));
        EXPECT_EQ(SQL_TRUE, all[SQL_API_SQLALLOCCONNECT]);
        EXPECT_EQ(SQL_FALSE, all[SQL_API_SQLSETPOS]);

        SQLUSMALLINT one = 99;
        EXPECT_EQ(SQL_SUCCESS, connection.SQLGetFunctions(SQL_API_SQLALLOCCONNECT, &one));
        EXPECT_EQ(version == SQL_OV_ODBC2 ? SQL_TRUE : SQL_FALSE, one) << version;
        EXPECT_EQ(SQL_SUCCESS, environment->SQLFreeHandle(SQL_HANDLE_DBC, handle));
        EXPECT_EQ(SQL_SUCCESS, m_driver.FreeEnvironment(environmentHandle));
    }
}

TEST_F(ConnectionStateTest, CancelHandleWhileIdleLeavesACancelForTheNextCall)
{
    FakeDataStoreConnection* dataStore = nullptr;
    Connection& connection = NewConnection(dataStore);
    ASSERT_EQ(SQL_SUCCESS, Connect(connection));
    const int clearedBefore = dataStore->m_clearedCancels;

    EXPECT_EQ(SQL_SUCCESS, connection.SQLCancelHandle());
    EXPECT_EQ(0, dataStore->m_cancels) << "nothing runs, so nothing is cancelled";
    EXPECT_EQ(clearedBefore, dataStore->m_clearedCancels);
    EXPECT_EQ(SQL_SUCCESS, connection.SQLSetConnectAttr(SQL_ATTR_QUIET_MODE, nullptr, 0));
    EXPECT_EQ(clearedBefore + 1, dataStore->m_clearedCancels);
    EXPECT_EQ(SQL_SUCCESS, connection.SQLSetConnectAttr(SQL_ATTR_QUIET_MODE, nullptr, 0));
    EXPECT_EQ(clearedBefore + 1, dataStore->m_clearedCancels);
}

TEST_F(ConnectionStateTest, CursorNames)
{
    FakeDataStoreConnection* dataStore = nullptr;
    Connection& connection = NewConnection(dataStore);
    ASSERT_EQ(SQL_SUCCESS, Connect(connection));
    SetInfo(*dataStore, SQL_MAX_CURSOR_NAME_LEN, Orvik::Support::AttributeData::MakeNewUInt16AttributeData(6));
    RecordingStatement* first = NewStatement(connection);
    RecordingStatement* second = NewStatement(connection);
    const auto name = [&](RecordingStatement* in_statement, const char16_t* in_name) {
        try
        {
            connection.SetCursorNameForStatement(orvik_wstring(in_name), *in_statement);
            return std::string("ok");
        }
        catch (const Orvik::Support::ErrorException& e)
        {
            return std::string(Orvik::Support::GetSqlStateForDiagState(e.GetDiagState()).GetText());
        }
    };

    EXPECT_EQ("ok", name(first, u"alpha"));
    EXPECT_EQ("ok", name(first, u"alpha"));
    EXPECT_EQ("3C000", name(second, u"alpha"));
    EXPECT_EQ("ok", name(second, u"Alpha"));
    EXPECT_EQ("ok", name(second, u"sixsix"));
    EXPECT_EQ("34000", name(second, u"sevenXX"));
    EXPECT_EQ(orvik_wstring(u"sixsix"), second->GetCursorName());
    // A maximum of 0 means no limit.
    SetInfo(*dataStore, SQL_MAX_CURSOR_NAME_LEN, Orvik::Support::AttributeData::MakeNewUInt16AttributeData(0));
    EXPECT_EQ("ok", name(second, u"a rather long cursor name"));
}
