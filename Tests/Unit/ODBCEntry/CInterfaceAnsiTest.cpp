#include "DSI/ConnectionPropertyKey.h"
#include "ODBC/Dispatch/CInterface.h"
#include "Support/AttributeData.h"
#include "Support/EncodingType.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::EntryDataEngine;
using Orvik::Testing::Narrow;
using Orvik::Testing::Outcome;

namespace {

/// The application's two encodings of the tests, with the bytes of "é" in each.
const struct
{
    EncodingType m_encoding;
    const char* m_eAcute;
} ENCODINGS[] = {
    { ENC_CP1252, "\xE9" },
    { ENC_UTF8, "\xC3\xA9" },
};

class CInterfaceAnsiTest : public Orvik::Testing::StatementTest
{
protected:
    std::string StatementRecords(SQLRETURN in_result) { return Outcome(in_result, m_statement->GetDiagManager()); }

    /// A result set of five named columns (TABLE_CAT, TABLE_SCHEM, TABLE_NAME, TABLE_TYPE,
    /// REMARKS): the columns of SQLTables.
    void OpenCatalogResult()
    {
        SQLTablesArgs args{{{Narrow(""), SQL_NTS}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}};
        ASSERT_EQ(SQL_SUCCESS, CInterface::DispatchSQLTables("SQLTables", m_statementHandle, &args));
    }
};

class AnsiConnectTest : public Orvik::Testing::HandleTest
{
protected:
    /// SQLDriverConnect's outcome, out string and full length with in_text into in_bufferLength bytes.
    std::string DriverConnect(const std::string& in_text, SQLSMALLINT in_bufferLength, std::vector<char>& out_buffer)
    {
        out_buffer.assign(in_bufferLength + 8, '#');
        SQLSMALLINT length = -7;
        SQLDriverConnectArgs args{nullptr, Narrow(in_text.c_str()), SQL_NTS, Narrow(out_buffer.data()), in_bufferLength,
                                  &length, SQL_DRIVER_NOPROMPT};
        const SQLRETURN result = CInterface::DispatchSQLDriverConnect("SQLDriverConnect", m_connectionHandle, &args);
        return Outcome(result, m_connection->GetDiagManager()) + " [" + std::string(out_buffer.data()) + "] " +
               std::to_string(length);
    }

    /// The value of in_key in the settings the data store connected with.
    std::string ConnectedWith(const char16_t* in_key)
    {
        const auto& settings = m_dataStore->m_connectedWith.back();
        const auto found = settings.find(orvik_wstring(in_key));
        return found == settings.end() ? "(none)" : found->second.GetString();
    }
};

TEST_F(CInterfaceAnsiTest, AccentedStatementTextReachesTheWideCallAsTheSameCharacters)
{
    for (const auto& e : ENCODINGS)
    {
        orvik_wstring::InitializeAnsiEncoding(e.m_encoding);
        const std::string text = std::string("select 'caf") + e.m_eAcute + "'";
        SQLExecDirectArgs direct{Narrow(text.c_str()), SQL_NTS};
        CInterface::DispatchSQLExecDirect("SQLExecDirect", m_statementHandle, &direct);
        // An explicit length counts bytes.
        SQLPrepareArgs prepare{Narrow(text.c_str()), static_cast<SQLINTEGER>(text.size() - std::strlen(e.m_eAcute) - 1)};
        CInterface::DispatchSQLPrepare("SQLPrepare", m_statementHandle, &prepare);
    }
    std::vector<std::string> prepared;
    for (const orvik_wstring& text : EntryDataEngine::s_prepared)
    {
        prepared.push_back(text.GetAsUTF8());
    }
    EXPECT_EQ((std::vector<std::string>{ "select 'café'", "select 'caf", "select 'café'", "select 'caf" }), prepared);
}

TEST_F(CInterfaceAnsiTest, ANegativeTextLengthIsRefused)
{
    SQLExecDirectArgs direct{Narrow("select 1"), -5};
    EXPECT_EQ("-1 HY090", StatementRecords(CInterface::DispatchSQLExecDirect("SQLExecDirect", m_statementHandle, &direct)));
    EXPECT_TRUE(EntryDataEngine::s_prepared.empty());
}

TEST_F(AnsiConnectTest, TheCompletedStringIsCutToASmallBufferWithItsFullLength)
{
    std::vector<char> whole;
    const std::string full = DriverConnect("DRIVER={Pelta};Servers=h:1", 200, whole);
    const std::string completed(whole.data());
    ASSERT_LT(9u, completed.size()) << full;
    EXPECT_EQ("0 [" + completed + "] " + std::to_string(completed.size()), full);

    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLDisconnect());
    std::vector<char> small;
    EXPECT_EQ("1 01004 [" + completed.substr(0, 9) + "] " + std::to_string(completed.size()),
              DriverConnect("DRIVER={Pelta};Servers=h:1", 10, small));
    EXPECT_EQ('#', small[10]);
}

TEST_F(AnsiConnectTest, AccentedSettingsArriveAsTheSameCharactersAndAreNeverSplit)
{
    for (const auto& e : ENCODINGS)
    {
        orvik_wstring::InitializeAnsiEncoding(e.m_encoding);
        const std::string text = std::string("DRIVER={Pelta};Servers=h:1;Extra=") + e.m_eAcute;
        std::vector<char> whole;
        DriverConnect(text, 200, whole);
        EXPECT_EQ("é", ConnectedWith(u"Extra"));
        const std::string completed(whole.data());
        const size_t accent = completed.find(e.m_eAcute);
        ASSERT_NE(std::string::npos, accent) << completed;
        ASSERT_EQ(SQL_SUCCESS, m_connection->SQLDisconnect());
        // A buffer one byte short of the whole é leaves it out whole.
        std::vector<char> cut;
        const std::string outcome = DriverConnect(text, static_cast<SQLSMALLINT>(accent + std::strlen(e.m_eAcute)), cut);
        EXPECT_EQ(completed.substr(0, accent), std::string(cut.data())) << outcome;
        ASSERT_EQ(SQL_SUCCESS, m_connection->SQLDisconnect());
    }
}

TEST_F(AnsiConnectTest, ALargeBufferNeverBecomesANegativeWideLength)
{
    std::vector<char> large;
    const std::string outcome = DriverConnect("DRIVER={Pelta};Servers=h:1", 30000, large);
    EXPECT_EQ(0u, outcome.find("0 [DRIVER={Pelta};")) << outcome;
}

TEST_F(CInterfaceAnsiTest, ColumnNamesAreCutInBytesWithTheirLengthInCharacters)
{
    OpenCatalogResult();
    char name[16];
    std::memset(name, '#', sizeof name);
    SQLSMALLINT length = -7;
    SQLLEN number = -7;
    SQLColAttributeArgs attribute{1, SQL_DESC_NAME, name, 5, &length, &number};
    EXPECT_EQ("1 01004", StatementRecords(CInterface::DispatchSQLColAttribute("SQLColAttribute", m_statementHandle, &attribute)));
    EXPECT_EQ("TABL", std::string(name));
    EXPECT_EQ('#', name[5]);
    EXPECT_EQ(9, length);

    // A numeric field reaches the application untouched by any conversion.
    std::memset(name, '#', sizeof name);
    SQLColAttributeArgs count{1, SQL_DESC_COUNT, name, 5, &length, &number};
    EXPECT_EQ("0", StatementRecords(CInterface::DispatchSQLColAttribute("SQLColAttribute", m_statementHandle, &count)));
    EXPECT_EQ(5, number);
    EXPECT_EQ('#', name[0]);

    // A buffer larger than any 16-bit wide length holds the whole name.
    std::vector<char> large(20000, '#');
    SQLColAttributeArgs whole{3, SQL_DESC_NAME, large.data(), 20000, &length, &number};
    EXPECT_EQ("0", StatementRecords(CInterface::DispatchSQLColAttribute("SQLColAttribute", m_statementHandle, &whole)));
    EXPECT_EQ("TABLE_NAME", std::string(large.data()));

    std::memset(name, '#', sizeof name);
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLDescribeColArgs describe{1, Narrow(name), 5, &length, &type, &size, nullptr, nullptr};
    EXPECT_EQ("1 01004", StatementRecords(CInterface::DispatchSQLDescribeCol("SQLDescribeCol", m_statementHandle, &describe)));
    EXPECT_EQ("TABL", std::string(name));
    EXPECT_EQ(9, length);
    EXPECT_NE(0, type);

    // A failed call writes nothing into the application's buffer.
    std::memset(name, '#', sizeof name);
    SQLDescribeColArgs missing{9, Narrow(name), 5, &length, &type, &size, nullptr, nullptr};
    EXPECT_EQ("-1 07009", StatementRecords(CInterface::DispatchSQLDescribeCol("SQLDescribeCol", m_statementHandle, &missing)));
    EXPECT_EQ('#', name[0]);
}

TEST_F(CInterfaceAnsiTest, OnlyStringValuedConnectionAttributesAreConverted)
{
    orvik_wstring::InitializeAnsiEncoding(ENC_CP1252);
    SQLSetConnectAttrArgs catalog{SQL_ATTR_CURRENT_CATALOG, Narrow("caf\xE9"), SQL_NTS};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLSetConnectAttr("SQLSetConnectAttr", m_connectionHandle, &catalog));
    EXPECT_EQ("café", m_dataStore->GetProperty(Orvik::DSI::CONN_PROP_CURRENT_CATALOG)->GetWStringValue()->GetAsUTF8());

    SQLSetConnectAttrArgs timeout{SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(17), 0};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLSetConnectAttr("SQLSetConnectAttr", m_connectionHandle, &timeout));
    SQLUINTEGER value = 99;
    m_connection->SQLGetConnectAttr(SQL_ATTR_LOGIN_TIMEOUT, &value, 0, nullptr);
    EXPECT_EQ(17u, value);

    // A statement attribute set on the connection is known too.
    SQLSetConnectAttrArgs queryTimeout{SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(5), 0};
    EXPECT_EQ(SQL_SUCCESS, CInterface::DispatchSQLSetConnectAttr("SQLSetConnectAttr", m_connectionHandle, &queryTimeout));

    SQLSetConnectAttrArgs unknown{4321, Narrow("x"), SQL_NTS};
    EXPECT_EQ("-1 HY092", Outcome(CInterface::DispatchSQLSetConnectAttr("SQLSetConnectAttr", m_connectionHandle, &unknown),
                                  m_connection->GetDiagManager()));
    EXPECT_NE(std::string::npos, Orvik::Testing::RecordText(m_connection->GetDiagManager()).find("4321"));
}

} // namespace
