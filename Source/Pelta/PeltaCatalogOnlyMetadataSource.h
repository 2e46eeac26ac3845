#pragma once

#include "DSI/Client/DSIMetadataSource.h"

namespace Pelta {

/// SQLTables for the catalogs: one row, "Pelta", with no query; the server has no catalogs.
class PeltaCatalogOnlyMetadataSource : public Orvik::DSI::DSIMetadataSource
{
public:
    explicit PeltaCatalogOnlyMetadataSource(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions);

    /// The row can be delivered again.
    void CloseCursor() override;

    /// TABLE_CAT (tag 0) only; any other tag raises BadColumnException "InvalidColumnNum".
    bool GetMetadata(int32_t in_tag, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    /// True the first time, false afterwards; any direction but next raises
    /// "PeltaResultSetTraverseDirNotSupported".
    bool Move(int32_t in_direction, int64_t in_offset) override;

private:
    bool m_isDelivered = false;
};

} // namespace Pelta
