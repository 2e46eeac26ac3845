#include "DSI/DSIDataEngine.h"

#include "DSI/Catalog/ColumnPrivilegesSchemaAdapter.h"
#include "DSI/Catalog/ColumnsSchemaAdapter.h"
#include "DSI/Catalog/DSIMetadataColumnFactory.h"
#include "DSI/Catalog/DSIMetadataFilterFactory.h"
#include "DSI/Catalog/DSIMetadataResult.h"
#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/Catalog/DSIMetadataTableId.h"
#include "DSI/Catalog/ForeignKeysSchemaAdapter.h"
#include "DSI/Catalog/IMetadataFilter.h"
#include "DSI/Catalog/PrimaryKeysSchemaAdapter.h"
#include "DSI/Catalog/ProcedureColumnsSchemaAdapter.h"
#include "DSI/Catalog/ProceduresSchemaAdapter.h"
#include "DSI/Catalog/ProviderTypesSchemaAdapter.h"
#include "DSI/Catalog/TablePrivilegesSchemaAdapter.h"
#include "DSI/Client/DSIEmptyMetadataSource.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/DSIConnection.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIException.h"
#include "DSI/DSILog.h"
#include "DSI/DSIStatement.h"
#include "Support/AttributeData.h"
#include "Support/NumberConverter.h"
#include "Support/Platform.h"
#include "Support/Variant.h"

#include <sqlext.h>

namespace Orvik {
namespace DSI {

using Support::Variant;
using Support::orvik_wstring;

namespace {

// Environment property 4 selects the OLE DB schema-rowset convention with this value.
constexpr int32_t OLEDB_CATALOG_CONVENTION = 3;

// Hosts whose executable path holds this text cannot read ASC_OR_DESC of SQLStatistics.
constexpr char16_t NO_SORT_ORDER_HOST[] = u"MSACCESS";

// SQLGetTypeInfo's date and time codes in the application's ODBC version.
int16_t MapDateTimeType(int16_t in_type, bool in_isOdbc3)
{
    struct Pair
    {
        int16_t odbc2;
        int16_t odbc3;
    };
    constexpr Pair PAIRS[] = {{SQL_DATE, SQL_TYPE_DATE}, {SQL_TIME, SQL_TYPE_TIME}, {SQL_TIMESTAMP, SQL_TYPE_TIMESTAMP}};
    for (const Pair& pair : PAIRS)
    {
        if (in_type == (in_isOdbc3 ? pair.odbc2 : pair.odbc3))
        {
            return in_isOdbc3 ? pair.odbc3 : pair.odbc2;
        }
    }
    return in_type;
}

// The adapter of each table id that has one in the OLE DB convention.
std::unique_ptr<SchemaResultAdapter> MakeAdapter(uint32_t in_tableId, const std::vector<Variant>& in_restrictions)
{
    switch (in_tableId)
    {
        case DSI_TABLE_PRIVILEGES_METADATA:
            return std::make_unique<TablePrivilegesSchemaAdapter>();
        case DSI_COLUMNS_METADATA:
            return std::make_unique<ColumnsSchemaAdapter>();
        case DSI_COLUMN_PRIVILEGES_METADATA:
            return std::make_unique<ColumnPrivilegesSchemaAdapter>();
        case DSI_FOREIGN_KEYS_METADATA:
            return std::make_unique<ForeignKeysSchemaAdapter>();
        case DSI_PRIMARY_KEYS_METADATA:
            return std::make_unique<PrimaryKeysSchemaAdapter>();
        case DSI_PROCEDURES_METADATA:
            return std::make_unique<ProceduresSchemaAdapter>();
        case DSI_PROCEDURE_COLUMNS_METADATA:
            return std::make_unique<ProcedureColumnsSchemaAdapter>();
        case DSI_TYPE_INFO_METADATA:
        {
            const Variant& dataType = DSIMetadataFilterFactory::GetArgument(in_restrictions, 0);
            const Variant& bestMatch = DSIMetadataFilterFactory::GetArgument(in_restrictions, 1);
            return std::make_unique<ProviderTypesSchemaAdapter>(!dataType.IsNull(),
                                                                dataType.IsNull() ? 0 : dataType.GetUInt16(),
                                                                !bestMatch.IsNull(),
                                                                bestMatch.GetBool());
        }
        default:
            return nullptr;
    }
}

} // namespace

DSIDataEngine::DSIDataEngine(DSIStatement* in_statement)
    : m_statement(in_statement),
      m_catalogConvention(ReadEnvironmentProperty(ENV_PROP_CATALOG_CONVENTION)),
      m_isOdbc3Behavior(ReadEnvironmentProperty(ENV_PROP_ODBC_VERSION) != SQL_OV_ODBC2)
{
}

std::unique_ptr<IResult> DSIDataEngine::MakeNewMetadataResult(uint32_t in_tableId,
                                                              const std::vector<Variant>& in_restrictions,
                                                              const orvik_wstring& in_escape,
                                                              const orvik_wstring& in_quote,
                                                              bool in_isMetadataId)
{
    const int32_t adapterMode = in_isMetadataId ? ReadEnvironmentProperty(ENV_PROP_CATALOG_CONVENTION) : 0;
    const std::vector<Variant> restrictions =
        in_tableId == DSI_TYPE_INFO_METADATA ? MapDataTypeArguments(in_restrictions, adapterMode) : in_restrictions;

    std::vector<std::unique_ptr<IMetadataFilter>> filters;
    DSIMetadataFilterFactory::MakeNewMetadataFilters(restrictions, in_tableId, in_escape, in_quote, in_isMetadataId,
                                                     IsOdbc3Behavior(), filters);

    DSIMetadataRestrictions restrictionMap;
    DSIMetadataRestrictionGenerator(restrictionMap, IsCatalogFilteringEnabled())
        .GenerateRestrictions(in_tableId, restrictions, filters);

    std::unique_ptr<DSIMetadataSource> source =
        MakeNewMetadataTable(in_tableId, restrictionMap, in_escape, in_quote, in_isMetadataId);

    std::vector<std::unique_ptr<DSIMetadataColumn>> columns;
    DSIMetadataColumnFactory::MakeColumns(*m_statement, in_tableId, m_catalogConvention == OLEDB_CATALOG_CONVENTION,
                                          columns);

    std::unique_ptr<DSIMetadataResult> result =
        CreateMetadataResult(in_tableId, restrictionMap, std::move(source), columns, filters);
    return CreateResultAdapter(adapterMode, in_tableId, in_restrictions, std::move(result));
}

std::unique_ptr<DSIMetadataResult> DSIDataEngine::CreateMetadataResult(
    uint32_t in_tableId,
    const DSIMetadataRestrictions& in_restrictions,
    std::unique_ptr<DSIMetadataSource> in_source,
    std::vector<std::unique_ptr<DSIMetadataColumn>>& io_columns,
    std::vector<std::unique_ptr<IMetadataFilter>>& io_filters)
{
    if (in_source == nullptr)
    {
        // A catalog function the back end does not answer has its columns and no rows.
        return std::make_unique<DSIMetadataResult>(std::make_unique<DSIEmptyMetadataSource>(in_restrictions), io_columns,
                                                   io_filters, GetLog(), true);
    }
    if (in_tableId > DSI_LAST_METADATA_TABLE_ID)
    {
        throw DSIException(u"InvalidMetadataTableID", {Support::NumberConverter::ConvertUInt32ToWString(in_tableId)});
    }
    auto result = std::make_unique<DSIMetadataResult>(std::move(in_source), io_columns, io_filters, GetLog(),
                                                      IsCatalogFilteringEnabled());
    if (in_tableId == DSI_STATISTICS_METADATA && GetHostExecutablePath().Find(NO_SORT_ORDER_HOST) >= 0)
    {
        result->SetHostProgramRule(true);
    }
    return result;
}

DSILog* DSIDataEngine::GetLog()
{
    return m_statement->GetLog();
}

bool DSIDataEngine::IsCatalogFilteringEnabled()
{
    DSIDriver* driver = m_statement->GetParentConnection()->GetParentEnvironment()->GetParentDriver();
    return driver->GetProperty(DRIVER_PROP_CATALOG_FILTERING)->GetUInt32Value() == 1;
}

orvik_wstring DSIDataEngine::GetHostExecutablePath()
{
    return Platform::GetExecutablePath();
}

int32_t DSIDataEngine::ReadEnvironmentProperty(int32_t in_key)
{
    return m_statement->GetParentConnection()->GetParentEnvironment()->GetProperty(in_key)->GetInt32Value();
}

std::vector<Variant> DSIDataEngine::MapDataTypeArguments(const std::vector<Variant>& in_restrictions,
                                                         int32_t in_adapterMode)
{
    if (in_adapterMode == OLEDB_CATALOG_CONVENTION)
    {
        // The provider-types adapter does its own selection: every type reaches it.
        return {Variant(int16_t(SQL_ALL_TYPES))};
    }
    std::vector<Variant> mapped;
    mapped.reserve(in_restrictions.size());
    const bool isOdbc3 = IsOdbc3Behavior();
    for (const Variant& argument : in_restrictions)
    {
        mapped.emplace_back(MapDateTimeType(argument.GetInt16(), isOdbc3));
    }
    return mapped;
}

std::unique_ptr<IResult> DSIDataEngine::CreateResultAdapter(int32_t in_adapterMode,
                                                            uint32_t in_tableId,
                                                            const std::vector<Variant>& in_restrictions,
                                                            std::unique_ptr<DSIMetadataResult> in_result)
{
    if (in_adapterMode != OLEDB_CATALOG_CONVENTION)
    {
        return in_result;
    }
    std::unique_ptr<SchemaResultAdapter> adapter = MakeAdapter(in_tableId, in_restrictions);
    if (adapter == nullptr)
    {
        return in_result;
    }
    adapter->Attach(in_result);
    return adapter;
}

} // namespace DSI
} // namespace Orvik
