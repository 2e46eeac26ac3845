#include "DSI/Client/DSIMessageSource.h"
#include "DSI/ConnectionPropertyKey.h"
#include "Support/AttributeData.h"

#include "DSITestSupport.h"
#include "DriverSettings.h"
#include "TestConnection.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::DriverSettings;
using Orvik::Testing::Outcome;
using Orvik::Testing::TestConnection;

namespace {

/// A property value as "type value", with texts quoted.
std::string Show(const AttributeData& in_value)
{
    switch (in_value.GetAttributeType())
    {
        case ATTR_WSTRING:
            return "text \"" + Orvik::Support::Show(*in_value.GetWStringValue()) + "\"";
        case ATTR_INT16:
            return "int16 " + std::to_string(in_value.GetInt16Value());
        case ATTR_UINT16:
            return "uint16 " + std::to_string(in_value.GetUInt16Value());
        case ATTR_INT32:
            return "int32 " + std::to_string(in_value.GetInt32Value());
        case ATTR_UINT32:
            return "uint32 " + std::to_string(in_value.GetUInt32Value());
        case ATTR_UINT_NATIVE:
            return "native " + std::to_string(in_value.GetUIntNativeValue());
        default:
            return "other";
    }
}

std::unique_ptr<AttributeData> Text(const char16_t* in_text)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewWStringAttributeData(orvik_wstring(in_text)));
}

class ConnectionTest : public ::testing::Test
{
protected:
    std::string Property(int32_t in_key) { return Show(*m_connection.GetProperty(in_key)); }

    DriverSettings m_settings;
    Orvik::Testing::TestDriver m_driver;
    Orvik::Testing::TestEnvironment m_environment{&m_driver};
    TestConnection m_connection{&m_environment};
};

} // namespace

TEST_F(ConnectionTest, ANewConnectionHoldsTheDefaultOfEveryProperty)
{
    struct Case
    {
        int32_t key;
        const char* value;
    };
    const Case cases[] = {
        {CONN_PROP_ACCESSIBLE_PROCEDURES, "text \"Y\""},
        {CONN_PROP_UNUSED_3, "uint16 0"},
        {CONN_PROP_ALTER_TABLE, "uint32 256"},
        {CONN_PROP_CATALOG_LOCATION, "uint16 1"},
        {CONN_PROP_CATALOG_NAME, "text \"Y\""},
        {CONN_PROP_CATALOG_NAME_SEPARATOR, "text \".\""},
        {CONN_PROP_CATALOG_TERM, "text \"catalog\""},
        {CONN_PROP_CATALOG_USAGE, "uint32 31"},
        {CONN_PROP_COLLATION_SEQ, "text \"\""},
        {CONN_PROP_ACCESS_MODE, "uint32 0"},
        {CONN_PROP_ANSI_APP, "int32 0"},
        {CONN_PROP_CURRENT_CATALOG, "text \"\""},
        {CONN_PROP_PACKET_SIZE, "uint32 4096"},
        {CONN_PROP_QUIET_MODE, "native 0"},
        {CONN_PROP_TXN_ISOLATION, "uint32 1"},
        {CONN_PROP_CURSOR_SENSITIVITY, "native 0"},
        {CONN_PROP_DATA_SOURCE_READ_ONLY, "text \"Y\""},
        {CONN_PROP_DBMS_NAME, "text \"TEXT\""},
        {CONN_PROP_DBMS_VER, "text \"00.00.0000\""},
        {CONN_PROP_DATETIME_LITERALS, "uint32 65535"},
        {CONN_PROP_IDENTIFIER_QUOTE_CHAR, "text \"\"\""},
        {CONN_PROP_MAX_IDENTIFIER_LEN, "uint16 255"},
        {CONN_PROP_MAX_SCHEMA_NAME_LEN, "uint16 256"},
        {CONN_PROP_NUMERIC_FUNCTIONS, "uint32 16777215"},
        {CONN_PROP_ODBC_SQL_CONFORMANCE, "int16 1"},
        {CONN_PROP_PROCEDURE_TERM, "text \"\""},
        {CONN_PROP_PROCEDURES, "text \"N\""},
        {CONN_PROP_SCHEMA_TERM, "text \"schema\""},
        {CONN_PROP_SCHEMA_USAGE, "uint32 31"},
        {CONN_PROP_STRING_FUNCTIONS, "uint32 491519"},
        {CONN_PROP_CONVERT_CHAR, "uint32 33554431"},
        {CONN_PROP_CONVERT_GUID, "uint32 31461121"},
        {CONN_PROP_CONVERT_INTERVAL_DAY_TIME, "uint32 15757087"},
        {CONN_PROP_CONVERT_WLONGVARCHAR, "uint32 33289215"},
        {CONN_PROP_TIMEDATE_FUNCTIONS, "uint32 1048575"},
        {CONN_PROP_TXN_CAPABLE, "uint16 0"},
        {CONN_PROP_USER_NAME, "text \"\""},
        {CONN_PROP_SEARCH_PATTERN_ESCAPE, "text \"\\\""},
        {CONN_PROP_SQL92_PREDICATES, "uint32 16135"},
        {CONN_PROP_SQL92_RELATIONAL_JOIN_OPERATORS, "uint32 346"},
        {CONN_PROP_SQL92_VALUE_EXPRESSIONS, "uint32 13"},
        {CONN_PROP_UNUSED_165, "uint32 0"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.value, Property(c.key)) << "key " << c.key;
    }
    EXPECT_EQ("HY000 2 DSIConnPropNotFound [0]", Outcome([&] { m_connection.GetProperty(0); }));
    EXPECT_EQ("HY000 2 DSIConnPropNotFound [166]", Outcome([&] { m_connection.GetProperty(166); }));
}

TEST_F(ConnectionTest, GetPropertiesReplacesTheCallersMapWithCopies)
{
    PropertyMap properties;
    properties.emplace(999, Text(u"stale"));
    m_connection.GetProperties(properties);
    ASSERT_EQ(static_cast<size_t>(CONNECTION_PROPERTY_COUNT), properties.size());
    EXPECT_EQ(1, properties.begin()->first);
    EXPECT_EQ(CONNECTION_PROPERTY_COUNT, properties.rbegin()->first);

    // The copies are the caller's: changing the connection leaves them as they were.
    m_connection.SetProperty(CONN_PROP_SERVER_NAME, Text(u"cluster"));
    EXPECT_EQ("text \"\"", Show(*properties.at(CONN_PROP_SERVER_NAME)));
    EXPECT_NE(m_connection.GetProperty(CONN_PROP_SERVER_NAME), properties.at(CONN_PROP_SERVER_NAME).get());
}

TEST_F(ConnectionTest, CapabilityHelpersSwitchTheirGroups)
{
    EXPECT_TRUE(m_connection.IsSchemaSupported());
    m_connection.SetCatalogSupport(false);
    m_connection.SetDataSourceReadOnly(false);
    m_connection.SetSchemaSupport(false);
    m_connection.SetProcedureSupport(true);
    m_connection.SetTransactionCapable(2);
    const std::vector<std::string> expected = {"text \"N\"", "text \"\"", "uint32 0", "uint32 0", "text \"N\"",
                                               "text \"\"", "uint32 0", "uint16 0", "text \"procedure\"",
                                               "text \"Y\"", "uint16 2"};
    std::vector<std::string> actual;
    for (int32_t key : {9, 11, 12, 16, 40, 99, 100, 81, 96, 97, 136})
    {
        actual.push_back(Property(key));
    }
    EXPECT_EQ(expected, actual);
    EXPECT_FALSE(m_connection.IsSchemaSupported());

    m_connection.SetSchemaSupport(true);
    EXPECT_TRUE(m_connection.IsSchemaSupported());
    m_connection.SetProperty(CONN_PROP_SCHEMA_USAGE, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(0)));
    EXPECT_FALSE(m_connection.IsSchemaSupported());
    // A term that is not text cannot be read as one: no schemas, rather than an error.
    m_connection.SetSchemaSupport(true);
    m_connection.SetProperty(CONN_PROP_SCHEMA_TERM, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(1)));
    EXPECT_FALSE(m_connection.IsSchemaSupported());
}

TEST_F(ConnectionTest, ARejectedCurrentCatalogKeepsTheOldOne)
{
    m_connection.SetProperty(CONN_PROP_CURRENT_CATALOG, Text(u"sales"));
    EXPECT_EQ("3D000 2 InvalidCurrentCatalog [forbidden]",
              Outcome([&] { m_connection.SetProperty(CONN_PROP_CURRENT_CATALOG, Text(u"forbidden")); }));
    EXPECT_EQ("text \"sales\"", Property(CONN_PROP_CURRENT_CATALOG));
    // Only key 22 is checked.
    m_connection.SetProperty(CONN_PROP_SERVER_NAME, Text(u"forbidden"));
    EXPECT_EQ("text \"forbidden\"", Property(CONN_PROP_SERVER_NAME));
    EXPECT_EQ("HY000 3 InvalidArgument", Outcome([&] { m_connection.SetProperty(1, nullptr); }).substr(0, 23));
    EXPECT_EQ("text \"Y\"", Property(1));
}

TEST_F(ConnectionTest, SettingRequestsNameWhatTheSettingsLack)
{
    ConnSettingRequestMap requests;
    m_connection.UpdateConnectionSettings({{u"servers", Variant(u"h:1")}}, requests);
    ASSERT_EQ(1u, requests.size());
    const ConnectionSetting& timeout = *requests.at(u"TIMEOUT");
    orvik_wstring name;
    timeout.GetName(name);
    EXPECT_EQ("Timeout", Orvik::Support::Show(name));
    EXPECT_TRUE(timeout.IsOptional());
    ASSERT_EQ(1u, timeout.GetValues().size());
    EXPECT_EQ("?", Orvik::Support::Show(timeout.GetValues()[0].GetWString()));

    requests.clear();
    m_connection.UpdateConnectionSettings({}, requests);
    ASSERT_EQ(2u, requests.size());
    EXPECT_TRUE(requests.at(u"Servers")->IsRequired());
    // A request already made stays as it is.
    TestConnection::VerifyOptionalSetting(u"SERVERS", {}, requests);
    EXPECT_TRUE(requests.at(u"Servers")->IsRequired());
    EXPECT_EQ(2u, requests.size());
}

TEST_F(ConnectionTest, ReadsRequiredAndOptionalSettings)
{
    const VariantMap settings = {{u"Servers", Variant(u"h:1")}};
    EXPECT_EQ("h:1", Orvik::Support::Show(TestConnection::GetRequiredSetting(u"SERVERS", settings).GetWString()));
    EXPECT_EQ("28000 2 DSIReqSettingNotFound [Timeout]",
              Outcome([&] { TestConnection::GetRequiredSetting(u"Timeout", settings); }));
    const Variant fallback(u"5");
    EXPECT_EQ(&fallback, TestConnection::GetOptionalSetting(u"Timeout", settings, &fallback));
    EXPECT_EQ(nullptr, TestConnection::GetOptionalSetting(u"Timeout", settings, nullptr));
    EXPECT_EQ(&settings.begin()->second, TestConnection::GetOptionalSetting(u"servers", settings, &fallback));
}

TEST_F(ConnectionTest, TheDataSourceNameAndLocaleAreReadOnce)
{
    EXPECT_EQ("", Orvik::Support::Show(m_connection.GetDSN()));
    m_connection.Connect({{u"DSN", Variant(u"Later")}, {u"LOCALE", Variant(u"de-DE")}});
    EXPECT_EQ("", Orvik::Support::Show(m_connection.GetDSN()));
    EXPECT_EQ("de-DE", m_connection.GetLocale());

    TestConnection other(&m_environment);
    EXPECT_EQ("en-US", TestConnection(&m_environment).GetLocale());
    other.Connect({{u"dsn", Variant(u"Sales")}});
    EXPECT_EQ("Sales", Orvik::Support::Show(other.GetDSN()));
    EXPECT_EQ("en-US", other.GetLocale());
    other.Connect({{u"DSN", Variant(u"Other")}, {u"LOCALE", Variant(u"fr-FR")}});
    EXPECT_EQ("Sales", Orvik::Support::Show(other.GetDSN()));
    EXPECT_EQ("en-US", other.GetLocale());
}

TEST_F(ConnectionTest, TheDriverLocaleComesFromTheDriverSettings)
{
    m_settings.Use(DriverSettings::Value("DriverLocale", "de-CH"));
    TestConnection connection(&m_environment);
    EXPECT_EQ("de-CH", connection.GetLocale());
}

TEST_F(ConnectionTest, OptionalOperationsAreRefusedOrDoNothing)
{
    const std::string customNotFound = "HY000 2 CustomPropNotFound [7]";
    EXPECT_EQ(customNotFound, Outcome([&] { m_connection.GetCustomProperty(7); }));
    EXPECT_EQ(customNotFound, Outcome([&] { m_connection.GetCustomPropertyType(7); }));
    EXPECT_EQ(customNotFound, Outcome([&] { m_connection.SetCustomProperty(7, Text(u"x")); }));
    EXPECT_FALSE(m_connection.IsCustomProperty(7));
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { m_connection.BeginTransaction(); }));
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { m_connection.Commit(); }));
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { m_connection.Rollback(); }));

    orvik_wstring native;
    m_connection.ToNativeSQL(u"select {fn now()}", native);
    EXPECT_EQ("select {fn now()}", Orvik::Support::Show(native));
    EXPECT_TRUE(m_connection.GetAuxiliarySettingsMap().empty());
    EXPECT_EQ(m_driver.GetDriverLog(), m_connection.GetLog());
    EXPECT_EQ(&m_environment, m_connection.GetParentEnvironment());
    EXPECT_EQ(m_driver.GetMessageSource().Get(), m_connection.GetMessageSource().Get());
    EXPECT_EQ(&m_connection, m_connection.CreateStatement()->GetParentConnection());
}

namespace {

// Stands in for the bulk conversion core's factories: each is a counted token.
int s_factoriesMade = 0;
int s_factoriesDeleted = 0;

ISqlToCBulkConverterFactory* MakeToken(DSIConnection&)
{
    ++s_factoriesMade;
    return reinterpret_cast<ISqlToCBulkConverterFactory*>(new int(s_factoriesMade));
}

void DeleteToken(ISqlToCBulkConverterFactory* in_factory)
{
    ++s_factoriesDeleted;
    delete reinterpret_cast<int*>(in_factory);
}

} // namespace

TEST_F(ConnectionTest, TheBulkConverterFactoryIsMadeOnceAndGoesWithTheConnection)
{
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { m_connection.GetDataConverterTable(); }));
    DSIConnection::SetBulkConverterFactoryHooks(&MakeToken, &DeleteToken);
    {
        TestConnection connection(&m_environment);
        TestConnection unused(&m_environment);
        ISqlToCBulkConverterFactory* factory = connection.GetDataConverterTable();
        EXPECT_EQ(factory, connection.GetDataConverterTable());
        EXPECT_EQ(1, s_factoriesMade);
    }
    DSIConnection::SetBulkConverterFactoryHooks(nullptr, nullptr);
    EXPECT_EQ(1, s_factoriesDeleted);
}
