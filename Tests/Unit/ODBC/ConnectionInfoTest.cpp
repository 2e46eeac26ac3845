#include "DSI/DSIDriver.h"
#include "ODBC/Attributes/ConnectionAttributes.h"

#include "Unit/ODBC/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::AttributeData;
using Orvik::Support::orvik_wstring;

namespace {

enum ValueKind
{
    TEXT,
    INT16,
    INT32
};

struct InfoCase
{
    SQLUSMALLINT m_infoType;
    ValueKind m_kind;
    SQLSMALLINT m_bufferLength;
    const char* m_expected; // "outcome = value (length)"
};

const InfoCase INFO_CASES[] = {
    {SQL_DBMS_NAME, TEXT, 100, "0 = Fake DBMS (18)"},
    {SQL_DBMS_NAME, TEXT, 8, "1 01004 = Fak (18)"},
    {SQL_NEED_LONG_DATA_LEN, TEXT, 100, "0 = N (2)"},
    {SQL_NEED_LONG_DATA_LEN, TEXT, 2, "1 01004 =  (2)"},
    {SQL_DATA_SOURCE_NAME, TEXT, 100, "0 = Test (8)"},
    {SQL_MAX_COLUMN_NAME_LEN, INT16, 0, "0 = 128 (2)"},
    {SQL_ODBC_API_CONFORMANCE, INT16, 0, "0 = 2 (2)"},
    {SQL_MAX_DRIVER_CONNECTIONS, INT16, 0, "0 = 0 (2)"},
    {SQL_SCROLL_OPTIONS, INT32, 0, "0 = 1 (4)"},
    {SQL_FETCH_DIRECTION, INT32, 0, "0 = 1 (4)"},
    {SQL_STATIC_SENSITIVITY, INT32, 0, "0 = 3 (4)"},
    {SQL_CONVERT_FUNCTIONS, INT32, 0, "0 = 3 (4)"},
    {SQL_GETDATA_EXTENSIONS, INT32, 0, "0 = 4 (4)"},
    {SQL_ASYNC_MODE, INT32, 0, "0 = 2 (4)"},
    {174, INT32, 0, "-1 HY096"},
    {9999, INT32, 0, "-1 HY096"},
    {10010, INT32, 0, "-1 HY096"},
};

class ConnectionInfoTest : public ConnectionTest
{
protected:
    ConnectionInfoTest()
    {
        m_connection = &NewConnection(m_dataStore);
        EXPECT_EQ(SQL_SUCCESS, Connect(*m_connection));
    }

    std::string GetInfo(const InfoCase& in_case)
    {
        char buffer[128];
        std::memset(buffer, 0, sizeof(buffer));
        SQLSMALLINT length = -1;
        const SQLRETURN result =
            m_connection->SQLGetInfoW(in_case.m_infoType, buffer, in_case.m_bufferLength, &length);
        std::string outcome = Outcome(result, m_connection->GetDiagManager());
        if (result == SQL_ERROR)
        {
            return outcome;
        }
        std::string value;
        switch (in_case.m_kind)
        {
        case TEXT:
            value = orvik_wstring(reinterpret_cast<const char16_t*>(buffer)).GetAsUTF8();
            break;
        case INT16:
            value = std::to_string(*reinterpret_cast<SQLUSMALLINT*>(buffer));
            break;
        case INT32:
            value = std::to_string(*reinterpret_cast<SQLUINTEGER*>(buffer));
            break;
        }
        return outcome + " = " + value + " (" + std::to_string(length) + ")";
    }

    /// "outcome" of SQLSetConnectAttr with an integer value.
    std::string Set(SQLINTEGER in_attribute, intptr_t in_value)
    {
        return Outcome(m_connection->SQLSetConnectAttr(in_attribute, reinterpret_cast<SQLPOINTER>(in_value), 0),
                       m_connection->GetDiagManager());
    }

    /// "outcome = value" of SQLGetConnectAttr, the value read into a zeroed 8-byte buffer.
    std::string Get(SQLINTEGER in_attribute)
    {
        uint64_t value = 0;
        const SQLRETURN result = m_connection->SQLGetConnectAttr(in_attribute, &value, 0, nullptr);
        const std::string outcome = Outcome(result, m_connection->GetDiagManager());
        return result == SQL_SUCCESS ? outcome + " = " + std::to_string(value) : outcome;
    }

    FakeDataStoreConnection* m_dataStore = nullptr;
    Connection* m_connection = nullptr;
};

} // namespace

TEST_F(ConnectionInfoTest, InformationValuesOfEachKind)
{
    SetInfoText(*m_dataStore, SQL_DBMS_NAME, u"Fake DBMS");
    SetInfo(*m_dataStore, SQL_MAX_COLUMN_NAME_LEN, AttributeData::MakeNewUInt16AttributeData(128));
    SetInfo(*m_dataStore, SQL_CONVERT_FUNCTIONS, AttributeData::MakeNewUInt32AttributeData(SQL_FN_CVT_CONVERT | SQL_FN_CVT_CAST));
    for (const InfoCase& test : INFO_CASES)
    {
        EXPECT_EQ(test.m_expected, GetInfo(test)) << test.m_infoType;
    }
}

TEST_F(ConnectionInfoTest, CursorSensitivityIsWrittenAsFourBytes)
{
    SetInfo(*m_dataStore, SQL_CURSOR_SENSITIVITY, AttributeData::MakeNewUIntNativeAttributeData(SQL_INSENSITIVE));
    unsigned char buffer[8];
    std::memset(buffer, 0xAA, sizeof(buffer));
    SQLSMALLINT length = -1;
    EXPECT_EQ(SQL_SUCCESS, m_connection->SQLGetInfoW(SQL_CURSOR_SENSITIVITY, buffer, 2, &length));
    EXPECT_EQ(4, length);
    SQLUINTEGER value = 0;
    std::memcpy(&value, buffer, sizeof(value));
    EXPECT_EQ(static_cast<SQLUINTEGER>(SQL_INSENSITIVE), value);
    for (size_t i = 4; i < sizeof(buffer); ++i)
    {
        EXPECT_EQ(0xAA, buffer[i]) << i;
    }
}

TEST_F(ConnectionInfoTest, GetDataExtensionsFollowTheDriver)
{
    ConnectionTestFactory::s_lastDriver->SetProperty(
        Orvik::DSI::DRIVER_PROP_GETDATA_EXTENSIONS, std::unique_ptr<AttributeData>(AttributeData::MakeNewInt16AttributeData(1)));
    FakeDataStoreConnection* dataStore = nullptr;
    Connection& connection = NewConnection(dataStore);
    SQLUINTEGER value = 0;
    EXPECT_EQ(SQL_SUCCESS, connection.SQLGetInfoW(SQL_GETDATA_EXTENSIONS, &value, 0, nullptr));
    EXPECT_EQ(15u, value);
}

TEST_F(ConnectionInfoTest, Attributes)
{
    const struct
    {
        bool m_isSet;
        SQLINTEGER m_attribute;
        intptr_t m_value;
        const char* m_expected;
    } steps[] = {
        {true, SQL_ATTR_CONNECTION_DEAD, SQL_CD_TRUE, "-1 HY092"},
        {false, SQL_ATTR_CONNECTION_DEAD, 0, "0 = 0"},
        {true, SQL_ATTR_AUTO_IPD, SQL_FALSE, "-1 HY092"},
        {false, SQL_ATTR_AUTO_IPD, 0, "0 = 1"},
        {true, SQL_ATTR_ANSI_APP, SQL_AA_TRUE, "0"},
        {false, SQL_ATTR_ANSI_APP, 0, "-1 HY092"},
        {true, 9999, 1, "-1 HY092"},
        {false, 9999, 0, "-1 HY092"},
        // Statement attributes are kept for the statements made later.
        {false, SQL_ATTR_CURSOR_TYPE, 0, "-1 HY092"},
        {true, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_STATIC, "1 01S02"},
        {false, SQL_ATTR_CURSOR_TYPE, 0, "-1 HY092"},
        {true, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY, "0"},
        {false, SQL_ATTR_CURSOR_TYPE, 0, "0 = 0"},
        {true, SQL_ATTR_CONCURRENCY, SQL_CONCUR_LOCK, "-1 HY024"},
        {true, SQL_ATTR_QUERY_TIMEOUT, 30, "0"},
        {false, SQL_ATTR_QUERY_TIMEOUT, 0, "0 = 30"},
        {true, SQL_ATTR_ROW_NUMBER, 1, "-1 HY092"},
        {true, SQL_KEYSET_SIZE, 1, "-1 HY092"},
        {false, SQL_ATTR_METADATA_ID, 0, "0 = 0"},
        {true, SQL_ATTR_METADATA_ID, SQL_TRUE, "0"},
        {false, SQL_ATTR_METADATA_ID, 0, "0 = 1"},
        {true, SQL_ATTR_LOGIN_TIMEOUT, 15, "0"},
        {false, SQL_ATTR_LOGIN_TIMEOUT, 0, "0 = 15"},
        {false, SQL_ATTR_AUTOCOMMIT, 0, "0 = 1"},
    };
    for (const auto& step : steps)
    {
        EXPECT_EQ(step.m_expected, step.m_isSet ? Set(step.m_attribute, step.m_value) : Get(step.m_attribute))
            << (step.m_isSet ? "set " : "get ") << step.m_attribute;
    }
    Set(9999, 1);
    EXPECT_NE(std::string::npos, RecordText(m_connection->GetDiagManager()).find("9999"));

    // What statements made now take over: the held statement attributes and the connection's own.
    ConnectionAttributes& attributes = m_connection->GetAttributes();
    EXPECT_EQ(SQL_TRUE, attributes.GetInheritedStatementAttribute(SQL_ATTR_METADATA_ID)->GetUInt32Value());
    EXPECT_EQ(uint64_t(SQL_CURSOR_FORWARD_ONLY),
              attributes.GetInheritedStatementAttribute(SQL_ATTR_CURSOR_TYPE)->GetUIntNativeValue());
    EXPECT_EQ(nullptr, attributes.GetInheritedStatementAttribute(SQL_ATTR_QUERY_TIMEOUT));
    EXPECT_EQ(nullptr, attributes.GetInheritedStatementAttribute(SQL_ATTR_NOSCAN));
    EXPECT_EQ(nullptr, attributes.GetInheritedStatementAttribute(SQL_ATTR_LOGIN_TIMEOUT));
    EXPECT_THROW(attributes.GetInheritedStatementAttribute(9999), Orvik::Support::ErrorException);
    EXPECT_TRUE(attributes.HasConnectionLevelValue(SQL_ATTR_METADATA_ID));
    EXPECT_FALSE(attributes.HasConnectionLevelValue(SQL_ATTR_LOGIN_TIMEOUT));
}

TEST_F(ConnectionInfoTest, AsynchronousCallsAsTheDriverAllows)
{
    RecordingStatement* statement = NewStatement(*m_connection);
    EXPECT_EQ("0", Set(SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON));
    EXPECT_EQ("0 = 1", Get(SQL_ATTR_ASYNC_ENABLE));
    EXPECT_EQ("attr 4=1;", statement->m_calls);
    EXPECT_TRUE(m_connection->AreStatementsAsync());
    EXPECT_EQ("0", Set(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, SQL_ASYNC_DBC_ENABLE_ON));
    EXPECT_TRUE(m_connection->IsAsyncEnabled());

    // A host program that gets no asynchronous support.
    for (const auto key : {Orvik::DSI::DRIVER_PROP_ASYNC_MODE, Orvik::DSI::DRIVER_PROP_ASYNC_DBC_FUNCTIONS})
    {
        ConnectionTestFactory::s_lastDriver->SetProperty(
            key, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(0)));
    }
    EXPECT_EQ("-1 HYC00", Set(SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON));
    EXPECT_EQ("-1 HYC00", Set(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, SQL_ASYNC_DBC_ENABLE_ON));
    EXPECT_EQ("0", Set(SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_OFF));
    EXPECT_EQ("0", Set(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, SQL_ASYNC_DBC_ENABLE_OFF));
    EXPECT_FALSE(m_connection->IsAsyncEnabled());
    EXPECT_EQ("attr 4=1;attr 4=0;", statement->m_calls);
}

TEST_F(ConnectionInfoTest, ConnectionAsynchronousCallsNeedOdbc380)
{
    HandleValue environmentHandle = 0;
    m_driver.CreateEnvironment(environmentHandle);
    Environment* environment = m_driver.GetEnvironment(environmentHandle);
    environment->SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLHANDLE handle = nullptr;
    environment->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(environmentHandle), &handle);
    Connection& connection = *m_driver.GetConnection(reinterpret_cast<HandleValue>(handle));
    EXPECT_EQ("-1 HY092", Outcome(connection.SQLSetConnectAttr(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE,
                                                               reinterpret_cast<SQLPOINTER>(SQL_ASYNC_DBC_ENABLE_ON), 0),
                                  connection.GetDiagManager()));
    EXPECT_EQ(SQL_SUCCESS, environment->SQLFreeHandle(SQL_HANDLE_DBC, handle));
    EXPECT_EQ(SQL_SUCCESS, m_driver.FreeEnvironment(environmentHandle));
}

TEST_F(ConnectionInfoTest, AutocommitOffNeedsTransactions)
{
    // Connected to a data source without transactions, which may change data.
    m_dataStore->SetDataSourceReadOnly(false);
    EXPECT_EQ("-1 HYC00", Set(SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF));
    EXPECT_EQ("0 = 1", Get(SQL_ATTR_AUTOCOMMIT));
    m_dataStore->SetDataSourceReadOnly(true);
    EXPECT_EQ("0", Set(SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF));
    EXPECT_EQ("0 = 1", Get(SQL_ATTR_AUTOCOMMIT));

    // Before connecting the request is remembered, and applied when the data source turns out to
    // support transactions.
    FakeDataStoreConnection* dataStore = nullptr;
    m_connection = &NewConnection(dataStore);
    dataStore->m_onConnect = [](FakeDataStoreConnection& io_dataStore) { io_dataStore.SetTransactionCapable(SQL_TC_ALL); };
    EXPECT_EQ("-1 HYC00", Set(SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF));
    ASSERT_EQ(SQL_SUCCESS, Connect(*m_connection));
    EXPECT_EQ("0 = 0", Get(SQL_ATTR_AUTOCOMMIT));
    RecordingStatement* statement = NewStatement(*m_connection);
    std::u16string text = u"INSERT";
    EXPECT_EQ(SQL_SUCCESS, m_connection->SQLExecDirectW(*statement, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS));
    EXPECT_TRUE(m_connection->IsInTransaction());
    EXPECT_EQ(1, dataStore->m_begins);
}

TEST_F(ConnectionInfoTest, LogLinesNameAttributesInformationTypesAndCatalogCalls)
{
    RecordingLog& log = ConnectionTestFactory::s_lastDriver->m_log;
    log.SetLogLevel(Orvik::DSI::LOG_INFO);
    log.m_entries.clear();
    Set(SQL_ATTR_LOGIN_TIMEOUT, 5);
    Set(4242, 5);
    SQLUINTEGER value = 0;
    m_connection->SQLGetInfoW(SQL_SCROLL_OPTIONS, &value, 0, nullptr);
    RecordingStatement* statement = NewStatement(*m_connection);
    const std::u16string withNul(u"t\0x", 3);
    m_connection->ExecuteCatalogFunction(*statement, 0,
                                         {Orvik::Support::Variant(orvik_wstring(u"cat")), Orvik::Support::Variant(orvik_wstring()),
                                          Orvik::Support::Variant(orvik_wstring(withNul)), Orvik::Support::Variant(uint16_t(7))});
    const std::vector<std::string> expected = {
        "INFO  Connection::SQLSetConnectAttr: Attribute: SQL_ATTR_LOGIN_TIMEOUT (103)",
        "INFO  Connection::SQLSetConnectAttr: Attribute: Unknown Attribute (4242)",
        "INFO  ConnectionAttributes::SetAttribute: Invalid attribute: 4242",
        "INFO  Connection::SQLGetInfoW: InfoType: SQL_SCROLL_OPTIONS (44)",
        "INFO  Connection::ExecuteCatalogFunction: SQLTables(\"cat\", NULL, \"t\\0x\", 7)",
    };
    std::vector<std::string> info;
    for (const std::string& entry : log.m_entries)
    {
        if (entry.rfind("INFO ", 0) == 0)
        {
            info.push_back(entry);
        }
    }
    EXPECT_EQ(expected, info);
    log.SetLogLevel(Orvik::DSI::LOG_OFF);
}
