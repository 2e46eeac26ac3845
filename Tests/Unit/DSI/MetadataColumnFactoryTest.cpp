#include "DSI/Catalog/DSIMetadataColumnFactory.h"
#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/ConnectionPropertyKey.h"

#include "CatalogTestSupport.h"
#include "DSITestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Outcome;

namespace {

using Columns = std::vector<std::unique_ptr<DSIMetadataColumn>>;

// Each name length its own value, so that a column shows which property it read; the catalog
// name has no limit.
class MetadataColumnFactoryTest : public Orvik::Testing::CatalogFixture
{
protected:
    MetadataColumnFactoryTest()
    {
        SetNameLength(CONN_PROP_MAX_CATALOG_NAME_LEN, 0);
        SetNameLength(CONN_PROP_MAX_SCHEMA_NAME_LEN, 130);
        SetNameLength(CONN_PROP_MAX_TABLE_NAME_LEN, 131);
        SetNameLength(CONN_PROP_MAX_COLUMN_NAME_LEN, 132);
        SetNameLength(CONN_PROP_MAX_IDENTIFIER_LEN, 133);
        SetNameLength(CONN_PROP_MAX_PROCEDURE_NAME_LEN, 134);
        SetNameLength(CONN_PROP_MAX_USER_NAME_LEN, 135);
    }

    void SetNameLength(int32_t in_key, uint16_t in_length)
    {
        SetConnection(in_key, AttributeData::MakeNewUInt16AttributeData(in_length));
    }

    Columns Make(uint32_t in_tableId, bool in_isOleDb)
    {
        Columns columns;
        DSIMetadataColumnFactory::MakeColumns(*m_statement, in_tableId, in_isOleDb, columns);
        return columns;
    }

    /// "NAME TYPE[ unsigned][ length] N|NN[ =NULL]" per column, joined by "; ".
    std::string Layout(uint32_t in_tableId)
    {
        std::string text;
        for (const std::unique_ptr<DSIMetadataColumn>& column : Make(in_tableId, false))
        {
            const DSIColumnMetadata& attributes = *column->GetColumnMetadata();
            const SqlTypeMetadata& type = *column->GetMetadata();
            text += text.empty() ? "" : "; ";
            text += attributes.m_name.GetAsUTF8() + " " + type.GetTypeName().GetAsUTF8();
            // Character types are unsigned by their defaults; only integers show it.
            const bool isInteger = type.GetConciseType() == SQL_SMALLINT || type.GetConciseType() == SQL_INTEGER;
            text += isInteger && type.IsUnsigned() ? " unsigned" : "";
            text += attributes.m_columnLength == 0 ? "" : " " + std::to_string(attributes.m_columnLength);
            text += attributes.m_nullable == SQL_NULLABLE ? " N" : (attributes.m_nullable == SQL_NO_NULLS ? " NN" : " ?");
            text += column->GetKind() == DSI_COLUMN_ALWAYS_NULL ? " =NULL" : "";
        }
        return text;
    }

    /// The OLE DB names, derived columns marked "(NULL)", joined by ", ".
    std::string OleDbNames(uint32_t in_tableId)
    {
        std::string text;
        for (const std::unique_ptr<DSIMetadataColumn>& column : Make(in_tableId, true))
        {
            text += text.empty() ? "" : ", ";
            text += column->GetColumnMetadata()->m_name.GetAsUTF8();
            text += column->GetKind() == DSI_COLUMN_ALWAYS_NULL ? " (NULL)" : "";
        }
        return text;
    }
};

} // namespace

TEST_F(MetadataColumnFactoryTest, EveryCatalogResultSetHasItsOdbcLayout)
{
    const std::string cat = "TABLE_CAT WVARCHAR 1024 N";
    const std::string schem = "TABLE_SCHEM WVARCHAR 130 N";
    const std::string tablesRest = "TABLE_NAME WVARCHAR 131 N; TABLE_TYPE WVARCHAR 32 N; REMARKS WVARCHAR 254 N";
    const char* const expected[] = {
        // 0 SQLTables, 1 catalogs, 2 schemas, 3 table types
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N; TABLE_TYPE WVARCHAR 32 N; "
        "REMARKS WVARCHAR 254 N",
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N =NULL; TABLE_NAME WVARCHAR 131 N =NULL; "
        "TABLE_TYPE WVARCHAR 32 N =NULL; REMARKS WVARCHAR 254 N =NULL",
        "TABLE_CAT WVARCHAR 1024 N =NULL; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N =NULL; "
        "TABLE_TYPE WVARCHAR 32 N =NULL; REMARKS WVARCHAR 254 N =NULL",
        "TABLE_CAT WVARCHAR 1024 N =NULL; TABLE_SCHEM WVARCHAR 130 N =NULL; TABLE_NAME WVARCHAR 131 N =NULL; "
        "TABLE_TYPE WVARCHAR 32 N; REMARKS WVARCHAR 254 N =NULL",
        // 4 SQLTablePrivileges
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N; GRANTOR WVARCHAR 135 N; "
        "GRANTEE WVARCHAR 135 NN; PRIVILEGE WVARCHAR 32 NN; IS_GRANTABLE WVARCHAR 3 N",
        // 5 SQLColumns
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N; COLUMN_NAME WVARCHAR 132 NN; "
        "DATA_TYPE SMALLINT NN; TYPE_NAME WVARCHAR 128 NN; COLUMN_SIZE INTEGER N; BUFFER_LENGTH INTEGER N; "
        "DECIMAL_DIGITS SMALLINT N; NUM_PREC_RADIX INTEGER N; NULLABLE SMALLINT NN; REMARKS WVARCHAR 254 N; "
        "COLUMN_DEF WVARCHAR 4000 N; SQL_DATA_TYPE SMALLINT NN; SQL_DATETIME_SUB SMALLINT N; "
        "CHAR_OCTET_LENGTH INTEGER N; ORDINAL_POSITION INTEGER NN; IS_NULLABLE WVARCHAR 254 N; "
        "USER_DATA_TYPE SMALLINT unsigned NN",
        // 6 SQLColumnPrivileges
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N; COLUMN_NAME WVARCHAR 132 NN; "
        "GRANTOR WVARCHAR 135 N; GRANTEE WVARCHAR 135 NN; PRIVILEGE WVARCHAR 32 NN; IS_GRANTABLE WVARCHAR 3 N",
        // 7 SQLForeignKeys
        "PKTABLE_CAT WVARCHAR 1024 N; PKTABLE_SCHEM WVARCHAR 130 N; PKTABLE_NAME WVARCHAR 131 NN; "
        "PKCOLUMN_NAME WVARCHAR 132 NN; FKTABLE_CAT WVARCHAR 1024 N; FKTABLE_SCHEM WVARCHAR 130 N; "
        "FKTABLE_NAME WVARCHAR 131 NN; FKCOLUMN_NAME WVARCHAR 132 NN; KEY_SEQ SMALLINT NN; UPDATE_RULE SMALLINT N; "
        "DELETE_RULE SMALLINT N; FK_NAME WVARCHAR 132 N; PK_NAME WVARCHAR 132 N; DEFERRABILITY SMALLINT N",
        // 8 SQLPrimaryKeys
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 NN; COLUMN_NAME WVARCHAR 132 NN; "
        "KEY_SEQ SMALLINT NN; PK_NAME WVARCHAR 132 N",
        // 9 SQLSpecialColumns
        "SCOPE SMALLINT N; COLUMN_NAME WVARCHAR 132 NN; DATA_TYPE SMALLINT NN; TYPE_NAME WVARCHAR 128 NN; "
        "COLUMN_SIZE INTEGER N; BUFFER_LENGTH INTEGER N; DECIMAL_DIGITS SMALLINT N; PSEUDO_COLUMN SMALLINT N",
        // 10 SQLStatistics
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N; NON_UNIQUE SMALLINT N; "
        "INDEX_QUALIFIER WVARCHAR 133 N; INDEX_NAME WVARCHAR 132 N; TYPE SMALLINT NN; ORDINAL_POSITION INTEGER NN; "
        "COLUMN_NAME WVARCHAR 132 NN; ASC_OR_DESC WCHAR 1 N; CARDINALITY INTEGER N; PAGES INTEGER N; "
        "FILTER_CONDITION WVARCHAR 132 N",
        // 11 SQLProcedures
        "PROCEDURE_CAT WVARCHAR 1024 N; PROCEDURE_SCHEM WVARCHAR 130 N; PROCEDURE_NAME WVARCHAR 134 NN; "
        "NUM_INPUT_PARAMS INTEGER N; NUM_OUTPUT_PARAMS INTEGER N; NUM_RESULT_SETS INTEGER N; REMARKS WVARCHAR 254 N; "
        "PROCEDURE_TYPE SMALLINT N",
        // 12 SQLProcedureColumns
        "PROCEDURE_CAT WVARCHAR 1024 N; PROCEDURE_SCHEM WVARCHAR 130 N; PROCEDURE_NAME WVARCHAR 134 NN; "
        "COLUMN_NAME WVARCHAR 132 NN; COLUMN_TYPE SMALLINT NN; DATA_TYPE SMALLINT NN; TYPE_NAME WVARCHAR 128 NN; "
        "COLUMN_SIZE INTEGER N; BUFFER_LENGTH INTEGER N; DECIMAL_DIGITS SMALLINT N; NUM_PREC_RADIX INTEGER N; "
        "NULLABLE SMALLINT NN; REMARKS WVARCHAR 254 N; COLUMN_DEF WVARCHAR 4000 N; SQL_DATA_TYPE SMALLINT NN; "
        "SQL_DATETIME_SUB SMALLINT N; CHAR_OCTET_LENGTH INTEGER N; ORDINAL_POSITION INTEGER NN; "
        "IS_NULLABLE WVARCHAR 254 N; IS RESULT SET COLUMN SMALLINT unsigned NN; USER_DATA_TYPE SMALLINT unsigned NN",
        // 13 SQLGetTypeInfo
        "TYPE_NAME WVARCHAR 128 NN; DATA_TYPE SMALLINT NN; COLUMN_SIZE INTEGER N; LITERAL_PREFIX WVARCHAR 32 N; "
        "LITERAL_SUFFIX WVARCHAR 32 N; CREATE_PARAMS WVARCHAR 32 N; NULLABLE SMALLINT NN; CASE_SENSITIVE SMALLINT NN; "
        "SEARCHABLE SMALLINT NN; UNSIGNED_ATTRIBUTE SMALLINT N; FIXED_PREC_SCALE SMALLINT NN; "
        "AUTO_UNIQUE_VALUE SMALLINT N; LOCAL_TYPE_NAME WVARCHAR 128 N; MINIMUM_SCALE SMALLINT N; "
        "MAXIMUM_SCALE SMALLINT N; SQL_DATA_TYPE SMALLINT NN; SQL_DATETIME_SUB SMALLINT N; NUM_PREC_RADIX INTEGER N; "
        "INTERVAL_PRECISION SMALLINT N; USER_DATA_TYPE SMALLINT unsigned NN",
        // 14 schemas with their catalogs
        "TABLE_CAT WVARCHAR 1024 N; TABLE_SCHEM WVARCHAR 130 N; TABLE_NAME WVARCHAR 131 N =NULL; "
        "TABLE_TYPE WVARCHAR 32 N =NULL; REMARKS WVARCHAR 254 N =NULL",
    };
    for (uint32_t tableId = 0; tableId <= 14; ++tableId)
    {
        EXPECT_EQ(expected[tableId], Layout(tableId)) << "table " << tableId;
    }
}

TEST_F(MetadataColumnFactoryTest, OleDbLayoutsNameAndOrderTheirOwnColumns)
{
    EXPECT_EQ("TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, TABLE_GUID (NULL), COLUMN_PROPID (NULL), "
              "ORDINAL_POSITION, COLUMN_HASDEFAULT (NULL), COLUMN_DEFAULT, COLUMN_FLAGS (NULL), IS_NULLABLE, DATA_TYPE, "
              "TYPE_GUID (NULL), CHARACTER_MAXIMUM_LENGTH (NULL), CHARACTER_OCTET_LENGTH, NUMERIC_PRECISION (NULL), "
              "NUMERIC_SCALE (NULL), DATETIME_PRECISION (NULL), CHARACTER_SET_CATALOG (NULL), "
              "CHARACTER_SET_SCHEMA (NULL), CHARACTER_SET_NAME (NULL), COLLATION_CATALOG (NULL), "
              "COLLATION_SCHEMA (NULL), COLLATION_NAME (NULL), DOMAIN_CATALOG (NULL), DOMAIN_SCHEMA (NULL), "
              "DOMAIN_NAME (NULL), DESCRIPTION, UNSIGNED_ATTRIBUTE",
              OleDbNames(5));
    EXPECT_EQ("TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE, TABLE_GUID (NULL), DESCRIPTION, "
              "TABLE_PROPID (NULL), DATE_CREATED (NULL), DATE_MODIFIED (NULL)",
              OleDbNames(0));
    EXPECT_EQ("PK_TABLE_CATALOG, PK_TABLE_SCHEMA, PK_TABLE_NAME, PK_COLUMN_NAME, PK_COLUMN_GUID (NULL), "
              "PK_COLUMN_PROPID (NULL), FK_TABLE_CATALOG, FK_TABLE_SCHEMA, FK_TABLE_NAME, FK_COLUMN_NAME, "
              "FK_COLUMN_GUID (NULL), FK_COLUMN_PROPID (NULL), ORDINAL, UPDATE_RULE, DELETE_RULE, PK_NAME, FK_NAME, "
              "DEFERRABILITY",
              OleDbNames(7));
    EXPECT_EQ("CATALOG_NAME, DESCRIPTION", OleDbNames(1));
    EXPECT_EQ("CATALOG_NAME, SCHEMA_NAME, SCHEMA_OWNER (NULL), DEFAULT_CHARACTER_SET_CATALOG (NULL), "
              "DEFAULT_CHARACTER_SET_SCHEMA (NULL), DEFAULT_CHARACTER_SET_NAME (NULL)",
              OleDbNames(14));
    // One list whose names follow the convention, and two lists that keep their ODBC names.
    EXPECT_EQ("TABLE_CATALOG (NULL), TABLE_SCHEMA (NULL), TABLE_NAME (NULL), TABLE_TYPE, DESCRIPTION (NULL)",
              OleDbNames(3));
    EXPECT_EQ("SCOPE, COLUMN_NAME, DATA_TYPE, TYPE_NAME, COLUMN_SIZE, BUFFER_LENGTH, DECIMAL_DIGITS, PSEUDO_COLUMN",
              OleDbNames(9));
    EXPECT_EQ("TABLE_CAT, TABLE_SCHEM, TABLE_NAME, NON_UNIQUE, INDEX_QUALIFIER, INDEX_NAME, TYPE, ORDINAL_POSITION, "
              "COLUMN_NAME, ASC_OR_DESC, CARDINALITY, PAGES, FILTER_CONDITION",
              OleDbNames(10));

    // The OLE DB-only columns keep their types.
    const Columns types = Make(13, true);
    ASSERT_EQ(21u, types.size());
    EXPECT_EQ(SQL_GUID, types[15]->GetMetadata()->GetConciseType());
    EXPECT_EQ(SQL_WCHAR, types[16]->GetMetadata()->GetConciseType());
    EXPECT_EQ(SQL_BIT, types[19]->GetMetadata()->GetConciseType());
}

TEST_F(MetadataColumnFactoryTest, NamesThatDependOnTheTable)
{
    struct Case
    {
        uint32_t tableId;
        int32_t tag;
        bool isOleDb;
        const char* name;
    };
    const Case cases[] = {
        {8, DSI_TAG_PKCOLUMN_NAME, false, "COLUMN_NAME"},   {7, DSI_TAG_PKCOLUMN_NAME, false, "PKCOLUMN_NAME"},
        {7, DSI_TAG_PKTABLE_CAT, true, "PK_TABLE_CATALOG"}, {8, DSI_TAG_PKTABLE_CAT, true, "TABLE_CATALOG"},
        {12, DSI_TAG_TABLE_CAT, true, "PROCEDURE_CATALOG"}, {1, DSI_TAG_TABLE_CAT, true, "CATALOG_NAME"},
        {2, DSI_TAG_TABLE_CAT, true, "TABLE_CATALOG"},      {11, DSI_TAG_TABLE_SCHEM, false, "PROCEDURE_SCHEM"},
        {14, DSI_TAG_TABLE_SCHEM, true, "SCHEMA_NAME"},     {1, DSI_TAG_TABLE_SCHEM, true, "TABLE_SCHEMA"},
        {0, DSI_TAG_COLUMN_PROPID, true, "TABLE_PROPID"},   {5, DSI_TAG_COLUMN_PROPID, true, "COLUMN_PROPID"},
        {5, DSI_TAG_IS_NULLABLE_FLAG, true, "IS_NULLABLE"}, {13, DSI_TAG_REMARKS, false, "REMARKS"},
    };
    for (const Case& c : cases)
    {
        const std::unique_ptr<DSIMetadataColumn> column =
            DSIMetadataColumnFactory::MakeColumn(*m_statement, c.tableId, c.tag, DSI_COLUMN_FROM_SOURCE, c.isOleDb);
        EXPECT_EQ(c.name, Show(column->GetColumnMetadata()->m_name)) << "table " << c.tableId << " tag " << c.tag;
        EXPECT_EQ(c.tag, column->GetTag());
    }
    // The foreign keys' primary-key names keep the nullability of the plain table columns.
    const std::unique_ptr<DSIMetadataColumn> name =
        DSIMetadataColumnFactory::MakeColumn(*m_statement, 7, DSI_TAG_PKTABLE_NAME, DSI_COLUMN_FROM_SOURCE, false);
    EXPECT_EQ(SQL_NO_NULLS, name->GetNullable());
}

TEST_F(MetadataColumnFactoryTest, EveryCatalogColumnIsAReadOnlyUnsearchableNamedColumn)
{
    for (uint32_t tableId = 0; tableId <= 14; ++tableId)
    {
        for (bool isOleDb : {false, true})
        {
            for (const std::unique_ptr<DSIMetadataColumn>& column : Make(tableId, isOleDb))
            {
                orvik_wstring name;
                orvik_wstring label;
                column->GetName(name);
                column->GetLabel(label);
                EXPECT_FALSE(name.IsNull() || name.GetLength() == 0);
                EXPECT_EQ(name, label);
                EXPECT_FALSE(column->IsUnnamed());
                EXPECT_EQ(SQL_PRED_NONE, column->GetSearchable());
                EXPECT_EQ(SQL_ATTR_READONLY, column->GetUpdatable());
                EXPECT_FALSE(column->IsAutoUnique());
                EXPECT_FALSE(column->IsCaseSensitive());
            }
        }
    }
}

TEST_F(MetadataColumnFactoryTest, NameLengthsAreReadForEveryCall)
{
    EXPECT_EQ(1024, DSIMetadataColumnFactory::GetNameLength(*m_statement, CONN_PROP_MAX_CATALOG_NAME_LEN));
    EXPECT_EQ(1024u, Make(0, false)[0]->GetColumnMetadata()->m_columnLength);
    SetNameLength(CONN_PROP_MAX_CATALOG_NAME_LEN, 128);
    EXPECT_EQ(128u, Make(0, false)[0]->GetColumnMetadata()->m_columnLength);
    EXPECT_EQ(128u, Make(0, false)[0]->GetColumnSize());
}

TEST_F(MetadataColumnFactoryTest, RefusesUnknownTagsAndTablesAndKeepsWhatWasMadeBeforeAFailure)
{
    for (int32_t tag : {51, 52, 67, 68, 69, 70, 73, 74, 111, -1})
    {
        EXPECT_EQ("HY000 2 InvalidColumnTag [" + std::to_string(tag) + "]", Outcome([&] {
                      DSIMetadataColumnFactory::MakeColumn(*m_statement, 0, tag, DSI_COLUMN_FROM_SOURCE, false);
                  }));
    }
    Columns columns;
    EXPECT_EQ("HY000 2 InvalidMetadataTableID [15]",
              Outcome([&] { DSIMetadataColumnFactory::MakeColumns(*m_statement, 15, false, columns); }));
    EXPECT_TRUE(columns.empty());

    // A table-name length that is no 16-bit number: the catalog and schema columns stay made.
    SetConnection(CONN_PROP_MAX_TABLE_NAME_LEN, AttributeData::MakeNewWStringAttributeData(orvik_wstring(u"x")));
    EXPECT_EQ("HY000 3 InvalidOperation",
              Outcome([&] { DSIMetadataColumnFactory::MakeColumns(*m_statement, 0, false, columns); }).substr(0, 24));
    ASSERT_EQ(2u, columns.size());
    EXPECT_EQ("TABLE_SCHEM", Show(columns[1]->GetColumnMetadata()->m_name));
}
