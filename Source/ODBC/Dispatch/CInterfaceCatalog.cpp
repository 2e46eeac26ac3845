// Taken before the ODBC headers, which name an information type SQL_PROCEDURES.
#include "ODBC/KeyMaps/CatalogFunctionNames.h"

namespace {
constexpr int32_t PROCEDURES_FUNCTION_ID = Orvik::ODBC::CatalogFunctionNames::SQL_PROCEDURES;
} // namespace

#include "ODBC/Dispatch/CInterface.h"

#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Catalog/CatalogArgs.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "Support/AttributeData.h"
#include "Support/Variant.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <vector>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

using Arguments = std::vector<Variant>;

/// in_names from in_first on, in their order.
template <size_t N>
void AppendNames(const orvik_wstring (&in_names)[N], size_t in_first, Arguments& io_arguments)
{
    for (size_t i = in_first; i < N; ++i)
    {
        io_arguments.emplace_back(in_names[i]);
    }
}

/// The catalog argument by the current-catalog rule, then the other names.
template <size_t N>
Arguments PackNames(Statement& io_statement, const orvik_wstring (&in_names)[N], size_t in_reserved)
{
    Arguments arguments;
    arguments.reserve(in_reserved);
    CInterface::GetCatalogArgument(io_statement, in_names[0], false, arguments);
    AppendNames(in_names, 1, arguments);
    return arguments;
}

SQLRETURN Execute(Statement& io_statement, int32_t in_functionId, const Arguments& in_arguments)
{
    return io_statement.GetConnection().ExecuteCatalogFunction(io_statement, in_functionId, in_arguments);
}

bool IsMetadataId(Statement& io_statement)
{
    const AttributeData* value = io_statement.GetAttributes().GetAttribute(SQL_ATTR_METADATA_ID);
    return value != nullptr && value->GetUIntNativeValue() == SQL_TRUE;
}

bool IsOdbc2Application(Statement& io_statement)
{
    EnvironmentAttributes& attributes = io_statement.GetConnection().GetEnvironment().GetAttributes();
    return attributes.GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value() == SQL_OV_ODBC2;
}

bool SupportsCatalogs(Connection& io_connection)
{
    const AttributeData* value = io_connection.GetInfoProperty(SQL_CATALOG_NAME);
    return value != nullptr && *value->GetWStringValue() == orvik_wstring(u"Y");
}

} // namespace

void CInterface::GetCatalogArgument(Statement& io_statement,
                                    const orvik_wstring& in_catalog,
                                    bool in_escape,
                                    std::vector<Variant>& io_arguments)
{
    if (!in_catalog.IsNull())
    {
        io_arguments.emplace_back(in_catalog);
        return;
    }
    Connection& connection = io_statement.GetConnection();
    if (SupportsCatalogs(connection) && !IsMetadataId(io_statement))
    {
        io_arguments.emplace_back(CatalogArgs::SubstituteCurrentCatalog(connection, in_escape));
        return;
    }
    io_arguments.emplace_back(orvik_wstring());
}

SQLRETURN CInterface::DoSQLTables(Statement& io_statement, const orvik_wstring (&in_names)[4])
{
    Arguments arguments;
    arguments.reserve(4);
    // Only SQLTables takes the catalog as a pattern, and only from an ODBC 3 application.
    const bool escape = in_names[0].IsNull() && !IsOdbc2Application(io_statement);
    GetCatalogArgument(io_statement, in_names[0], escape, arguments);
    AppendNames(in_names, 1, arguments);
    return Execute(io_statement, CatalogFunctionNames::SQL_TABLES, arguments);
}

SQLRETURN CInterface::DoSQLTablePrivileges(Statement& io_statement, const orvik_wstring (&in_names)[3])
{
    return Execute(io_statement, CatalogFunctionNames::SQL_TABLE_PRIVILEGES, PackNames(io_statement, in_names, 3));
}

SQLRETURN CInterface::DoSQLColumns(Statement& io_statement, const orvik_wstring (&in_names)[4])
{
    return Execute(io_statement, CatalogFunctionNames::SQL_COLUMNS, PackNames(io_statement, in_names, 4));
}

SQLRETURN CInterface::DoSQLColumnPrivileges(Statement& io_statement, const orvik_wstring (&in_names)[4])
{
    return Execute(io_statement, CatalogFunctionNames::SQL_COLUMN_PRIVILEGES, PackNames(io_statement, in_names, 4));
}

SQLRETURN CInterface::DoSQLForeignKeys(Statement& io_statement, const orvik_wstring (&in_names)[6])
{
    // Both catalogs name tables explicitly: neither is replaced by the current one.
    Arguments arguments;
    arguments.reserve(6);
    AppendNames(in_names, 0, arguments);
    return Execute(io_statement, CatalogFunctionNames::SQL_FOREIGN_KEYS, arguments);
}

SQLRETURN CInterface::DoSQLPrimaryKeys(Statement& io_statement, const orvik_wstring (&in_names)[3])
{
    return Execute(io_statement, CatalogFunctionNames::SQL_PRIMARY_KEYS, PackNames(io_statement, in_names, 3));
}

SQLRETURN CInterface::DoSQLSpecialColumns(Statement& io_statement,
                                          SQLUSMALLINT in_identifierType,
                                          const orvik_wstring (&in_names)[3],
                                          SQLUSMALLINT in_scope,
                                          SQLUSMALLINT in_nullable)
{
    Arguments arguments;
    arguments.reserve(6);
    arguments.emplace_back(static_cast<uint16_t>(in_identifierType));
    GetCatalogArgument(io_statement, in_names[0], false, arguments);
    AppendNames(in_names, 1, arguments);
    arguments.emplace_back(static_cast<uint16_t>(in_scope));
    arguments.emplace_back(static_cast<uint16_t>(in_nullable));
    return Execute(io_statement, CatalogFunctionNames::SQL_SPECIAL_COLUMNS, arguments);
}

SQLRETURN CInterface::DoSQLStatistics(Statement& io_statement,
                                      const orvik_wstring (&in_names)[3],
                                      SQLUSMALLINT in_unique,
                                      SQLUSMALLINT in_reserved)
{
    Arguments arguments = PackNames(io_statement, in_names, 5);
    arguments.emplace_back(static_cast<uint16_t>(in_unique));
    arguments.emplace_back(static_cast<uint16_t>(in_reserved));
    return Execute(io_statement, CatalogFunctionNames::SQL_STATISTICS, arguments);
}

SQLRETURN CInterface::DoSQLProcedures(Statement& io_statement, const orvik_wstring (&in_names)[3])
{
    return Execute(io_statement, PROCEDURES_FUNCTION_ID, PackNames(io_statement, in_names, 3));
}

SQLRETURN CInterface::DoSQLProcedureColumns(Statement& io_statement, const orvik_wstring (&in_names)[4])
{
    return Execute(io_statement, CatalogFunctionNames::SQL_PROCEDURE_COLUMNS, PackNames(io_statement, in_names, 4));
}

SQLRETURN CInterface::DoSQLGetTypeInfo(Statement& io_statement, SQLSMALLINT in_dataType)
{
    const Arguments arguments{Variant(static_cast<int16_t>(in_dataType))};
    return Execute(io_statement, CatalogFunctionNames::SQL_GET_TYPE_INFO, arguments);
}

} // namespace ODBC
} // namespace Orvik
