// Connecting through the Driver Manager by data source and by library path, the information
// values the application reads, and diagnostics as the application sees them.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

using Pelta::Test::DiagRecord;
using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcError;
using Pelta::Test::OdbcStatement;
using Pelta::Test::ReadDiagnostics;
using Pelta::Test::TextRow;

namespace {

TEST(ConnectionEndToEndTest, ConnectsByDataSourceAndByLibraryPath)
{
    // The completed connection string the driver writes back: the data source alone, or the
    // keys given, upper-cased.
    const std::pair<std::string, std::string> cases[] = {
        {EndToEndEnvironment::DataSourceConnectionString(), "DSN=PeltaE2E;"},
        {EndToEndEnvironment::DriverConnectionString(EndToEndEnvironment::Server().Address()),
         std::string("DRIVER=") + PELTA_LIBRARY + ";SERVERS=" + EndToEndEnvironment::Server().Address() + ";"},
    };
    for (const auto& connect : cases)
    {
        SCOPED_TRACE(connect.first);
        OdbcConnection connection(connect.first);
        EXPECT_EQ(connection.CompletedConnectionString(), connect.second);
        EXPECT_EQ(connection.NewStatement().Query("select value from sample_integer where id = 1"),
                  std::vector<TextRow>{{"2147483647"}});
    }
}

TEST(ConnectionEndToEndTest, MissingServerSettingIsRefused)
{
    try
    {
        OdbcConnection connection(std::string("DRIVER=") + PELTA_LIBRARY);
        FAIL() << "connected without servers";
    }
    catch (const OdbcError& e)
    {
        EXPECT_EQ(e.Result(), SQL_ERROR);
        ASSERT_FALSE(e.Records().empty());
        EXPECT_EQ(e.Records()[0].state, "08001") << e.what();
    }
}

TEST(ConnectionEndToEndTest, InformationValuesFromTheDriverAndTheServersProbe)
{
    OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString());
    EXPECT_EQ(connection.GetInfoText(SQL_DRIVER_ODBC_VER), "03.80");
    EXPECT_EQ(connection.GetInfoText(SQL_DBMS_NAME), "Pelta");
    EXPECT_EQ(connection.GetInfoText(SQL_DBMS_VER), EndToEndEnvironment::VERSION_NUMBER);
    EXPECT_EQ(connection.GetInfoText(SQL_SERVER_NAME), EndToEndEnvironment::CLUSTER_NAME);

    // The wide form of the same value, its length in bytes.
    SQLWCHAR wide[64] = {};
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLGetInfoW(connection.Handle(), SQL_SERVER_NAME, wide, sizeof wide, &length), SQL_SUCCESS);
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(2 * std::strlen(EndToEndEnvironment::CLUSTER_NAME)));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wide)), u"pelta-e2e-cluster-01");
}

TEST(ConnectionEndToEndTest, LongInformationValueIntoSmallAnsiBuffer)
{
    OdbcConnection connection(EndToEndEnvironment::DataSourceConnectionString());
    char value[4] = {'#', '#', '#', '#'};
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQLGetInfo(connection.Handle(), SQL_SERVER_NAME, value, sizeof value, &length), SQL_SUCCESS_WITH_INFO);
    EXPECT_STREQ(value, "pel");
    EXPECT_EQ(length, static_cast<SQLSMALLINT>(std::strlen(EndToEndEnvironment::CLUSTER_NAME)));
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_DBC, connection.Handle());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().state, "01004");
}

class StatementDiagnosticsTest : public ::testing::Test
{
protected:
    OdbcConnection m_connection{EndToEndEnvironment::DataSourceConnectionString()};
};

TEST_F(StatementDiagnosticsTest, ServerErrorReachesTheApplicationWithItsStateAndText)
{
    OdbcStatement statement = m_connection.NewStatement();
    EXPECT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select * from no_such_table", SQL_NTS), SQL_ERROR);
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "42S02");
    // The back end's message file gives the text around the server's code and message.
    EXPECT_NE(records[0].message.find("The server reported error 4041: "), std::string::npos) << records[0].message;
    EXPECT_NE(records[0].message.find("no_such_table"), std::string::npos) << records[0].message;

    // The statement is usable again afterwards.
    EXPECT_EQ(statement.Query("select value from sample_short where id = 2"), std::vector<TextRow>{{"-32768"}});
}

TEST_F(StatementDiagnosticsTest, MessageWithNegativeBufferLengthIsRefusedAndChangesNothing)
{
    OdbcStatement statement = m_connection.NewStatement();
    ASSERT_EQ(SQLExecDirect(statement.Handle(), (SQLCHAR*)"select * from no_such_table", SQL_NTS), SQL_ERROR);
    char message[256] = {};
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQLGetDiagField(SQL_HANDLE_STMT, statement.Handle(), 1, SQL_DIAG_MESSAGE_TEXT, message, -1, &length),
              SQL_ERROR);
    const std::vector<DiagRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].state, "42S02");
    // With room, the same field reads whole.
    EXPECT_EQ(SQLGetDiagField(SQL_HANDLE_STMT, statement.Handle(), 1, SQL_DIAG_MESSAGE_TEXT, message, sizeof message,
                              &length),
              SQL_SUCCESS);
    EXPECT_EQ(std::string(message), records[0].message);
}

TEST_F(StatementDiagnosticsTest, FreeStmtWithDropFreesTheStatement)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_STMT, m_connection.Handle(), &statement), SQL_SUCCESS);
    ASSERT_EQ(SQLExecDirect(statement, (SQLCHAR*)"select id from sample_byte", SQL_NTS), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeStmt(statement, SQL_DROP), SQL_SUCCESS);
    // Another statement on the same connection works on.
    EXPECT_EQ(m_connection.NewStatement().Query("select count(*) from sample_byte"), std::vector<TextRow>{{"4"}});
}

TEST_F(StatementDiagnosticsTest, CancelHandleOnAnEnvironmentIsRefused)
{
    // unixODBC refuses the handle type before the driver sees it; the driver's own answer,
    // SQL_ERROR without a record, is checked on its exports directly.
    EXPECT_EQ(SQLCancelHandle(SQL_HANDLE_ENV, m_connection.Environment()), SQL_INVALID_HANDLE);
    EXPECT_TRUE(ReadDiagnostics(SQL_HANDLE_ENV, m_connection.Environment()).empty());
    // A statement handle is cancelled as SQLCancel does.
    OdbcStatement statement = m_connection.NewStatement();
    EXPECT_EQ(SQLCancelHandle(SQL_HANDLE_STMT, statement.Handle()), SQL_SUCCESS);
}

} // namespace
