// The catalog functions through the Driver Manager, answered from the server's
// information_schema and the driver's type list.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcStatement;
using Pelta::Test::TextRow;

namespace {

SQLCHAR* Text(const char* in_text)
{
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_text));
}

/// Column in_column (from 0) of every row.
std::vector<std::string> Column(const std::vector<TextRow>& in_rows, size_t in_column)
{
    std::vector<std::string> values;
    for (const TextRow& row : in_rows)
    {
        values.push_back(row.at(in_column).value_or("<null>"));
    }
    return values;
}

class CatalogEndToEndTest : public ::testing::Test
{
protected:
    OdbcConnection m_connection{EndToEndEnvironment::DataSourceConnectionString()};
    OdbcStatement m_statement = m_connection.NewStatement();
};

TEST_F(CatalogEndToEndTest, TablesByPattern)
{
    m_statement.Check(SQLTables(m_statement.Handle(), nullptr, 0, nullptr, 0, Text("sample_o%"), SQL_NTS, nullptr, 0),
                      "SQLTables");
    EXPECT_EQ(m_statement.ColumnNames(),
              (std::vector<std::string>{"TABLE_CAT", "TABLE_SCHEM", "TABLE_NAME", "TABLE_TYPE", "REMARKS"}));
    const std::vector<TextRow> rows = m_statement.FetchAllAsText();
    EXPECT_EQ(Column(rows, 2), (std::vector<std::string>{"sample_object", "sample_orders"}));
    EXPECT_EQ(Column(rows, 1), (std::vector<std::string>{"main", "main"}));
    EXPECT_EQ(Column(rows, 3), (std::vector<std::string>{"TABLE", "TABLE"}));
}

TEST_F(CatalogEndToEndTest, ColumnsOfATable)
{
    m_statement.Check(SQLColumns(m_statement.Handle(), nullptr, 0, Text("main"), SQL_NTS, Text("sample_orders"), SQL_NTS,
                                 nullptr, 0),
                      "SQLColumns");
    const std::vector<TextRow> rows = m_statement.FetchAllAsText();
    EXPECT_EQ(Column(rows, 3), (std::vector<std::string>{"region", "order_id", "amount", "placed"}));
    // DATA_TYPE and the position of each column.
    EXPECT_EQ(Column(rows, 4), (std::vector<std::string>{std::to_string(SQL_WVARCHAR), std::to_string(SQL_INTEGER),
                                                        std::to_string(SQL_DOUBLE), std::to_string(SQL_TYPE_TIMESTAMP)}));
    EXPECT_EQ(Column(rows, 16), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(CatalogEndToEndTest, PrimaryKeysInKeyOrder)
{
    m_statement.Check(SQLPrimaryKeys(m_statement.Handle(), nullptr, 0, Text("main"), SQL_NTS, Text("sample_orders"),
                                     SQL_NTS),
                      "SQLPrimaryKeys");
    const std::vector<TextRow> rows = m_statement.FetchAllAsText();
    EXPECT_EQ(Column(rows, 3), (std::vector<std::string>{"region", "order_id"}));
    EXPECT_EQ(Column(rows, 4), (std::vector<std::string>{"1", "2"}));
}

TEST_F(CatalogEndToEndTest, TypeInfoOfAllTypesAndOfOne)
{
    m_statement.Check(SQLGetTypeInfo(m_statement.Handle(), SQL_ALL_TYPES), "SQLGetTypeInfo");
    const std::vector<TextRow> all = m_statement.FetchAllAsText();
    const std::vector<std::string> dataTypes = Column(all, 1);
    for (const SQLSMALLINT type : {SQL_BIT, SQL_TINYINT, SQL_SMALLINT, SQL_INTEGER, SQL_BIGINT, SQL_REAL, SQL_DOUBLE,
                                   SQL_WVARCHAR, SQL_TYPE_TIMESTAMP})
    {
        EXPECT_NE(std::find(dataTypes.begin(), dataTypes.end(), std::to_string(type)), dataTypes.end()) << type;
    }
    m_statement.Check(SQLGetTypeInfo(m_statement.Handle(), SQL_BIGINT), "SQLGetTypeInfo");
    const std::vector<TextRow> one = m_statement.FetchAllAsText();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].at(0), std::optional<std::string>("long"));
}

} // namespace
