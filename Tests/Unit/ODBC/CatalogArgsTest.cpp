#include "ODBC/Catalog/CatalogArgs.h"

#include "Unit/ODBC/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::AttributeData;
using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;
using Orvik::Support::Variant;

namespace {

const char16_t* const NUL = nullptr; // an argument passed as a null pointer
const char16_t* const LONG_NAME = u"123456789";

struct ArgumentCase
{
    int32_t m_functionId;
    std::vector<const char16_t*> m_arguments;
    bool m_isMetadataId;
    bool m_hasCatalogs;
    bool m_hasSchemas;
    const char* m_expected; // "ok" or "SQLSTATE key"
};

// Catalog function ids, as CatalogFunctionNames numbers them (the ODBC headers take some of its
// names as macros).
namespace F {
enum : int32_t
{
    TABLES = 0,
    TABLE_PRIVILEGES = 4,
    COLUMNS = 5,
    COLUMN_PRIVILEGES = 6,
    FOREIGN_KEYS = 7,
    PRIMARY_KEYS = 8,
    SPECIAL_COLUMNS = 9,
    STATISTICS = 10,
    PROCEDURES = 11,
    PROCEDURE_COLUMNS = 12,
    GET_TYPE_INFO = 13
};
} // namespace F

const ArgumentCase ARGUMENT_CASES[] = {
    // Null arguments are patterns that match everything, unless they are identifiers.
    {F::COLUMNS, {NUL, NUL, NUL, NUL}, false, true, true, "ok"},
    {F::COLUMNS, {NUL, u"s", u"t", u"c"}, true, true, true, "HY009 InvalidNullCatalogName"},
    {F::COLUMNS, {NUL, NUL, u"t", u"c"}, true, false, false, "ok"},
    {F::COLUMNS, {u"c", NUL, u"t", u"c"}, true, true, true, "HY009 InvalidNullSchemaName"},
    {F::COLUMNS, {u"c", u"s", NUL, u"c"}, true, true, true, "HY009 InvalidNullTableName"},
    {F::COLUMNS, {u"c", u"s", u"t", NUL}, true, true, true, "HY009 InvalidNullColumnName"},
    {F::TABLES, {NUL, NUL, NUL, NUL}, false, true, true, "ok"},
    {F::TABLE_PRIVILEGES, {u"c", u"s", NUL}, true, true, true, "HY009 InvalidNullTableName"},
    // These need a table either way.
    {F::PRIMARY_KEYS, {NUL, NUL, NUL}, false, true, true, "HY009 InvalidNullTableName"},
    {F::STATISTICS, {NUL, NUL, NUL, u"0", u"0"}, false, true, true, "HY009 InvalidNullTableName"},
    {F::SPECIAL_COLUMNS, {u"1", NUL, NUL, NUL, u"0", u"1"}, false, true, true, "HY009 InvalidNullTableName"},
    {F::COLUMN_PRIVILEGES, {NUL, NUL, NUL, NUL}, false, true, true, "HY009 InvalidNullTableName"},
    {F::SPECIAL_COLUMNS, {u"1", NUL, NUL, u"t", u"0", u"1"}, false, true, true, "ok"},
    // SQLForeignKeys needs one of its two tables, or both when they are identifiers.
    {F::FOREIGN_KEYS, {NUL, NUL, NUL, NUL, NUL, NUL}, false, true, true, "HY009 InvalidNullTableName"},
    {F::FOREIGN_KEYS, {NUL, NUL, NUL, NUL, NUL, u"fk"}, false, true, true, "ok"},
    {F::FOREIGN_KEYS, {u"c", u"s", u"pk", u"c", u"s", NUL}, true, true, true, "HY009 InvalidNullTableName"},
    {F::FOREIGN_KEYS, {u"c", u"s", u"pk", NUL, u"s", u"fk"}, true, true, true, "HY009 InvalidNullCatalogName"},
    {F::PROCEDURES, {u"c", u"s", NUL}, true, true, true, "HY009 InvalidNullProcName"},
    {F::PROCEDURE_COLUMNS, {u"c", u"s", u"p", NUL}, true, true, true, "HY009 InvalidNullColumnName"},
    // Lengths: the maximums are 8 here; the null checks come first.
    {F::TABLES, {u"c", u"s", LONG_NAME, NUL}, false, true, true, "HY090 TableNameTooLong"},
    {F::TABLES, {u"12345678", u"s", u"t", NUL}, false, true, true, "ok"},
    {F::TABLES, {LONG_NAME, u"s", u"t", NUL}, false, true, true, "HY090 CatalogNameTooLong"},
    {F::COLUMNS, {LONG_NAME, u"s", NUL, NUL}, true, true, true, "HY009 InvalidNullTableName"},
    {F::COLUMNS, {u"c", LONG_NAME, u"t", u"c"}, false, true, true, "HY090 SchemaNameTooLong"},
    {F::COLUMNS, {u"c", u"s", u"t", LONG_NAME}, false, true, true, "HY090 ColumnNameTooLong"},
    {F::PROCEDURES, {u"c", u"s", LONG_NAME}, false, true, true, "HY090 ProcNameTooLong"},
    {F::FOREIGN_KEYS, {NUL, NUL, u"pk", NUL, NUL, LONG_NAME}, false, true, true, "HY090 TableNameTooLong"},
    {F::SPECIAL_COLUMNS, {u"1", NUL, NUL, LONG_NAME, u"0", u"1"}, false, true, true, "HY090 TableNameTooLong"},
    // Features the data source lacks.
    {F::TABLES, {u"%", u"%", u"t", NUL}, false, false, false, "ok"},
    {F::TABLES, {u"", u"", u"t", NUL}, false, false, false, "ok"},
    {F::TABLES, {u"c", NUL, u"t", NUL}, false, false, false, "HYC00 CatalogNameNotSupported"},
    {F::TABLES, {NUL, u"s", u"t", NUL}, false, false, false, "HYC00 SchemaNotSupported"},
    {F::FOREIGN_KEYS, {NUL, NUL, u"pk", NUL, u"s", NUL}, false, true, false, "HYC00 SchemaNotSupported"},
    {F::SPECIAL_COLUMNS, {u"1", u"c", NUL, u"t", u"0", u"1"}, false, false, true, "HYC00 CatalogNameNotSupported"},
    {F::GET_TYPE_INFO, {u"0"}, true, false, false, "ok"},
    {14, {}, false, true, true, "HY000 InvalidCatalogFuncID"},
    {-1, {}, false, true, true, "HY000 InvalidCatalogFuncID"},
};

class CatalogArgsTest : public ConnectionTest
{
protected:
    CatalogArgsTest()
    {
        m_connection = &NewConnection(m_dataStore);
        EXPECT_EQ(SQL_SUCCESS, Connect(*m_connection));
    }

    /// The outcome of the argument checks then the feature checks.
    std::string Check(const ArgumentCase& in_case, uint64_t in_useBookmarks = SQL_UB_OFF)
    {
        // The capabilities first: they set maximum lengths of their own.
        m_dataStore->SetCatalogSupport(in_case.m_hasCatalogs);
        m_dataStore->SetSchemaSupport(in_case.m_hasSchemas);
        for (const SQLUSMALLINT maximum : {SQL_MAX_CATALOG_NAME_LEN, SQL_MAX_SCHEMA_NAME_LEN, SQL_MAX_TABLE_NAME_LEN,
                                           SQL_MAX_COLUMN_NAME_LEN, SQL_MAX_PROCEDURE_NAME_LEN})
        {
            SetInfo(*m_dataStore, maximum, AttributeData::MakeNewUInt16AttributeData(8));
        }
        std::vector<Variant> arguments;
        for (const char16_t* argument : in_case.m_arguments)
        {
            arguments.emplace_back(orvik_wstring(argument));
        }
        try
        {
            CatalogArgs checks(*m_connection, in_useBookmarks, SQL_CURSOR_FORWARD_ONLY);
            checks.CheckArguments(in_case.m_functionId, arguments, in_case.m_isMetadataId);
            checks.CheckFunctionId(in_case.m_functionId, arguments);
            return "ok";
        }
        catch (const ErrorException& e)
        {
            return std::string(Orvik::Support::GetSqlStateForDiagState(e.GetDiagState()).GetText()) + " " +
                   e.GetMessageKey().GetAsUTF8();
        }
    }

    FakeDataStoreConnection* m_dataStore = nullptr;
    Connection* m_connection = nullptr;
};

} // namespace

TEST_F(CatalogArgsTest, ArgumentsOfEachCatalogFunction)
{
    for (const ArgumentCase& test : ARGUMENT_CASES)
    {
        std::string arguments;
        for (const char16_t* argument : test.m_arguments)
        {
            arguments += argument == nullptr ? "NULL," : orvik_wstring(argument).GetAsUTF8() + ",";
        }
        EXPECT_EQ(test.m_expected, Check(test)) << test.m_functionId << "(" << arguments << ")"
                                                 << (test.m_isMetadataId ? " identifiers" : "");
    }
}

TEST_F(CatalogArgsTest, AMaximumOfZeroIsNoLimit)
{
    m_dataStore->SetCatalogSupport(true);
    m_dataStore->SetSchemaSupport(true);
    SetInfo(*m_dataStore, SQL_MAX_TABLE_NAME_LEN, AttributeData::MakeNewUInt16AttributeData(0));
    CatalogArgs checks(*m_connection, SQL_UB_OFF, SQL_CURSOR_FORWARD_ONLY);
    EXPECT_NO_THROW(checks.CheckTableNameLength(Variant(orvik_wstring(u"a table name of any length at all"))));
}

TEST_F(CatalogArgsTest, VariableBookmarksNeedAScrollableCursor)
{
    const ArgumentCase typeInfo = {F::GET_TYPE_INFO, {u"0"}, false, true, true, ""};
    EXPECT_EQ("HYC00 BookmarkNotSupportedForCursorType", Check(typeInfo, SQL_UB_VARIABLE));
    const ArgumentCase tables = {F::TABLES, {u"c", u"s", u"t", NUL}, false, true, true, ""};
    EXPECT_EQ("HYC00 BookmarkNotSupportedForCursorType", Check(tables, SQL_UB_VARIABLE));
    EXPECT_EQ("ok", Check(tables, SQL_UB_ON));
}

TEST_F(CatalogArgsTest, TheCurrentCatalogAsASearchPattern)
{
    EXPECT_TRUE(CatalogArgs::SubstituteCurrentCatalog(*m_connection, true).IsNull());
    SetInfoText(*m_dataStore, SQL_SEARCH_PATTERN_ESCAPE, u"X");
    std::u16string catalog = u"a_bX%";
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLSetConnectAttr(SQL_ATTR_CURRENT_CATALOG,
                                                           reinterpret_cast<SQLPOINTER>(&catalog[0]), SQL_NTS));
    EXPECT_EQ(orvik_wstring(u"aX_bXXX%"), CatalogArgs::SubstituteCurrentCatalog(*m_connection, true));
    EXPECT_EQ(orvik_wstring(u"a_bX%"), CatalogArgs::SubstituteCurrentCatalog(*m_connection, false));
}
