#pragma once

#include "DSI/Client/DSIColumn.h"

#include <cstdint>

namespace Orvik {
namespace DSI {

/// Where a catalog column's value comes from.
enum DSIMetadataColumnKind : int32_t
{
    DSI_COLUMN_FROM_SOURCE = 200,  ///< the catalog source answers it under the column's tag
    DSI_COLUMN_ALWAYS_NULL = 201   ///< a derived column that is always NULL
};

/// A column of a catalog result: a DSIColumn with the tag under which the catalog source
/// answers its value, and its kind (any value other than the two above marks a derived column
/// that the catalog result produces itself).
class DSIMetadataColumn : public DSIColumn
{
public:
    DSIMetadataColumn(std::unique_ptr<Support::SqlTypeMetadata>&& io_metadata,
                      std::unique_ptr<DSIColumnMetadata>&& io_columnMetadata,
                      int32_t in_tag,
                      int32_t in_kind)
        : DSIColumn(std::move(io_metadata), std::move(io_columnMetadata)),
          m_tag(in_tag),
          m_kind(in_kind)
    {
    }

    /// The catalog column tag, the source's position for the value.
    int32_t GetTag() const { return m_tag; }

    int32_t GetKind() const { return m_kind; }

private:
    const int32_t m_tag;
    const int32_t m_kind;
};

} // namespace DSI
} // namespace Orvik
