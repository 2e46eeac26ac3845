#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace DSI {

/// One column of a catalog result set: its catalog column tag and where its value comes from
/// (DSIMetadataColumnKind).
struct DSIMetadataColumnLayoutEntry
{
    int32_t m_tag;
    int32_t m_kind;
};

/// The ordered columns of one catalog result set, in the ODBC or the OLE DB schema-rowset
/// convention.
class DSIMetadataColumnLayout
{
public:
    /// The layout of table in_tableId (DSIMetadataTableId) for the convention in_isOleDb. The
    /// special-columns and statistics tables have their ODBC layout only. An id above 14 throws
    /// DSIException "InvalidMetadataTableID" with the id.
    static DSIMetadataColumnLayout Get(uint32_t in_tableId, bool in_isOleDb);

    const DSIMetadataColumnLayoutEntry* begin() const { return m_entries; }
    const DSIMetadataColumnLayoutEntry* end() const { return m_entries + m_count; }
    size_t GetCount() const { return m_count; }

    /// Whether the columns take their OLE DB names.
    bool HasOleDbNames() const { return m_hasOleDbNames; }

private:
    DSIMetadataColumnLayout(const DSIMetadataColumnLayoutEntry* in_entries, size_t in_count, bool in_hasOleDbNames)
        : m_entries(in_entries),
          m_count(in_count),
          m_hasOleDbNames(in_hasOleDbNames)
    {
    }

    const DSIMetadataColumnLayoutEntry* m_entries;
    size_t m_count;
    bool m_hasOleDbNames;
};

} // namespace DSI
} // namespace Orvik
