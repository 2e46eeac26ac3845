#pragma once

#include "Pelta/PeltaQueryMetadataSource.h"

#include <cstdint>

namespace Pelta {

/// SQLColumns: the columns of information_schema.columns, read by position (schema, table,
/// column, ordinal position, data type text), narrowed by the table and schema restrictions.
/// Every type attribute is derived from the data type text through the server's type ids.
class PeltaColumnsMetadataSource : public PeltaQueryMetadataSource
{
public:
    /// Runs the query; in_maxColumnSize is the connection's, read when rows are read.
    PeltaColumnsMetadataSource(Orvik::DSI::DSIStatement* in_statement,
                               const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                               const uint32_t& in_maxColumnSize,
                               bool in_isODBC3);

    /// The value of the column tagged in_tag for the current row, written by the type of
    /// io_target; any tag the source does not answer raises BadColumnException
    /// "InvalidColumnNum". Raises "PeltaColumnOutOfBounds" when the server's table has fewer
    /// than five columns.
    bool GetMetadata(int32_t in_tag, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

private:
    bool WriteTypeAttribute(int32_t in_tag, uint32_t in_typeId, int16_t in_sqlType, Orvik::Support::SqlData& io_target,
                            int64_t in_offset, int64_t in_maxLength);

    const uint32_t& m_maxColumnSize;
    const bool m_isODBC3;
};

} // namespace Pelta
