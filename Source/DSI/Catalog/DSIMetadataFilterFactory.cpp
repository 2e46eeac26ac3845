#include "DSI/Catalog/DSIMetadataFilterFactory.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataTableId.h"
#include "DSI/Catalog/IDMetadataFilter.h"
#include "DSI/Catalog/OAMetadataFilter.h"
#include "DSI/Catalog/PVMetadataFilter.h"
#include "DSI/Catalog/SmallIntMetadataFilter.h"
#include "DSI/Catalog/VLMetadataFilter.h"
#include "DSI/DSIException.h"
#include "Support/NumberConverter.h"
#include "Support/Variant.h"

namespace Orvik {
namespace DSI {

using Support::Variant;
using Support::orvik_wstring;

namespace {

enum class FilterKind
{
    Ordinary,         ///< OAMetadataFilter
    Pattern,          ///< PVMetadataFilter
    CatalogByVersion, ///< PVMetadataFilter for ODBC 3 applications, OAMetadataFilter for ODBC 2
    ValueList,        ///< VLMetadataFilter, even for identifiers
    Scope,            ///< SmallIntMetadataFilter, even for identifiers
    DataType          ///< SmallIntMetadataFilter unless the value is 0 (SQL_ALL_TYPES)
};

struct FilterRow
{
    uint32_t m_tableId;
    FilterKind m_kind;
    size_t m_argument;
    int32_t m_tag;
};

// The filters of each catalog function in order: table, kind, argument index, column tag.
constexpr FilterRow FILTER_ROWS[] = {
    {DSI_TABLES_METADATA, FilterKind::CatalogByVersion, 0, DSI_TAG_TABLE_CAT},
    {DSI_TABLES_METADATA, FilterKind::Pattern, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_TABLES_METADATA, FilterKind::Pattern, 2, DSI_TAG_TABLE_NAME},
    {DSI_TABLES_METADATA, FilterKind::ValueList, 3, DSI_TAG_TABLE_TYPE},
    {DSI_CATALOG_ONLY_METADATA, FilterKind::Pattern, 0, DSI_TAG_TABLE_CAT},
    {DSI_TABLE_PRIVILEGES_METADATA, FilterKind::Ordinary, 0, DSI_TAG_TABLE_CAT},
    {DSI_TABLE_PRIVILEGES_METADATA, FilterKind::Pattern, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_TABLE_PRIVILEGES_METADATA, FilterKind::Pattern, 2, DSI_TAG_TABLE_NAME},
    {DSI_COLUMNS_METADATA, FilterKind::Ordinary, 0, DSI_TAG_TABLE_CAT},
    {DSI_COLUMNS_METADATA, FilterKind::Pattern, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_COLUMNS_METADATA, FilterKind::Pattern, 2, DSI_TAG_TABLE_NAME},
    {DSI_COLUMNS_METADATA, FilterKind::Pattern, 3, DSI_TAG_COLUMN_NAME},
    {DSI_COLUMN_PRIVILEGES_METADATA, FilterKind::Ordinary, 0, DSI_TAG_TABLE_CAT},
    {DSI_COLUMN_PRIVILEGES_METADATA, FilterKind::Ordinary, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_COLUMN_PRIVILEGES_METADATA, FilterKind::Ordinary, 2, DSI_TAG_TABLE_NAME},
    {DSI_COLUMN_PRIVILEGES_METADATA, FilterKind::Pattern, 3, DSI_TAG_COLUMN_NAME},
    {DSI_FOREIGN_KEYS_METADATA, FilterKind::Ordinary, 0, DSI_TAG_PKTABLE_CAT},
    {DSI_FOREIGN_KEYS_METADATA, FilterKind::Ordinary, 1, DSI_TAG_PKTABLE_SCHEM},
    {DSI_FOREIGN_KEYS_METADATA, FilterKind::Ordinary, 2, DSI_TAG_PKTABLE_NAME},
    {DSI_FOREIGN_KEYS_METADATA, FilterKind::Ordinary, 3, DSI_TAG_FKTABLE_CAT},
    {DSI_FOREIGN_KEYS_METADATA, FilterKind::Ordinary, 4, DSI_TAG_FKTABLE_SCHEM},
    {DSI_FOREIGN_KEYS_METADATA, FilterKind::Ordinary, 5, DSI_TAG_FKTABLE_NAME},
    {DSI_PRIMARY_KEYS_METADATA, FilterKind::Ordinary, 0, DSI_TAG_PKTABLE_CAT},
    {DSI_PRIMARY_KEYS_METADATA, FilterKind::Ordinary, 1, DSI_TAG_PKTABLE_SCHEM},
    {DSI_PRIMARY_KEYS_METADATA, FilterKind::Ordinary, 2, DSI_TAG_PKTABLE_NAME},
    {DSI_SPECIAL_COLUMNS_METADATA, FilterKind::Ordinary, 1, DSI_TAG_TABLE_CAT},
    {DSI_SPECIAL_COLUMNS_METADATA, FilterKind::Ordinary, 2, DSI_TAG_TABLE_SCHEM},
    {DSI_SPECIAL_COLUMNS_METADATA, FilterKind::Ordinary, 3, DSI_TAG_TABLE_NAME},
    {DSI_SPECIAL_COLUMNS_METADATA, FilterKind::Scope, 4, DSI_TAG_SCOPE},
    {DSI_STATISTICS_METADATA, FilterKind::Ordinary, 0, DSI_TAG_TABLE_CAT},
    {DSI_STATISTICS_METADATA, FilterKind::Ordinary, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_STATISTICS_METADATA, FilterKind::Ordinary, 2, DSI_TAG_TABLE_NAME},
    {DSI_PROCEDURES_METADATA, FilterKind::Ordinary, 0, DSI_TAG_TABLE_CAT},
    {DSI_PROCEDURES_METADATA, FilterKind::Pattern, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_PROCEDURES_METADATA, FilterKind::Pattern, 2, DSI_TAG_PROCEDURE_NAME},
    {DSI_PROCEDURE_COLUMNS_METADATA, FilterKind::Ordinary, 0, DSI_TAG_TABLE_CAT},
    {DSI_PROCEDURE_COLUMNS_METADATA, FilterKind::Pattern, 1, DSI_TAG_TABLE_SCHEM},
    {DSI_PROCEDURE_COLUMNS_METADATA, FilterKind::Pattern, 2, DSI_TAG_PROCEDURE_NAME},
    {DSI_PROCEDURE_COLUMNS_METADATA, FilterKind::Pattern, 3, DSI_TAG_COLUMN_NAME},
    {DSI_TYPE_INFO_METADATA, FilterKind::DataType, 0, DSI_TAG_DATA_TYPE},
    {DSI_CATALOG_SCHEMA_ONLY_METADATA, FilterKind::Pattern, 0, DSI_TAG_TABLE_CAT},
    {DSI_CATALOG_SCHEMA_ONLY_METADATA, FilterKind::Pattern, 1, DSI_TAG_TABLE_SCHEM},
};

struct FilterContext
{
    const std::vector<Variant>& m_restrictions;
    const orvik_wstring& m_escape;
    const orvik_wstring& m_quote;
    bool m_isMetadataId;
    bool m_isOdbc3;
};

// Name filters compare wide text: their holders are SQL_WVARCHAR.
constexpr bool WIDE = true;

std::unique_ptr<IMetadataFilter> MakeNameFilter(const FilterRow& in_row, const FilterContext& in_context)
{
    const Variant& argument = DSIMetadataFilterFactory::GetArgument(in_context.m_restrictions, in_row.m_argument);
    const orvik_wstring& text = argument.GetWString();
    if (in_context.m_isMetadataId)
    {
        return std::make_unique<IDMetadataFilter>(text, in_context.m_quote, in_row.m_tag, WIDE);
    }
    const bool isPattern = in_row.m_kind == FilterKind::Pattern ||
                           (in_row.m_kind == FilterKind::CatalogByVersion && in_context.m_isOdbc3);
    if (isPattern)
    {
        return std::make_unique<PVMetadataFilter>(text, in_context.m_escape, in_row.m_tag, WIDE);
    }
    return std::make_unique<OAMetadataFilter>(text, in_row.m_tag, WIDE);
}

std::unique_ptr<IMetadataFilter> MakeFilter(const FilterRow& in_row, const FilterContext& in_context)
{
    const Variant& argument = DSIMetadataFilterFactory::GetArgument(in_context.m_restrictions, in_row.m_argument);
    switch (in_row.m_kind)
    {
        case FilterKind::ValueList:
            return std::make_unique<VLMetadataFilter>(argument.GetWString(), in_context.m_quote, in_row.m_tag, WIDE);
        case FilterKind::Scope:
            return std::make_unique<SmallIntMetadataFilter>(in_row.m_tag, argument.GetInt16());
        case FilterKind::DataType:
        {
            const int16_t dataType = argument.GetInt16();
            return dataType == 0 ? nullptr : std::make_unique<SmallIntMetadataFilter>(in_row.m_tag, dataType);
        }
        default:
            return MakeNameFilter(in_row, in_context);
    }
}

} // namespace

const Variant& DSIMetadataFilterFactory::GetArgument(const std::vector<Variant>& in_restrictions, size_t in_index)
{
    static const Variant s_null;
    return in_index < in_restrictions.size() ? in_restrictions[in_index] : s_null;
}

void DSIMetadataFilterFactory::MakeNewMetadataFilters(const std::vector<Variant>& in_restrictions,
                                                      uint32_t in_tableId,
                                                      const orvik_wstring& in_escape,
                                                      const orvik_wstring& in_quote,
                                                      bool in_isMetadataId,
                                                      bool in_isOdbc3,
                                                      std::vector<std::unique_ptr<IMetadataFilter>>& io_filters)
{
    if (in_tableId > DSI_LAST_METADATA_TABLE_ID)
    {
        throw DSIException(u"InvalidMetadataTableID", {Support::NumberConverter::ConvertUInt32ToWString(in_tableId)});
    }
    const FilterContext context{in_restrictions, in_escape, in_quote, in_isMetadataId, in_isOdbc3};
    for (const FilterRow& row : FILTER_ROWS)
    {
        if (row.m_tableId != in_tableId)
        {
            continue;
        }
        std::unique_ptr<IMetadataFilter> filter = MakeFilter(row, context);
        if (filter != nullptr)
        {
            io_filters.push_back(std::move(filter));
        }
    }
}

} // namespace DSI
} // namespace Orvik
