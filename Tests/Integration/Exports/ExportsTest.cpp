// The exported functions called directly, without a Driver Manager in between: what each
// returns for the handle kinds and values it is given, and the ANSI forms' conversion of text,
// which the Driver Manager would otherwise check or hide.

#include "Integration/Exports/DriverLibrary.h"
#include "Common/TemporaryDirectory.h"
#include "Support/TestServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using Pelta::Test::DriverLibrary;
using Pelta::Test::TestServer;

namespace {

// The profile of no data source and empty driver settings: nothing of the machine's reaches the
// driver. Set before the library is opened.
Orvik::Testing::TemporaryDirectory g_directory;
Orvik::Testing::ScopedEnvironment g_user("PELTA_REGISTRY_HKCU", g_directory / "user.reg");
Orvik::Testing::ScopedEnvironment g_machine("PELTA_REGISTRY_HKLM", g_directory / "machine.reg");
Orvik::Testing::ScopedEnvironment g_odbcIni("ODBCINI", g_directory / "odbc.ini");
Orvik::Testing::ScopedEnvironment g_odbcSysIni("ODBCSYSINI", g_directory.Path());
Orvik::Testing::ScopedEnvironment g_ansi("ORVIK_APP_ANSI_ENCODING", std::string("UTF-8"));
Orvik::Testing::ScopedEnvironment g_proxy("no_proxy", std::string("127.0.0.1,localhost"));

const std::string CLUSTER_NAME = "exports-cluster-0001";

DriverLibrary& Library()
{
    static DriverLibrary library(PELTA_LIBRARY);
    return library;
}

TestServer& Server()
{
    static TestServer server([] {
        Pelta::Test::TestServerOptions options;
        options.sampleData = true;
        options.extraArguments = {"--cluster-name", CLUSTER_NAME};
        return options;
    }());
    return server;
}

#define DRIVER(NAME) PELTA_EXPORT(Library(), NAME)

SQLHANDLE AsHandle(uintptr_t in_value)
{
    return reinterpret_cast<SQLHANDLE>(in_value);
}

/// The records of a handle as "STATE:message" lines, read with the driver's ANSI
/// SQLGetDiagRec.
std::vector<std::string> Records(SQLSMALLINT in_type, SQLHANDLE in_handle)
{
    std::vector<std::string> records;
    for (SQLSMALLINT number = 1;; ++number)
    {
        SQLCHAR state[6] = {};
        SQLCHAR message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (DRIVER(SQLGetDiagRec)(in_type, in_handle, number, state, &native, message, sizeof message, &length)
            != SQL_SUCCESS)
        {
            return records;
        }
        records.push_back(std::string(reinterpret_cast<char*>(state)) + ":" + reinterpret_cast<char*>(message));
    }
}

class ExportsTest : public ::testing::Test
{
protected:
    ExportsTest()
    {
        EXPECT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_environment), SQL_SUCCESS);
        EXPECT_EQ(DRIVER(SQLSetEnvAttr)(m_environment, SQL_ATTR_ODBC_VERSION,
                                        reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0),
                  SQL_SUCCESS);
        EXPECT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_DBC, m_environment, &m_connection), SQL_SUCCESS);
    }

    ~ExportsTest() override
    {
        if (m_statement != SQL_NULL_HANDLE)
        {
            DRIVER(SQLFreeHandle)(SQL_HANDLE_STMT, m_statement);
        }
        if (m_connected)
        {
            DRIVER(SQLDisconnect)(m_connection);
        }
        DRIVER(SQLFreeHandle)(SQL_HANDLE_DBC, m_connection);
        DRIVER(SQLFreeHandle)(SQL_HANDLE_ENV, m_environment);
    }

    void Connect()
    {
        const std::string text = std::string("DRIVER=") + PELTA_LIBRARY + ";Servers=" + Server().Address();
        ASSERT_EQ(DRIVER(SQLDriverConnect)(m_connection, nullptr, (SQLCHAR*)text.c_str(), SQL_NTS, nullptr, 0, nullptr,
                                           SQL_DRIVER_NOPROMPT),
                  SQL_SUCCESS)
            << ::testing::PrintToString(Records(SQL_HANDLE_DBC, m_connection));
        m_connected = true;
        ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, m_connection, &m_statement), SQL_SUCCESS);
    }

    SQLRETURN ExecuteFailing()
    {
        return DRIVER(SQLExecDirect)(m_statement, (SQLCHAR*)"select * from no_such_table", SQL_NTS);
    }

    SQLHANDLE m_environment = nullptr;
    SQLHANDLE m_connection = nullptr;
    SQLHANDLE m_statement = nullptr;
    bool m_connected = false;
};

TEST_F(ExportsTest, AllocHandleByTypeAndParent)
{
    SQLHANDLE made = AsHandle(77);
    EXPECT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_ENV, m_environment, &made), SQL_INVALID_HANDLE);
    EXPECT_EQ(made, AsHandle(77));
    EXPECT_EQ(DRIVER(SQLAllocHandle)(5, m_environment, &made), SQL_ERROR);
    EXPECT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_DBC, AsHandle(999999), &made), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, AsHandle(999999), &made), SQL_INVALID_HANDLE);
    EXPECT_TRUE(Records(SQL_HANDLE_ENV, m_environment).empty());

    // A connection not yet connected refuses a statement: the output is the null handle.
    made = AsHandle(77);
    EXPECT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, m_connection, &made), SQL_ERROR);
    EXPECT_EQ(made, nullptr);
    const std::vector<std::string> records = Records(SQL_HANDLE_DBC, m_connection);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(0, 6), "08003:");
}

TEST_F(ExportsTest, HandleTypesTheRoutedFunctionsRefuse)
{
    EXPECT_EQ(DRIVER(SQLFreeHandle)(5, m_environment), SQL_ERROR);
    EXPECT_EQ(DRIVER(SQLFreeHandle)(SQL_HANDLE_STMT, AsHandle(999999)), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLEndTran)(SQL_HANDLE_STMT, m_connection, SQL_COMMIT), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLEndTran)(SQL_HANDLE_DESC, m_connection, SQL_COMMIT), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLEndTran)(SQL_HANDLE_ENV, AsHandle(999999), SQL_COMMIT), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLCancelHandle)(SQL_HANDLE_ENV, m_environment), SQL_ERROR);
    EXPECT_EQ(DRIVER(SQLCancelHandle)(SQL_HANDLE_DESC, m_connection), SQL_ERROR);
    EXPECT_TRUE(Records(SQL_HANDLE_ENV, m_environment).empty());
    EXPECT_EQ(DRIVER(SQLCancelHandle)(SQL_HANDLE_DBC, AsHandle(999999)), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLGetDiagRecW)(SQL_HANDLE_STMT, AsHandle(999999), 1, nullptr, nullptr, nullptr, 0, nullptr),
              SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLGetDiagRecW)(7, m_environment, 1, nullptr, nullptr, nullptr, 0, nullptr), SQL_INVALID_HANDLE);
}

TEST_F(ExportsTest, CopyDescWithAnUnknownHandleCopiesNothing)
{
    Connect();
    SQLHANDLE rowDescriptor = SQL_NULL_HANDLE;
    ASSERT_EQ(DRIVER(SQLGetStmtAttr)(m_statement, SQL_ATTR_APP_ROW_DESC, &rowDescriptor, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(DRIVER(SQLCopyDesc)(AsHandle(999999), rowDescriptor), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLCopyDesc)(rowDescriptor, AsHandle(999999)), SQL_INVALID_HANDLE);
    SQLSMALLINT count = -1;
    EXPECT_EQ(DRIVER(SQLGetDescField)(rowDescriptor, 0, SQL_DESC_COUNT, &count, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(count, 0);
}

TEST_F(ExportsTest, FreeStmtWithDropFreesAsFreeHandleDoes)
{
    Connect();
    ASSERT_EQ(DRIVER(SQLExecDirect)(m_statement, (SQLCHAR*)"select id from sample_byte", SQL_NTS), SQL_SUCCESS);
    EXPECT_EQ(DRIVER(SQLFreeStmt)(m_statement, SQL_DROP), SQL_SUCCESS);
    SQLLEN count = 0;
    EXPECT_EQ(DRIVER(SQLRowCount)(m_statement, &count), SQL_INVALID_HANDLE);
    EXPECT_EQ(DRIVER(SQLFreeStmt)(m_statement, SQL_DROP), SQL_INVALID_HANDLE);
    m_statement = SQL_NULL_HANDLE;
}

TEST_F(ExportsTest, AConnectionIsNotFreedWhileAnotherThreadConnectsIt)
{
    // The server holds its answer to the probe of the connect, which then still waits for it.
    ASSERT_EQ(Server().Control("POST", "/reset", "{}").status, 200);
    ASSERT_EQ(Server().Control("POST", "/faults", R"({"method":"GET","delay":3,"times":1})").status, 200);
    const std::string text = std::string("DRIVER=") + PELTA_LIBRARY + ";Servers=" + Server().Address() + ";Timeout=60";
    SQLRETURN connected = SQL_ERROR;
    std::thread connector([&] {
        connected = DRIVER(SQLDriverConnect)(m_connection, nullptr, (SQLCHAR*)text.c_str(), SQL_NTS, nullptr, 0, nullptr,
                                             SQL_DRIVER_NOPROMPT);
    });
    while (Server().Control("GET", "/log").body.find("\"probe\"") == std::string::npos)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // Freeing the connection, or the environment and so the connection with it, is refused.
    const SQLRETURN connectionFreed = DRIVER(SQLFreeHandle)(SQL_HANDLE_DBC, m_connection);
    const std::vector<std::string> connectionRecords = Records(SQL_HANDLE_ENV, m_environment);
    const SQLRETURN environmentFreed = DRIVER(SQLFreeHandle)(SQL_HANDLE_ENV, m_environment);
    const std::vector<std::string> environmentRecords = Records(SQL_HANDLE_ENV, m_environment);
    connector.join();
    EXPECT_EQ(connectionFreed, SQL_ERROR);
    EXPECT_EQ(environmentFreed, SQL_ERROR);
    for (const auto& records : {connectionRecords, environmentRecords})
    {
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].substr(0, 6), "HY010:") << records[0];
    }
    // The connect ended as usual: the connection works, and is freed afterwards.
    ASSERT_EQ(connected, SQL_SUCCESS);
    m_connected = true;
    ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, m_connection, &m_statement), SQL_SUCCESS);
    EXPECT_EQ(DRIVER(SQLExecDirect)(m_statement, (SQLCHAR*)"select id from sample_byte", SQL_NTS), SQL_SUCCESS);
}

// A statement freed on one thread while two others call on it by its handle without a pause:
// each free is refused with HY010 while a call runs and goes ahead between two calls, when a
// caller may just have found the handle; each call works on the statement or, once the free
// went ahead, finds no handle. Nothing ever reaches the statement freed, which the sanitizers
// would report. The rounds begin the free at other moments.
TEST_F(ExportsTest, AStatementFreedWhileOtherThreadsCallOnItIsRefusedOrLeavesThemNoHandle)
{
    constexpr int ROUNDS = 100;
    constexpr int CALLERS = 2;
    Connect();
    std::map<std::string, int> frees;
    std::map<SQLRETURN, int> calls;
    int callsAfterTheFree = 0;
    for (int round = 0; round < ROUNDS; ++round)
    {
        SQLHANDLE statement = SQL_NULL_HANDLE;
        ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, m_connection, &statement), SQL_SUCCESS);
        ASSERT_EQ(DRIVER(SQLExecDirect)(statement, (SQLCHAR*)"select id from sample_byte", SQL_NTS), SQL_SUCCESS);
        std::atomic<bool> isFreed{false};
        std::atomic<int> callersStarted{0};
        std::vector<std::map<SQLRETURN, int>> results(CALLERS);
        std::vector<int> lateCalls(CALLERS);
        std::vector<std::thread> callers;
        for (int caller = 0; caller < CALLERS; ++caller)
        {
            callers.emplace_back([&, caller] {
                SQLRETURN result = SQL_SUCCESS;
                for (int call = 1; result != SQL_INVALID_HANDLE; ++call)
                {
                    // A dispatched call and one that is not, each of which works in every state.
                    const bool wasFreed = isFreed;
                    SQLLEN count = 0;
                    result = call % 2 == 0 ? DRIVER(SQLFetch)(statement) : DRIVER(SQLRowCount)(statement, &count);
                    lateCalls[caller] += wasFreed && result != SQL_INVALID_HANDLE ? 1 : 0;
                    ++results[caller][result];
                    callersStarted += call == 1 ? 1 : 0;
                }
            });
        }
        while (callersStarted < CALLERS)
        {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(round % 10 * 20));
        SQLRETURN freed = SQL_ERROR;
        while (freed != SQL_SUCCESS)
        {
            freed = DRIVER(SQLFreeHandle)(SQL_HANDLE_STMT, statement);
            // The connection that frees its statement tells why it does not.
            const std::vector<std::string> records = Records(SQL_HANDLE_DBC, m_connection);
            ++frees[freed == SQL_SUCCESS ? "OK" : records.empty() ? "no record" : records[0].substr(0, 5)];
        }
        isFreed = true;
        for (std::thread& caller : callers)
        {
            caller.join();
        }
        for (int caller = 0; caller < CALLERS; ++caller)
        {
            callsAfterTheFree += lateCalls[caller];
            EXPECT_EQ(results[caller][SQL_INVALID_HANDLE], 1) << "round " << round;
            for (const auto& result : results[caller])
            {
                calls[result.first] += result.second;
            }
        }
    }
    EXPECT_EQ(callsAfterTheFree, 0);
    EXPECT_EQ(frees["OK"], ROUNDS);
    frees.erase("OK");
    frees.erase("HY010");
    EXPECT_TRUE(frees.empty()) << ::testing::PrintToString(frees);
    // Fetches that found rows or their end, row counts, and the calls that found no handle.
    calls.erase(SQL_SUCCESS);
    calls.erase(SQL_NO_DATA);
    calls.erase(SQL_INVALID_HANDLE);
    EXPECT_TRUE(calls.empty()) << ::testing::PrintToString(calls);
}

TEST_F(ExportsTest, AnsiInformationTextIsCutWithItsFullLength)
{
    Connect();
    char value[4] = {'#', '#', '#', '#'};
    SQLSMALLINT length = 0;
    EXPECT_EQ(DRIVER(SQLGetInfo)(m_connection, SQL_SERVER_NAME, value, sizeof value, &length), SQL_SUCCESS_WITH_INFO);
    EXPECT_STREQ(value, "exp");
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(CLUSTER_NAME.size()));
    const std::vector<std::string> records = Records(SQL_HANDLE_DBC, m_connection);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(0, 6), "01004:");

    // No buffer: the length alone, in characters.
    length = 0;
    EXPECT_EQ(DRIVER(SQLGetInfo)(m_connection, SQL_SERVER_NAME, nullptr, 0, &length), SQL_SUCCESS);
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(CLUSTER_NAME.size()));

    // A buffer without room: nothing written, the length, and the cut reported.
    value[0] = '#';
    EXPECT_EQ(DRIVER(SQLGetInfo)(m_connection, SQL_SERVER_NAME, value, 0, &length), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(value[0], '#');
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(CLUSTER_NAME.size()));

    // A buffer larger than a 16-bit wide length holds takes the whole text.
    std::vector<char> large(20000, '#');
    EXPECT_EQ(DRIVER(SQLGetInfo)(m_connection, SQL_SERVER_NAME, large.data(), static_cast<SQLSMALLINT>(large.size()),
                                 &length),
              SQL_SUCCESS);
    EXPECT_EQ(std::string(large.data()), CLUSTER_NAME);

    // A number passes through untouched.
    SQLUSMALLINT number = 0;
    EXPECT_EQ(DRIVER(SQLGetInfo)(m_connection, SQL_MAX_CONCURRENT_ACTIVITIES, &number, sizeof number, nullptr),
              SQL_SUCCESS);
}

TEST_F(ExportsTest, AnsiTextOutputsAreCutWithTheirFullLength)
{
    Connect();
    ASSERT_EQ(DRIVER(SQLExecDirect)(m_statement, (SQLCHAR*)"select id, value from sample_string", SQL_NTS),
              SQL_SUCCESS);
    SQLHANDLE rowDescriptor = nullptr;
    ASSERT_EQ(DRIVER(SQLGetStmtAttr)(m_statement, SQL_ATTR_IMP_ROW_DESC, &rowDescriptor, 0, nullptr), SQL_SUCCESS);

    // Each reads a text into a buffer of four bytes: (result, length) and its handle's records.
    struct TextCase
    {
        const char* name;
        std::string full;
        std::function<SQLRETURN(char*, SQLINTEGER&)> read;
        SQLSMALLINT handleType;
        SQLHANDLE handle;
    };
    const TextCase cases[] = {
        {"SQLGetConnectAttr", "Pelta",
         [&](char* out_text, SQLINTEGER& out_length) {
             return DRIVER(SQLGetConnectAttr)(m_connection, SQL_ATTR_CURRENT_CATALOG, out_text, 4, &out_length);
         },
         SQL_HANDLE_DBC, m_connection},
        {"SQLGetDescField", "value",
         [&](char* out_text, SQLINTEGER& out_length) {
             return DRIVER(SQLGetDescField)(rowDescriptor, 2, SQL_DESC_NAME, out_text, 4, &out_length);
         },
         SQL_HANDLE_DESC, rowDescriptor},
        {"SQLGetDescRec", "value",
         [&](char* out_text, SQLINTEGER& out_length) {
             SQLSMALLINT length = 0;
             const SQLRETURN result = DRIVER(SQLGetDescRec)(rowDescriptor, 2, (SQLCHAR*)out_text, 4, &length, nullptr,
                                                            nullptr, nullptr, nullptr, nullptr, nullptr);
             out_length = length;
             return result;
         },
         SQL_HANDLE_DESC, rowDescriptor},
        {"SQLNativeSql", "select 1",
         [&](char* out_text, SQLINTEGER& out_length) {
             return DRIVER(SQLNativeSql)(m_connection, (SQLCHAR*)"select 1", SQL_NTS, (SQLCHAR*)out_text, 4, &out_length);
         },
         SQL_HANDLE_DBC, m_connection},
    };
    for (const TextCase& text : cases)
    {
        SCOPED_TRACE(text.name);
        char value[8] = "#######";
        SQLINTEGER length = 0;
        EXPECT_EQ(text.read(value, length), SQL_SUCCESS_WITH_INFO);
        EXPECT_EQ(std::string(value), text.full.substr(0, 3));
        EXPECT_EQ(value[4], '#');
        EXPECT_EQ(length, static_cast<SQLINTEGER>(text.full.size()));
        const std::vector<std::string> records = Records(text.handleType, text.handle);
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.back().substr(0, 6), "01004:");
    }

    // Without a buffer only the length, in characters.
    SQLINTEGER length = 0;
    EXPECT_EQ(DRIVER(SQLGetConnectAttr)(m_connection, SQL_ATTR_CURRENT_CATALOG, nullptr, 0, &length), SQL_SUCCESS);
    EXPECT_EQ(length, 5);
}

TEST_F(ExportsTest, AnsiDiagnosticsNeverChangeTheRecords)
{
    Connect();
    ASSERT_EQ(ExecuteFailing(), SQL_ERROR);
    const std::vector<std::string> before = Records(SQL_HANDLE_STMT, m_statement);
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].substr(0, 6), "42S02:");

    char text[256] = {};
    SQLSMALLINT length = 0;
    EXPECT_EQ(DRIVER(SQLGetDiagField)(SQL_HANDLE_STMT, m_statement, 1, SQL_DIAG_MESSAGE_TEXT, text, -1, &length),
              SQL_ERROR);
    EXPECT_EQ(DRIVER(SQLGetDiagField)(SQL_HANDLE_STMT, m_statement, 1, SQL_DIAG_MESSAGE_TEXT, text, SQL_IS_POINTER,
                                      &length),
              SQL_ERROR);
    SQLINTEGER native = 0;
    EXPECT_EQ(DRIVER(SQLGetDiagField)(SQL_HANDLE_STMT, m_statement, 1, SQL_DIAG_NATIVE, &native, -1, nullptr),
              SQL_SUCCESS);

    // A short message buffer: cut and terminated, the full length, and nothing posted.
    SQLCHAR state[6] = {};
    EXPECT_EQ(DRIVER(SQLGetDiagRec)(SQL_HANDLE_STMT, m_statement, 1, state, &native, (SQLCHAR*)text, 10, &length),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_STREQ(reinterpret_cast<char*>(state), "42S02");
    EXPECT_EQ(std::strlen(text), 9u);
    EXPECT_EQ(static_cast<size_t>(length), before[0].size() - 6);
    EXPECT_EQ(DRIVER(SQLGetDiagField)(SQL_HANDLE_STMT, m_statement, 1, SQL_DIAG_MESSAGE_TEXT, text, 10, &length),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(std::strlen(text), 9u);
    EXPECT_EQ(Records(SQL_HANDLE_STMT, m_statement), before);

    // The wide form reads the same record, twice.
    SQLWCHAR wideState[6] = {};
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(DRIVER(SQLGetDiagRecW)(SQL_HANDLE_STMT, m_statement, 1, wideState, &native, nullptr, 0, &length),
                  SQL_SUCCESS);
        EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(wideState)), u"42S02");
    }
}

TEST_F(ExportsTest, AnsiAttributeAndCursorNameErrors)
{
    Connect();
    SQLINTEGER value = 0;
    EXPECT_EQ(DRIVER(SQLGetStmtAttr)(m_statement, 99999, &value, sizeof value, nullptr), SQL_ERROR);
    std::vector<std::string> records = Records(SQL_HANDLE_STMT, m_statement);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(0, 6), "HY092:");
    EXPECT_NE(records[0].find("99999"), std::string::npos) << records[0];

    // A length that is no length: the conversion's own error, posted as it is.
    EXPECT_EQ(DRIVER(SQLSetCursorName)(m_statement, (SQLCHAR*)"name", -5), SQL_ERROR);
    records = Records(SQL_HANDLE_STMT, m_statement);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(0, 6), "HY090:");

    // A good name comes back, cut to a small buffer with its full length.
    EXPECT_EQ(DRIVER(SQLSetCursorName)(m_statement, (SQLCHAR*)"c\xc3\xa9sar", SQL_NTS), SQL_SUCCESS);
    char name[5] = {};
    SQLSMALLINT length = 0;
    EXPECT_EQ(DRIVER(SQLGetCursorName)(m_statement, (SQLCHAR*)name, sizeof name, &length), SQL_SUCCESS_WITH_INFO);
    EXPECT_STREQ(name, "c\xc3\xa9s");
    EXPECT_EQ(length, 6);
    EXPECT_EQ(Records(SQL_HANDLE_STMT, m_statement).back().substr(0, 6), "01004:");
}

// Before any environment the driver's module has not started: a call with a handle the driver
// never made finds nothing and says so, without touching what does not exist yet. Each call is
// the first of a fresh process (the death test's child runs nothing but it), checked by the
// sanitizers, which end a run on undefined behaviour.
TEST(ExportsBeforeAnyEnvironmentTest, CallsWithUnknownHandlesFindNothing)
{
    const SQLHANDLE garbage = AsHandle(999999);
    SQLHANDLE made = AsHandle(77);
    char text[64] = {};
    SQLWCHAR wideText[64] = {};
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLINTEGER value = 0;
    struct Call
    {
        const char* name;
        std::function<SQLRETURN()> call;
    };
    const Call calls[] = {
        {"SQLExecDirect", [&] { return DRIVER(SQLExecDirect)(nullptr, (SQLCHAR*)"select 1", SQL_NTS); }},
        {"SQLExecDirectW", [&] { return DRIVER(SQLExecDirectW)(garbage, wideText, 0); }},
        {"SQLPrepare", [&] { return DRIVER(SQLPrepare)(garbage, (SQLCHAR*)"select 1", SQL_NTS); }},
        {"SQLExecute", [&] { return DRIVER(SQLExecute)(nullptr); }},
        {"SQLFetch", [&] { return DRIVER(SQLFetch)(garbage); }},
        {"SQLFreeStmt", [&] { return DRIVER(SQLFreeStmt)(garbage, SQL_CLOSE); }},
        {"SQLCancel", [&] { return DRIVER(SQLCancel)(garbage); }},
        {"SQLDisconnect", [&] { return DRIVER(SQLDisconnect)(nullptr); }},
        {"SQLEndTran", [&] { return DRIVER(SQLEndTran)(SQL_HANDLE_DBC, garbage, SQL_COMMIT); }},
        {"SQLDriverConnect",
         [&] {
             return DRIVER(SQLDriverConnect)(garbage, nullptr, (SQLCHAR*)"DSN=x", SQL_NTS, nullptr, 0, nullptr,
                                             SQL_DRIVER_NOPROMPT);
         }},
        {"SQLGetDiagRec",
         [&] { return DRIVER(SQLGetDiagRec)(SQL_HANDLE_STMT, garbage, 1, state, &native, (SQLCHAR*)text, 64, &length); }},
        {"SQLGetDiagRecW",
         [&] { return DRIVER(SQLGetDiagRecW)(SQL_HANDLE_DBC, nullptr, 1, nullptr, &native, wideText, 64, &length); }},
        {"SQLGetDiagField",
         [&] { return DRIVER(SQLGetDiagField)(SQL_HANDLE_ENV, garbage, 1, SQL_DIAG_MESSAGE_TEXT, text, 64, &length); }},
        {"SQLGetDiagFieldW",
         [&] { return DRIVER(SQLGetDiagFieldW)(SQL_HANDLE_STMT, nullptr, 0, SQL_DIAG_NUMBER, &value, 0, nullptr); }},
        {"SQLFreeHandle ENV", [&] { return DRIVER(SQLFreeHandle)(SQL_HANDLE_ENV, garbage); }},
        {"SQLFreeHandle STMT", [&] { return DRIVER(SQLFreeHandle)(SQL_HANDLE_STMT, nullptr); }},
        {"SQLAllocHandle DBC", [&] { return DRIVER(SQLAllocHandle)(SQL_HANDLE_DBC, nullptr, &made); }},
        {"SQLAllocHandle STMT", [&] { return DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, garbage, &made); }},
        {"SQLGetInfo", [&] { return DRIVER(SQLGetInfo)(garbage, SQL_DBMS_NAME, text, 64, &length); }},
        {"SQLGetInfoW", [&] { return DRIVER(SQLGetInfoW)(nullptr, SQL_DBMS_NAME, wideText, 128, &length); }},
        {"SQLGetEnvAttr", [&] { return DRIVER(SQLGetEnvAttr)(garbage, SQL_ATTR_ODBC_VERSION, &value, 0, nullptr); }},
        {"SQLSetEnvAttr",
         [&] { return DRIVER(SQLSetEnvAttr)(garbage, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0); }},
        {"SQLGetConnectAttr",
         [&] { return DRIVER(SQLGetConnectAttr)(nullptr, SQL_ATTR_CURRENT_CATALOG, text, 64, &value); }},
        {"SQLGetStmtAttr", [&] { return DRIVER(SQLGetStmtAttr)(garbage, SQL_ATTR_ROW_NUMBER, &value, 0, nullptr); }},
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Call& row : calls)
    {
        EXPECT_EXIT(
            {
                const SQLRETURN result = row.call();
                std::fprintf(stderr, "%s returned %d\n", row.name, static_cast<int>(result));
                std::_Exit(result == SQL_INVALID_HANDLE ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << row.name;
    }
}

TEST(ExportedSymbolsTest, EveryOdbcFunctionAndNothingInternal)
{
    const char* const names[] = {
        "SQLAllocHandle", "SQLBindCol", "SQLBindParameter", "SQLBrowseConnect", "SQLBrowseConnectW", "SQLCancel",
        "SQLCancelHandle", "SQLCloseCursor", "SQLColAttribute", "SQLColAttributeW", "SQLColumnPrivileges",
        "SQLColumnPrivilegesW", "SQLColumns", "SQLColumnsW", "SQLConnect", "SQLConnectW", "SQLCopyDesc",
        "SQLDescribeCol", "SQLDescribeColW", "SQLDescribeParam", "SQLDisconnect", "SQLDriverConnect",
        "SQLDriverConnectW", "SQLEndTran", "SQLExecDirect", "SQLExecDirectW", "SQLExecute", "SQLExtendedFetch",
        "SQLFetch", "SQLFetchScroll", "SQLForeignKeys", "SQLForeignKeysW", "SQLFreeHandle", "SQLFreeStmt",
        "SQLGetConnectAttr", "SQLGetConnectAttrW", "SQLGetCursorName", "SQLGetCursorNameW", "SQLGetData",
        "SQLGetDescField", "SQLGetDescFieldW", "SQLGetDescRec", "SQLGetDescRecW", "SQLGetDiagField",
        "SQLGetDiagFieldW", "SQLGetDiagRec", "SQLGetDiagRecW", "SQLGetEnvAttr", "SQLGetFunctions", "SQLGetInfo",
        "SQLGetInfoW", "SQLGetStmtAttr", "SQLGetStmtAttrW", "SQLGetTypeInfo", "SQLGetTypeInfoW", "SQLMoreResults",
        "SQLNativeSql", "SQLNativeSqlW", "SQLNumParams", "SQLNumResultCols", "SQLParamData", "SQLPrepare",
        "SQLPrepareW", "SQLPrimaryKeys", "SQLPrimaryKeysW", "SQLProcedureColumns", "SQLProcedureColumnsW",
        "SQLProcedures", "SQLProceduresW", "SQLPutData", "SQLRowCount", "SQLSetConnectAttr", "SQLSetConnectAttrW",
        "SQLSetCursorName", "SQLSetCursorNameW", "SQLSetDescField", "SQLSetDescFieldW", "SQLSetDescRec",
        "SQLSetEnvAttr", "SQLSetPos", "SQLSetStmtAttr", "SQLSetStmtAttrW", "SQLSpecialColumns", "SQLSpecialColumnsW",
        "SQLStatistics", "SQLStatisticsW", "SQLTablePrivileges", "SQLTablePrivilegesW", "SQLTables", "SQLTablesW",
        "ConfigDSN", "ConfigDSNW"};
    for (const char* name : names)
    {
        EXPECT_NE(Library().Find(name), nullptr) << name;
    }
    // ODBC functions the driver leaves to the Driver Manager, and the driver's own code
    // (Orvik::ODBC::Driver::GetDriver).
    for (const char* name :
         {"SQLAllocEnv", "SQLError", "SQLDataSources", "SQLBulkOperations", "_ZN5Orvik4ODBC6Driver9GetDriverEv"})
    {
        EXPECT_EQ(Library().Find(name), nullptr) << name;
    }
}

} // namespace
