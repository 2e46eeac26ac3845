#pragma once

#include "Pelta/PeltaQueryMetadataSource.h"

namespace Pelta {

/// SQLTables: the tables of information_schema.tables, narrowed by the table and schema
/// restrictions. Tables of the schemas "sys" and "information_schema" are system tables.
class PeltaTablesMetadataSource : public PeltaQueryMetadataSource
{
public:
    /// Runs the query.
    PeltaTablesMetadataSource(Orvik::DSI::DSIStatement* in_statement, const Orvik::DSI::DSIMetadataRestrictions& in_restrictions);

    /// TABLE_CAT, TABLE_SCHEM, TABLE_NAME, TABLE_TYPE and REMARKS (NULL); any other tag raises
    /// BadColumnException "InvalidColumnNum". The table type is decided on the whole schema
    /// name and written with the caller's offset and limit.
    bool GetMetadata(int32_t in_tag, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;
};

} // namespace Pelta
