#include "DSI/Catalog/DSIMetadataColumnFactory.h"

#include "DSI/Catalog/DSIMetadataColumnLayout.h"
#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataTableId.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/ConnectionPropertyKey.h"
#include "DSI/DSIConnection.h"
#include "DSI/DSIException.h"
#include "DSI/DSIStatement.h"
#include "Support/AttributeData.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace DSI {

using namespace Support;

namespace {

/// A column's character length: fixed, or the connection's maximum for a kind of name.
struct ColumnLength
{
    constexpr ColumnLength(uint32_t in_fixed) : m_fixed(in_fixed), m_property(0) {}
    constexpr ColumnLength(uint32_t in_fixed, int32_t in_property) : m_fixed(in_fixed), m_property(in_property) {}

    uint32_t m_fixed;
    /// The connection property holding a name length; 0 for a fixed length.
    int32_t m_property;
};

// The words of the column table.
constexpr ColumnLength NO_LENGTH(0);
constexpr ColumnLength CATALOG_NAME_LENGTH(0, CONN_PROP_MAX_CATALOG_NAME_LEN);
constexpr ColumnLength COLUMN_NAME_LENGTH(0, CONN_PROP_MAX_COLUMN_NAME_LEN);
constexpr ColumnLength IDENTIFIER_LENGTH(0, CONN_PROP_MAX_IDENTIFIER_LEN);
constexpr ColumnLength PROCEDURE_NAME_LENGTH(0, CONN_PROP_MAX_PROCEDURE_NAME_LEN);
constexpr ColumnLength SCHEMA_NAME_LENGTH(0, CONN_PROP_MAX_SCHEMA_NAME_LEN);
constexpr ColumnLength TABLE_NAME_LENGTH(0, CONN_PROP_MAX_TABLE_NAME_LEN);
constexpr ColumnLength USER_NAME_LENGTH(0, CONN_PROP_MAX_USER_NAME_LEN);
constexpr bool SIGNED = false;
constexpr bool UNSIGNED = true;
constexpr int32_t NULLABLE = SQL_NULLABLE;
constexpr int32_t NO_NULLS = SQL_NO_NULLS;

struct TagRow
{
    int32_t m_tag;
    const char16_t* m_odbcName;
    const char16_t* m_oleDbName;
    int16_t m_sqlType;
    bool m_isUnsigned;
    ColumnLength m_length;
    int32_t m_nullable;
};

constexpr TagRow TAG_ROWS[] = {
#define ORVIK_METADATA_COLUMN_ROW(tag, name, odbcName, oleDbName, sqlType, sign, length, nullable) \
    {tag, u##odbcName, u##oleDbName, sqlType, sign, length, nullable},
    ORVIK_METADATA_COLUMN_TABLE(ORVIK_METADATA_COLUMN_ROW)
#undef ORVIK_METADATA_COLUMN_ROW
};

constexpr uint16_t UNLIMITED_NAME_LENGTH = 1024;

const TagRow& FindRow(int32_t in_tag)
{
    for (const TagRow& row : TAG_ROWS)
    {
        if (row.m_tag == in_tag)
        {
            return row;
        }
    }
    throw DSIException(u"InvalidColumnTag", {NumberConverter::ConvertInt32ToWString(in_tag)});
}

bool IsProcedureTable(uint32_t in_tableId)
{
    return in_tableId == DSI_PROCEDURES_METADATA || in_tableId == DSI_PROCEDURE_COLUMNS_METADATA;
}

// The names that depend on the table; null where the tag's row decides.
const char16_t* TableDependentName(int32_t in_tag, uint32_t in_tableId, bool in_isOleDb)
{
    const bool isForeignKeys = in_tableId == DSI_FOREIGN_KEYS_METADATA;
    switch (in_tag)
    {
        case DSI_TAG_TABLE_CAT:
            if (IsProcedureTable(in_tableId))
            {
                return in_isOleDb ? u"PROCEDURE_CATALOG" : u"PROCEDURE_CAT";
            }
        {
            const bool isCatalogList =
                in_tableId == DSI_CATALOG_ONLY_METADATA || in_tableId == DSI_CATALOG_SCHEMA_ONLY_METADATA;
            return in_isOleDb && isCatalogList ? u"CATALOG_NAME" : nullptr;
        }
        case DSI_TAG_TABLE_SCHEM:
            if (IsProcedureTable(in_tableId))
            {
                return in_isOleDb ? u"PROCEDURE_SCHEMA" : u"PROCEDURE_SCHEM";
            }
            return in_isOleDb && in_tableId == DSI_CATALOG_SCHEMA_ONLY_METADATA ? u"SCHEMA_NAME" : nullptr;
        case DSI_TAG_PKTABLE_CAT:
            return isForeignKeys ? (in_isOleDb ? u"PK_TABLE_CATALOG" : u"PKTABLE_CAT") : nullptr;
        case DSI_TAG_PKTABLE_SCHEM:
            return isForeignKeys ? (in_isOleDb ? u"PK_TABLE_SCHEMA" : u"PKTABLE_SCHEM") : nullptr;
        case DSI_TAG_PKTABLE_NAME:
            return isForeignKeys ? (in_isOleDb ? u"PK_TABLE_NAME" : u"PKTABLE_NAME") : nullptr;
        case DSI_TAG_PKCOLUMN_NAME:
            return isForeignKeys ? (in_isOleDb ? u"PK_COLUMN_NAME" : u"PKCOLUMN_NAME") : nullptr;
        case DSI_TAG_COLUMN_PROPID:
            return in_tableId == DSI_TABLES_METADATA ? u"TABLE_PROPID" : nullptr;
        default:
            return nullptr;
    }
}

const char16_t* ColumnName(const TagRow& in_row, uint32_t in_tableId, bool in_isOleDb)
{
    const char16_t* name = TableDependentName(in_row.m_tag, in_tableId, in_isOleDb);
    if (name != nullptr)
    {
        return name;
    }
    return in_isOleDb ? in_row.m_oleDbName : in_row.m_odbcName;
}

} // namespace

std::unique_ptr<DSIMetadataColumn> DSIMetadataColumnFactory::MakeColumn(DSIStatement& in_statement,
                                                                       uint32_t in_tableId,
                                                                       int32_t in_tag,
                                                                       int32_t in_kind,
                                                                       bool in_isOleDb)
{
    const TagRow& row = FindRow(in_tag);
    const uint32_t length = row.m_length.m_property != 0 ? GetNameLength(in_statement, row.m_length.m_property)
                                                         : row.m_length.m_fixed;

    auto columnMetadata = std::make_unique<DSIColumnMetadata>();
    columnMetadata->m_name = ColumnName(row, in_tableId, in_isOleDb);
    columnMetadata->m_label = columnMetadata->m_name;
    columnMetadata->m_isUnnamed = false;
    columnMetadata->m_nullable = row.m_nullable;
    columnMetadata->m_searchable = SQL_PRED_NONE;
    columnMetadata->m_updatable = SQL_ATTR_READONLY;
    columnMetadata->m_isAutoUnique = false;
    columnMetadata->m_isCaseSensitive = false;
    columnMetadata->m_columnLength = length;

    const SqlTypeMetadataFactory& types = TypedDataSingleton<SqlTypeMetadataFactory>::GetOrDefault();
    std::unique_ptr<SqlTypeMetadata> typeMetadata = types.CreateNewSqlTypeMetadata(row.m_sqlType, row.m_isUnsigned, 0);
    return std::make_unique<DSIMetadataColumn>(std::move(typeMetadata), std::move(columnMetadata), in_tag, in_kind);
}

void DSIMetadataColumnFactory::MakeColumns(DSIStatement& in_statement,
                                           uint32_t in_tableId,
                                           bool in_isOleDb,
                                           std::vector<std::unique_ptr<DSIMetadataColumn>>& io_columns)
{
    const DSIMetadataColumnLayout layout = DSIMetadataColumnLayout::Get(in_tableId, in_isOleDb);
    for (const DSIMetadataColumnLayoutEntry& entry : layout)
    {
        io_columns.push_back(MakeColumn(in_statement, in_tableId, entry.m_tag, entry.m_kind, layout.HasOleDbNames()));
    }
}

uint16_t DSIMetadataColumnFactory::GetNameLength(DSIStatement& in_statement, int32_t in_key)
{
    const uint16_t length = in_statement.GetParentConnection()->GetProperty(in_key)->GetUInt16Value();
    return length == 0 ? UNLIMITED_NAME_LENGTH : length;
}

} // namespace DSI
} // namespace Orvik
