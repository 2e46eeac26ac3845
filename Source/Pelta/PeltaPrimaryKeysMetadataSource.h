#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace DSI {
class ILogger;
}
} // namespace Orvik

namespace Pelta {

class PeltaAPI;
class PeltaResultSet;

/// SQLPrimaryKeys: the keys of information_schema.table_constraints, whose constraint_name is
/// the array of the key's columns in key order; each column is a row of its own, numbered from
/// 1 in KEY_SEQ. The query goes straight to the server, without a column probe.
class PeltaPrimaryKeysMetadataSource : public Orvik::DSI::DSIMetadataSource
{
public:
    /// Runs the query narrowed by the table and schema restrictions.
    PeltaPrimaryKeysMetadataSource(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                   Orvik::DSI::ILogger& in_log,
                                   const uint32_t& in_maxColumnSize,
                                   PeltaAPI& in_api,
                                   bool in_isODBC3);
    ~PeltaPrimaryKeysMetadataSource() override;

    void CloseCursor() override;

    /// TABLE_CAT, TABLE_SCHEM, TABLE_NAME, COLUMN_NAME, PK_NAME (the column's name again) and
    /// KEY_SEQ; any other tag raises BadColumnException "InvalidColumnNum".
    bool GetMetadata(int32_t in_tag, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    bool Move(int32_t in_direction, int64_t in_offset) override;

private:
    std::unique_ptr<PeltaResultSet> m_result;
    Orvik::DSI::ILogger& m_log;
};

} // namespace Pelta
