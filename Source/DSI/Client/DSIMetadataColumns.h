#pragma once

#include "DSI/Client/IColumns.h"

#include <memory>
#include <vector>

namespace Orvik {
namespace DSI {

class DSIColumn;
class DSIMetadataColumn;

/// The columns of a catalog result: its standard columns, then the extra columns that its source
/// adds. Both vectors belong to the catalog result, which outlives the list.
class DSIMetadataColumns : public IColumns
{
public:
    DSIMetadataColumns(const std::vector<std::unique_ptr<DSIMetadataColumn>>& in_standardColumns,
                       const std::vector<std::unique_ptr<DSIColumn>>& in_extraColumns)
        : m_standardColumns(in_standardColumns),
          m_extraColumns(in_extraColumns)
    {
    }

    DSIMetadataColumns(const DSIMetadataColumns&) = delete;
    DSIMetadataColumns& operator=(const DSIMetadataColumns&) = delete;

    /// Standard columns first, then the extra ones.
    IColumn* GetColumn(uint16_t in_index) const override;

    /// The standard and extra columns together.
    uint16_t GetCount() const override;

    /// When the log traces, the entry, then the standard and the extra columns in order.
    void LogColumns(ILogger& in_log) const override;

private:
    const std::vector<std::unique_ptr<DSIMetadataColumn>>& m_standardColumns;
    const std::vector<std::unique_ptr<DSIColumn>>& m_extraColumns;
};

} // namespace DSI
} // namespace Orvik
