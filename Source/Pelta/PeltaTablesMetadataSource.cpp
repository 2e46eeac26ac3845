#include "Pelta/PeltaTablesMetadataSource.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "Pelta/PeltaCatalogQuery.h"
#include "Pelta/PeltaCatalogValue.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaResultSet.h"

namespace Pelta {

namespace {

constexpr char QUERY[] = "select table_name, schema_name from information_schema.tables";
constexpr uint16_t TABLE_NAME_COLUMN = 0;
constexpr uint16_t SCHEMA_NAME_COLUMN = 1;

// The schemas whose tables are the server's own; compared whole and with case.
constexpr const char* SYSTEM_SCHEMAS[] = {"sys", "information_schema"};

bool IsSystemSchema(const std::string& in_schema)
{
    for (const char* schema : SYSTEM_SCHEMAS)
    {
        if (in_schema == schema)
        {
            return true;
        }
    }
    return false;
}

} // namespace

PeltaTablesMetadataSource::PeltaTablesMetadataSource(Orvik::DSI::DSIStatement* in_statement,
                                                     const Orvik::DSI::DSIMetadataRestrictions& in_restrictions)
    : PeltaQueryMetadataSource(in_statement, in_restrictions)
{
    ExecuteQuery(PeltaCatalogQuery::WithRestrictions(QUERY, in_restrictions));
}

bool PeltaTablesMetadataSource::GetMetadata(int32_t in_tag,
                                            Orvik::Support::SqlData& io_target,
                                            int64_t in_offset,
                                            int64_t in_maxLength)
{
    using namespace Orvik::DSI;
    switch (in_tag)
    {
    case DSI_TAG_TABLE_CAT: return PeltaCatalogValue::WriteText(PELTA_NAME, io_target, in_offset, in_maxLength);
    case DSI_TAG_TABLE_SCHEM: return ReadColumn(SCHEMA_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_TABLE_NAME: return ReadColumn(TABLE_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_TABLE_TYPE:
    {
        const char* type = IsSystemSchema(GetResult().GetColumnText(SCHEMA_NAME_COLUMN)) ? "SYSTEM TABLE" : "TABLE";
        return PeltaCatalogValue::WriteText(type, io_target, in_offset, in_maxLength);
    }
    case DSI_TAG_REMARKS: return PeltaCatalogValue::WriteNull(io_target);
    default: PeltaCatalogValue::ThrowBadTag(in_tag);
    }
}

} // namespace Pelta
