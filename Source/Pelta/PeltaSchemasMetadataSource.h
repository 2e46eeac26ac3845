#pragma once

#include "Pelta/PeltaQueryMetadataSource.h"

namespace Pelta {

/// SQLTables for the schemas: the schema names of information_schema.schemata.
class PeltaSchemasMetadataSource : public PeltaQueryMetadataSource
{
public:
    /// Runs the query; the restrictions are not used.
    PeltaSchemasMetadataSource(Orvik::DSI::DSIStatement* in_statement, const Orvik::DSI::DSIMetadataRestrictions& in_restrictions);

    /// TABLE_SCHEM (tag 1) and REMARKS (tag 4, NULL); any other tag raises BadColumnException
    /// "InvalidColumnNum".
    bool GetMetadata(int32_t in_tag, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;
};

} // namespace Pelta
