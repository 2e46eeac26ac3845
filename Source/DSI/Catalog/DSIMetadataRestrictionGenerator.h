#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {
class Variant;
}

namespace DSI {

class IDMetadataFilter;
class IMetadataFilter;
class OAMetadataFilter;
class PVMetadataFilter;
class SmallIntMetadataFilter;
class VLMetadataFilter;

/// Fills the restriction map that a back end's catalog source receives to narrow its own query:
/// each filter's argument under the filter's column tag, and the catalog-function arguments that
/// name no column. With catalog filtering on, the catalog result applies the filters itself, so
/// search patterns and value lists are left to it.
class DSIMetadataRestrictionGenerator
{
public:
    /// Fills io_restrictions (not owned).
    DSIMetadataRestrictionGenerator(DSIMetadataRestrictions& io_restrictions, bool in_isCatalogFilteringEnabled);

    DSIMetadataRestrictionGenerator(const DSIMetadataRestrictionGenerator&) = delete;
    DSIMetadataRestrictionGenerator& operator=(const DSIMetadataRestrictionGenerator&) = delete;

    /// Lets every filter contribute, in order (a later one replaces an entry of the same tag),
    /// then adds the option arguments of SQLStatistics and SQLSpecialColumns and the catalog
    /// argument of the schema list. A null filter throws DSIException
    /// "InvalidFilterInMetadataRestrictionGenerator"; an option that is no number throws what
    /// Variant::GetUInt16 throws.
    void GenerateRestrictions(uint32_t in_tableId,
                              const std::vector<Support::Variant>& in_restrictions,
                              const std::vector<std::unique_ptr<IMetadataFilter>>& in_filters);

    // One operation per filter class; a null filter throws as above.
    void VisitIDFilter(const IDMetadataFilter* in_filter);
    void VisitOAFilter(const OAMetadataFilter* in_filter);
    void VisitPVFilter(const PVMetadataFilter* in_filter);
    void VisitSmallIntFilter(const SmallIntMetadataFilter* in_filter);
    void VisitVLFilter(const VLMetadataFilter* in_filter);

private:
    void Put(int32_t in_tag, const Support::orvik_wstring& in_value);

    void PutOption(int32_t in_tag, const std::vector<Support::Variant>& in_restrictions, size_t in_index);

    DSIMetadataRestrictions& m_restrictions;
    const bool m_isCatalogFilteringEnabled;
};

} // namespace DSI
} // namespace Orvik
