#include "ODBC/KeyMaps/CatalogFunctionNames.h"

#include "ODBC/Exceptions/ODBCInternalException.h"


namespace Orvik {
namespace ODBC {

namespace {

struct CatalogFunction
{
    int32_t m_id;
    const char* m_name;
    int32_t m_metadataTableId;
};

constexpr CatalogFunction FUNCTIONS[] = {
    {CatalogFunctionNames::SQL_TABLES, "SQLTables", 0},
    {CatalogFunctionNames::SQL_TABLES_CATALOGS, "SQLTables (catalogs)", 1},
    {CatalogFunctionNames::SQL_TABLES_SCHEMAS, "SQLTables (schemas)", 2},
    {CatalogFunctionNames::SQL_TABLES_TABLE_TYPES, "SQLTables (table types)", 3},
    {CatalogFunctionNames::SQL_TABLE_PRIVILEGES, "SQLTablePrivileges", 4},
    {CatalogFunctionNames::SQL_COLUMNS, "SQLColumns", 5},
    {CatalogFunctionNames::SQL_COLUMN_PRIVILEGES, "SQLColumnPrivileges", 6},
    {CatalogFunctionNames::SQL_FOREIGN_KEYS, "SQLForeignKeys", 7},
    {CatalogFunctionNames::SQL_PRIMARY_KEYS, "SQLPrimaryKeys", 8},
    {CatalogFunctionNames::SQL_SPECIAL_COLUMNS, "SQLSpecialColumns", 9},
    {CatalogFunctionNames::SQL_STATISTICS, "SQLStatistics", 10},
    {CatalogFunctionNames::SQL_PROCEDURES, "SQLProcedures", 11},
    {CatalogFunctionNames::SQL_PROCEDURE_COLUMNS, "SQLProcedureColumns", 12},
    {CatalogFunctionNames::SQL_GET_TYPE_INFO, "SQLGetTypeInfo", 13},
};

const CatalogFunction& FindFunction(int32_t in_functionId)
{
    for (const CatalogFunction& function : FUNCTIONS)
    {
        if (function.m_id == in_functionId)
        {
            return function;
        }
    }
    throw ODBCInternalException(u"MetadataTableIDNotFoundForCatalogFunctionId");
}

} // namespace

const char* CatalogFunctionNames::GetName(int32_t in_functionId)
{
    return FindFunction(in_functionId).m_name;
}

int32_t CatalogFunctionNames::GetMetadataTableID(int32_t in_functionId)
{
    return FindFunction(in_functionId).m_metadataTableId;
}

} // namespace ODBC
} // namespace Orvik
