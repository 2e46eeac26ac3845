#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The catalog functions by id (0 to 13): their names for log lines and the data-store metadata
/// table each reads. Ids 1 to 3 are SQLTables' enumerations of catalogs, schemas and table types.
class CatalogFunctionNames
{
public:
    CatalogFunctionNames() = delete;

    static constexpr int32_t SQL_TABLES = 0;
    static constexpr int32_t SQL_TABLES_CATALOGS = 1;
    static constexpr int32_t SQL_TABLES_SCHEMAS = 2;
    static constexpr int32_t SQL_TABLES_TABLE_TYPES = 3;
    static constexpr int32_t SQL_TABLE_PRIVILEGES = 4;
    static constexpr int32_t SQL_COLUMNS = 5;
    static constexpr int32_t SQL_COLUMN_PRIVILEGES = 6;
    static constexpr int32_t SQL_FOREIGN_KEYS = 7;
    static constexpr int32_t SQL_PRIMARY_KEYS = 8;
    static constexpr int32_t SQL_SPECIAL_COLUMNS = 9;
    static constexpr int32_t SQL_STATISTICS = 10;
    static constexpr int32_t SQL_PROCEDURES = 11;
    static constexpr int32_t SQL_PROCEDURE_COLUMNS = 12;
    static constexpr int32_t SQL_GET_TYPE_INFO = 13;

    /// The function's name; an id without an entry throws ODBCInternalException
    /// "MetadataTableIDNotFoundForCatalogFunctionId".
    static const char* GetName(int32_t in_functionId);

    /// The metadata table the function reads (the id itself); an id without an entry throws
    /// ODBCInternalException "MetadataTableIDNotFoundForCatalogFunctionId".
    static int32_t GetMetadataTableID(int32_t in_functionId);
};

} // namespace ODBC
} // namespace Orvik
