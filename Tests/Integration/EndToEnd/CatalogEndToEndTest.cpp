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

TEST_F(CatalogEndToEndTest, TypeInfoOfAllTypesByDataTypeAndOfOne)
{
    m_statement.Check(SQLGetTypeInfo(m_statement.Handle(), SQL_ALL_TYPES), "SQLGetTypeInfo");
    const std::vector<TextRow> all = m_statement.FetchAllAsText();
    // Ordered by DATA_TYPE: applications take the first row of a type as its best match.
    EXPECT_EQ(Column(all, 1),
              (std::vector<std::string>{std::to_string(SQL_WVARCHAR), std::to_string(SQL_BIT),
                                        std::to_string(SQL_TINYINT), std::to_string(SQL_BIGINT),
                                        std::to_string(SQL_INTEGER), std::to_string(SQL_SMALLINT),
                                        std::to_string(SQL_REAL), std::to_string(SQL_DOUBLE),
                                        std::to_string(SQL_TYPE_TIMESTAMP)}));
    // Each type alone gives its row of the whole list.
    for (const TextRow& row : all)
    {
        const SQLSMALLINT type = static_cast<SQLSMALLINT>(std::stoi(row.at(1).value()));
        m_statement.Check(SQLGetTypeInfo(m_statement.Handle(), type), "SQLGetTypeInfo");
        EXPECT_EQ(m_statement.FetchAllAsText(), std::vector<TextRow>{row}) << type;
    }
}

} // namespace
