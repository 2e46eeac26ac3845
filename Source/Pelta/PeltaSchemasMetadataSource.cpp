#include "Pelta/PeltaSchemasMetadataSource.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "Pelta/PeltaCatalogValue.h"

namespace Pelta {

namespace {

constexpr char QUERY[] = "select * from information_schema.schemata";
constexpr uint16_t SCHEMA_NAME_COLUMN = 0;

} // namespace

PeltaSchemasMetadataSource::PeltaSchemasMetadataSource(Orvik::DSI::DSIStatement* in_statement,
                                                       const Orvik::DSI::DSIMetadataRestrictions& in_restrictions)
    : PeltaQueryMetadataSource(in_statement, in_restrictions)
{
    ExecuteQuery(QUERY);
}

bool PeltaSchemasMetadataSource::GetMetadata(int32_t in_tag,
                                             Orvik::Support::SqlData& io_target,
                                             int64_t in_offset,
                                             int64_t in_maxLength)
{
    switch (in_tag)
    {
    case Orvik::DSI::DSI_TAG_TABLE_SCHEM: return ReadColumn(SCHEMA_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case Orvik::DSI::DSI_TAG_REMARKS: return PeltaCatalogValue::WriteNull(io_target);
    default: PeltaCatalogValue::ThrowBadTag(in_tag);
    }
}

} // namespace Pelta
