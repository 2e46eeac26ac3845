#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/KeyMaps/CatalogFunctionNames.h"
#include "ODBC/KeyMaps/ConnectionKeyMap.h"
#include "ODBC/KeyMaps/DriverKeyMap.h"
#include "ODBC/KeyMaps/EnvironmentKeyMap.h"

#include <gtest/gtest.h>

#include <sql.h>
#include <sqlext.h>

#include <string>

using namespace Orvik::ODBC;

namespace {

enum MapKind
{
    ATTRIBUTE,
    INFO_TYPE
};

struct KeyCase
{
    const PropertyKeyMap& m_map;
    MapKind m_kind;
    int32_t m_odbcId;
    int32_t m_expectedKey; // 0: not mapped
};

// Every map's ends and a few rows between, the numbers as the ODBC headers give them.
const KeyCase KEY_CASES[] = {
    {EnvironmentKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_OUTPUT_NTS, 1},
    {EnvironmentKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_ODBC_VERSION, 3},
    {EnvironmentKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_CONNECTION_POOLING, 0},
    {EnvironmentKeyMap::GetInstance(), INFO_TYPE, SQL_MAX_DRIVER_CONNECTIONS, 2},
    {EnvironmentKeyMap::GetInstance(), INFO_TYPE, SQL_ATTR_ODBC_VERSION, 0},
    {ConnectionKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_ACCESS_MODE, 16},
    {ConnectionKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_AUTO_IPD, 18},
    {ConnectionKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_CURRENT_CATALOG, 22},
    {ConnectionKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_TXN_ISOLATION, 26},
    {ConnectionKeyMap::GetInstance(), ATTRIBUTE, SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, 0},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_ACCESSIBLE_PROCEDURES, 1},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_CONCAT_NULL_BEHAVIOR, 15},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_DATABASE_NAME, 22},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_CONVERT_FUNCTIONS, 27},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_DBMS_VER, 42},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_MAX_ASYNC_CONCURRENT_STATEMENTS, 64},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_SERVER_NAME, 101},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_SUBQUERIES, 105},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_CONVERT_BIGINT, 106},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_CONVERT_GUID, 110},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_CONVERT_WVARCHAR, 130},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_USER_NAME, 139},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_SEARCH_PATTERN_ESCAPE, 151},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_SQL92_VALUE_EXPRESSIONS, 164},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_GETDATA_EXTENSIONS, 0},
    {ConnectionKeyMap::GetInstance(), INFO_TYPE, SQL_DRIVER_NAME, 0},
    {DriverKeyMap::GetInstance(), ATTRIBUTE, SQL_ACTIVE_ENVIRONMENTS, 1},
    {DriverKeyMap::GetInstance(), ATTRIBUTE, SQL_DRIVER_ODBC_VER, 4},
    {DriverKeyMap::GetInstance(), ATTRIBUTE, SQL_ODBC_INTERFACE_CONFORMANCE, 11},
    {DriverKeyMap::GetInstance(), ATTRIBUTE, SQL_XOPEN_CLI_YEAR, 16},
    {DriverKeyMap::GetInstance(), ATTRIBUTE, SQL_ASYNC_DBC_FUNCTIONS, 28},
    {DriverKeyMap::GetInstance(), ATTRIBUTE, SQL_DBMS_VER, 0},
    {DriverKeyMap::GetInstance(), INFO_TYPE, SQL_DRIVER_NAME, 0},
};

TEST(KeyMapTest, OdbcIdentifiersToDataStoreProperties)
{
    for (const KeyCase& testCase : KEY_CASES)
    {
        int32_t key = -7;
        const bool found = testCase.m_kind == ATTRIBUTE ? testCase.m_map.FindAttributeKey(testCase.m_odbcId, key)
                                                        : testCase.m_map.FindInfoKey(testCase.m_odbcId, key);
        EXPECT_EQ(testCase.m_expectedKey != 0, found) << testCase.m_odbcId;
        // The key is written only when found.
        EXPECT_EQ(found ? testCase.m_expectedKey : -7, key) << testCase.m_odbcId;
    }
}

TEST(KeyMapTest, TheConnectionAnswersEachInformationTypeOnceUnderItsOwnKey)
{
    int32_t mapped = 0;
    for (int32_t infoType = 0; infoType <= 10030; ++infoType)
    {
        int32_t key = 0;
        mapped += ConnectionKeyMap::GetInstance().FindInfoKey(infoType, key) ? 1 : 0;
    }
    EXPECT_EQ(153, mapped);
}

TEST(KeyMapTest, CatalogFunctionsByIdAndTheirMetadataTables)
{
    EXPECT_STREQ("SQLTables", CatalogFunctionNames::GetName(CatalogFunctionNames::SQL_TABLES));
    EXPECT_STREQ("SQLTables (table types)", CatalogFunctionNames::GetName(3));
    EXPECT_STREQ("SQLGetTypeInfo", CatalogFunctionNames::GetName(13));
    for (int32_t id = 0; id <= 13; ++id)
    {
        EXPECT_EQ(id, CatalogFunctionNames::GetMetadataTableID(id));
    }
    for (int32_t id : {-1, 14})
    {
        try
        {
            CatalogFunctionNames::GetMetadataTableID(id);
            ADD_FAILURE() << id;
        }
        catch (const ODBCInternalException& e)
        {
            EXPECT_EQ("MetadataTableIDNotFoundForCatalogFunctionId", e.GetMessageKey().GetAsUTF8());
            EXPECT_EQ(Orvik::Support::DIAG_GENERAL_ERROR, e.GetDiagState());
        }
    }
}

} // namespace
