#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <vector>

namespace Orvik {
namespace DSI {

/// A catalog source of one column, tagged 3, whose rows are fixed texts in order; the back end
/// lists its table types with it.
class DSIListMetadataSource : public DSIMetadataSource
{
public:
    /// The column's tag.
    static constexpr int32_t VALUE_TAG = 3;

    /// Keeps copies of the restrictions and of the values.
    DSIListMetadataSource(const DSIMetadataRestrictions& in_restrictions,
                          const std::vector<Support::orvik_wstring>& in_values);

    /// Goes back to before the first value.
    void CloseCursor() override;

    /// Writes the current value in pieces (DSITypeUtilities::OutputStringData). Any tag but
    /// VALUE_TAG throws BadColumnException "InvalidColumnNum" with the tag; a call without a
    /// current value throws InvalidOperationException.
    bool GetMetadata(int32_t in_tag, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    /// DSI_DIR_NEXT only: the first value, then each next one; false past the last, where the
    /// source stays. Any other direction throws DSIException "ResultSetTraverseDirNotSupported"
    /// with the direction.
    bool Move(int32_t in_direction, int64_t in_offset) override;

private:
    bool m_isStarted = false;
    std::vector<Support::orvik_wstring> m_values;
    size_t m_current = 0;
};

} // namespace DSI
} // namespace Orvik
