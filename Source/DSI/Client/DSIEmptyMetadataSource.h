#pragma once

#include "DSI/Client/DSIMetadataSource.h"

namespace Orvik {
namespace DSI {

/// A catalog source without rows, for catalog functions that a back end does not answer.
class DSIEmptyMetadataSource : public DSIMetadataSource
{
public:
    using DSIMetadataSource::DSIMetadataSource;

    void CloseCursor() override;

    /// Makes the target NULL; returns false.
    bool GetMetadata(int32_t in_tag, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    /// False: there is no row.
    bool Move(int32_t in_direction, int64_t in_offset) override;
};

} // namespace DSI
} // namespace Orvik
