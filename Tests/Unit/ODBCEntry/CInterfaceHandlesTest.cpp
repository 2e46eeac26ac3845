#include "ODBC/Dispatch/CInterface.h"
#include "Support/ErrorException.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::Outcome;
using Orvik::Testing::RecordingLog;
using Orvik::Testing::ToHandle;

namespace {

const SQLHANDLE UNKNOWN = ToHandle(987654);

class CInterfaceHandlesTest : public Orvik::Testing::HandleTest
{
protected:
    /// Which lookups find in_handle: "E", "C", "S", "D" for environment to descriptor.
    std::string FoundBy(SQLHANDLE in_handle)
    {
        std::string found;
        found += CInterface::EnterEnvironment(in_handle, "SQLE") ? "E" : "";
        found += CInterface::EnterConnection(in_handle, "SQLC") ? "C" : "";
        found += CInterface::EnterStatement(in_handle, "SQLS") ? "S" : "";
        found += CInterface::EnterDescriptor(in_handle, "SQLD") ? "D" : "";
        return found;
    }

    /// The connection's records: two warnings of a failing call.
    void PostWarnings()
    {
        m_connection->GetDiagManager().Clear();
        m_connection->GetDiagManager().PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
        m_connection->GetDiagManager().PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID,
                                                   u"StrRightTruncWarn", -1, -1);
    }

    std::string ConnectionRecords() { return Outcome(0, m_connection->GetDiagManager()); }
    std::string EnvironmentRecords() { return Outcome(0, m_environment->GetDiagManager()); }
};

TEST_F(CInterfaceHandlesTest, EachLookupFindsOnlyItsOwnKindAndLogsAMiss)
{
    RecordingLog& log = UseLog(Orvik::DSI::LOG_ERROR);
    EXPECT_EQ("E", FoundBy(GetEnvironmentHandle()));
    EXPECT_EQ("C", FoundBy(m_connectionHandle));
    EXPECT_EQ("", FoundBy(UNKNOWN));
    EXPECT_EQ("", FoundBy(nullptr));
    const std::vector<std::string> expected = {
        "ERROR CInterface::SQLC: Invalid connection handle.",  "ERROR CInterface::SQLS: Invalid statement handle.",
        "ERROR CInterface::SQLD: Invalid descriptor handle.",  "ERROR CInterface::SQLE: Invalid environment handle.",
        "ERROR CInterface::SQLS: Invalid statement handle.",   "ERROR CInterface::SQLD: Invalid descriptor handle.",
    };
    ASSERT_LE(expected.size(), log.m_entries.size());
    EXPECT_EQ(expected, std::vector<std::string>(log.m_entries.begin(), log.m_entries.begin() + 6));
}

TEST_F(CInterfaceHandlesTest, TheEntranceIsLoggedAtTraceOnly)
{
    RecordingLog& log = UseLog(Orvik::DSI::LOG_INFO);
    CInterface::EnterConnection(m_connectionHandle, "SQLConnect");
    EXPECT_TRUE(log.m_entries.empty());
    UseLog(Orvik::DSI::LOG_TRACE);
    CInterface::EnterConnection(m_connectionHandle, "SQLConnect");
    ASSERT_FALSE(log.m_entries.empty());
    EXPECT_EQ("TRACE CInterface::SQLConnect: +++++ enter +++++", log.m_entries.front());
}

TEST_F(CInterfaceHandlesTest, APostLeavesExactlyOneRecordOnItsOwnKindOfHandle)
{
    PostWarnings();
    CInterface::PostConnectionError(m_connectionHandle, DIAG_GENERAL_ERROR, u"GenErr", "SQLConnect");
    EXPECT_EQ("0 HY000", ConnectionRecords());

    PostWarnings();
    CInterface::PostConnectionException(
        m_connectionHandle, ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"InvalidAttrVal", -1, -1),
        "SQLSetConnectAttr");
    EXPECT_EQ("0 HY024", ConnectionRecords());

    // Posters look only in their own kind's registry: other handles are left alone.
    PostWarnings();
    CInterface::PostEnvironmentError(m_connectionHandle, DIAG_GENERAL_ERROR, u"GenErr", "SQLEndTran");
    CInterface::PostStatementError(m_connectionHandle, DIAG_GENERAL_ERROR, u"GenErr", "SQLFetch");
    CInterface::PostDescriptorError(m_connectionHandle, DIAG_GENERAL_ERROR, u"GenErr", "SQLGetDescField");
    CInterface::PostConnectionError(GetEnvironmentHandle(), DIAG_GENERAL_ERROR, u"GenErr", "SQLConnect");
    EXPECT_EQ("0 01000 01004", ConnectionRecords());
    EXPECT_EQ("0", EnvironmentRecords());

    CInterface::PostEnvironmentError(GetEnvironmentHandle(), DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr", "SQLEndTran");
    EXPECT_EQ("0 HY001", EnvironmentRecords());
}

TEST_F(CInterfaceHandlesTest, APostForAHandleThatIsGoneIsLoggedOnly)
{
    RecordingLog& log = UseLog(Orvik::DSI::LOG_ERROR);
    CInterface::PostStatementError(UNKNOWN, DIAG_GENERAL_ERROR, u"GenErr", "SQLExecute");
    CInterface::PostConnectionException(
        UNKNOWN, ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"GenErr", -1, -1), "SQLDisconnect");
    ASSERT_EQ(2u, log.m_entries.size());
    EXPECT_EQ(0u, log.m_entries[0].find("ERROR CInterface::SQLExecute: ")) << log.m_entries[0];
    EXPECT_EQ(0u, log.m_entries[1].find("ERROR CInterface::SQLDisconnect: ")) << log.m_entries[1];
}

TEST_F(CInterfaceHandlesTest, DiagnosticsAreReadByHandleTypeWithoutChangingThem)
{
    PostWarnings();
    SQLWCHAR state[6] = {};
    SQLWCHAR text[64] = {};
    SQLSMALLINT length = 0;
    for (const SQLSMALLINT type : { SQLSMALLINT(0), SQLSMALLINT(5), SQLSMALLINT(SQL_HANDLE_ENV), SQLSMALLINT(SQL_HANDLE_STMT) })
    {
        EXPECT_EQ(SQL_INVALID_HANDLE,
                  CInterface::GetDiagRec(type, m_connectionHandle, 1, state, nullptr, text, 64, &length))
            << type;
    }
    EXPECT_EQ(SQL_INVALID_HANDLE, CInterface::GetDiagRec(SQL_HANDLE_DBC, UNKNOWN, 1, state, nullptr, text, 64, &length));
    for (int reading = 0; reading < 2; ++reading)
    {
        ASSERT_EQ(SQL_SUCCESS, CInterface::GetDiagRec(SQL_HANDLE_DBC, m_connectionHandle, 2, state, nullptr, text, 64, &length));
        EXPECT_EQ("01004", orvik_wstring(reinterpret_cast<char16_t*>(state)).GetAsUTF8());
    }
    SQLINTEGER number = 0;
    EXPECT_EQ(SQL_SUCCESS, CInterface::GetDiagField(SQL_HANDLE_DBC, m_connectionHandle, 0, SQL_DIAG_NUMBER, &number, 0, nullptr));
    EXPECT_EQ(2, number);
    EXPECT_EQ(SQL_NO_DATA, CInterface::GetDiagRec(SQL_HANDLE_DBC, m_connectionHandle, 3, state, nullptr, text, 64, &length));
    EXPECT_EQ(SQL_INVALID_HANDLE,
              CInterface::GetDiagField(SQL_HANDLE_DESC, m_connectionHandle, 0, SQL_DIAG_NUMBER, &number, 0, nullptr));
}

} // namespace

namespace {

class CInterfaceStatementHandlesTest : public Orvik::Testing::StatementTest
{
protected:
    /// The handle of the statement's descriptor in_attribute names.
    SQLHANDLE DescriptorHandle(SQLINTEGER in_attribute)
    {
        SQLHANDLE descriptor = nullptr;
        EXPECT_EQ(SQL_SUCCESS, m_statement->SQLGetStmtAttrW(in_attribute, &descriptor, 0, nullptr));
        return descriptor;
    }

    std::string RecordsByType(SQLSMALLINT in_type, SQLHANDLE in_handle)
    {
        std::string records;
        SQLWCHAR state[6] = {};
        for (SQLSMALLINT number = 1;
             CInterface::GetDiagRec(in_type, in_handle, number, state, nullptr, nullptr, 0, nullptr) == SQL_SUCCESS; ++number)
        {
            records += " " + orvik_wstring(reinterpret_cast<char16_t*>(state)).GetAsUTF8();
        }
        return records;
    }
};

TEST_F(CInterfaceStatementHandlesTest, StatementsAndTheirDescriptorsAreFoundAndPostedOnByTheirOwnKind)
{
    EXPECT_EQ(m_statement, CInterface::EnterStatement(m_statementHandle, "SQLFetch").GetObject());
    EXPECT_FALSE(CInterface::EnterConnection(m_statementHandle, "SQLConnect"));
    for (const SQLINTEGER attribute : { SQL_ATTR_APP_ROW_DESC, SQL_ATTR_APP_PARAM_DESC, SQL_ATTR_IMP_ROW_DESC, SQL_ATTR_IMP_PARAM_DESC })
    {
        const SQLHANDLE descriptor = DescriptorHandle(attribute);
        EXPECT_TRUE(CInterface::EnterDescriptor(descriptor, "SQLGetDescField")) << attribute;
        EXPECT_FALSE(CInterface::EnterStatement(descriptor, "SQLFetch")) << attribute;
    }

    const SQLHANDLE rowDescriptor = DescriptorHandle(SQL_ATTR_APP_ROW_DESC);
    m_statement->GetDiagManager().PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
    CInterface::PostStatementError(m_statementHandle, DIAG_GENERAL_ERROR, u"GenErr", "SQLFetch");
    CInterface::PostDescriptorError(rowDescriptor, DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr", "SQLSetDescField");
    CInterface::PostStatementException(
        rowDescriptor, ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"GenErr", -1, -1), "SQLFetch");
    EXPECT_EQ(" HY000", RecordsByType(SQL_HANDLE_STMT, m_statementHandle));
    EXPECT_EQ(" HY001", RecordsByType(SQL_HANDLE_DESC, rowDescriptor));
    EXPECT_EQ("", RecordsByType(SQL_HANDLE_DESC, m_statementHandle));
}

} // namespace
