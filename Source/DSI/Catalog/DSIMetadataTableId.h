#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// A catalog function as the data-store layer names it. Ids 0 to 13 equal the ODBC layer's
/// catalog-function ids; 14 has no ODBC function.
enum DSIMetadataTableId : uint32_t
{
    DSI_TABLES_METADATA = 0,              ///< SQLTables
    DSI_CATALOG_ONLY_METADATA = 1,        ///< SQLTables listing the catalogs
    DSI_SCHEMA_ONLY_METADATA = 2,         ///< SQLTables listing the schemas
    DSI_TABLETYPE_ONLY_METADATA = 3,      ///< SQLTables listing the table types
    DSI_TABLE_PRIVILEGES_METADATA = 4,    ///< SQLTablePrivileges
    DSI_COLUMNS_METADATA = 5,             ///< SQLColumns
    DSI_COLUMN_PRIVILEGES_METADATA = 6,   ///< SQLColumnPrivileges
    DSI_FOREIGN_KEYS_METADATA = 7,        ///< SQLForeignKeys
    DSI_PRIMARY_KEYS_METADATA = 8,        ///< SQLPrimaryKeys
    DSI_SPECIAL_COLUMNS_METADATA = 9,     ///< SQLSpecialColumns
    DSI_STATISTICS_METADATA = 10,         ///< SQLStatistics
    DSI_PROCEDURES_METADATA = 11,         ///< SQLProcedures
    DSI_PROCEDURE_COLUMNS_METADATA = 12,  ///< SQLProcedureColumns
    DSI_TYPE_INFO_METADATA = 13,          ///< SQLGetTypeInfo
    DSI_CATALOG_SCHEMA_ONLY_METADATA = 14 ///< the schemas together with their catalogs
};

/// The highest valid table id; every id above it is refused with "InvalidMetadataTableID".
constexpr uint32_t DSI_LAST_METADATA_TABLE_ID = DSI_CATALOG_SCHEMA_ONLY_METADATA;

} // namespace DSI
} // namespace Orvik
