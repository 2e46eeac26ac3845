#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataFilterFactory.h"
#include "DSI/Catalog/DSIMetadataTableId.h"
#include "DSI/Catalog/IDMetadataFilter.h"
#include "DSI/Catalog/OAMetadataFilter.h"
#include "DSI/Catalog/PVMetadataFilter.h"
#include "DSI/Catalog/SmallIntMetadataFilter.h"
#include "DSI/Catalog/VLMetadataFilter.h"
#include "DSI/DSIException.h"
#include "Support/NumberConverter.h"
#include "Support/Variant.h"

namespace Orvik {
namespace DSI {

using Support::NumberConverter;
using Support::Variant;
using Support::orvik_wstring;

namespace {

template <class Filter>
const Filter& Checked(const Filter* in_filter)
{
    if (in_filter == nullptr)
    {
        throw DSIException(u"InvalidFilterInMetadataRestrictionGenerator");
    }
    return *in_filter;
}

} // namespace

DSIMetadataRestrictionGenerator::DSIMetadataRestrictionGenerator(DSIMetadataRestrictions& io_restrictions,
                                                                 bool in_isCatalogFilteringEnabled)
    : m_restrictions(io_restrictions),
      m_isCatalogFilteringEnabled(in_isCatalogFilteringEnabled)
{
}

void DSIMetadataRestrictionGenerator::GenerateRestrictions(
    uint32_t in_tableId,
    const std::vector<Variant>& in_restrictions,
    const std::vector<std::unique_ptr<IMetadataFilter>>& in_filters)
{
    for (const std::unique_ptr<IMetadataFilter>& filter : in_filters)
    {
        Checked(filter.get()).Accept(*this);
    }
    switch (in_tableId)
    {
        case DSI_STATISTICS_METADATA:
            PutOption(DSI_TAG_UNIQUE_OPTION, in_restrictions, 3);
            PutOption(DSI_TAG_RESERVED_OPTION, in_restrictions, 4);
            break;
        case DSI_SPECIAL_COLUMNS_METADATA:
            PutOption(DSI_TAG_IDENTIFIER_TYPE, in_restrictions, 0);
            PutOption(DSI_TAG_NULLABLE_OPTION, in_restrictions, 5);
            break;
        case DSI_SCHEMA_ONLY_METADATA:
            // The schema list gets no catalog filter, yet its source may still use the argument.
            Put(DSI_TAG_TABLE_CAT, DSIMetadataFilterFactory::GetArgument(in_restrictions, 0).GetWString());
            break;
        default:
            break;
    }
}

void DSIMetadataRestrictionGenerator::VisitIDFilter(const IDMetadataFilter* in_filter)
{
    const IDMetadataFilter& filter = Checked(in_filter);
    Put(filter.GetColumnTag(), filter.GetIdentifier());
}

void DSIMetadataRestrictionGenerator::VisitOAFilter(const OAMetadataFilter* in_filter)
{
    const OAMetadataFilter& filter = Checked(in_filter);
    Put(filter.GetColumnTag(), filter.GetArgument());
}

void DSIMetadataRestrictionGenerator::VisitPVFilter(const PVMetadataFilter* in_filter)
{
    const PVMetadataFilter& filter = Checked(in_filter);
    // A real pattern is matched by the result's own filter; the source then sees no restriction.
    if (!(m_isCatalogFilteringEnabled && filter.IsPattern()))
    {
        Put(filter.GetColumnTag(), filter.GetPattern());
    }
}

void DSIMetadataRestrictionGenerator::VisitSmallIntFilter(const SmallIntMetadataFilter* in_filter)
{
    const SmallIntMetadataFilter& filter = Checked(in_filter);
    m_restrictions[filter.GetColumnTag()] = NumberConverter::ConvertInt16ToWString(filter.GetValue());
}

void DSIMetadataRestrictionGenerator::VisitVLFilter(const VLMetadataFilter* in_filter)
{
    const VLMetadataFilter& filter = Checked(in_filter);
    if (!m_isCatalogFilteringEnabled)
    {
        Put(filter.GetColumnTag(), filter.GetList());
    }
}

void DSIMetadataRestrictionGenerator::Put(int32_t in_tag, const orvik_wstring& in_value)
{
    // A NULL argument restricts nothing.
    if (!in_value.IsNull())
    {
        m_restrictions[in_tag] = in_value;
    }
}

void DSIMetadataRestrictionGenerator::PutOption(int32_t in_tag,
                                                const std::vector<Variant>& in_restrictions,
                                                size_t in_index)
{
    const uint16_t option = DSIMetadataFilterFactory::GetArgument(in_restrictions, in_index).GetUInt16();
    m_restrictions[in_tag] = NumberConverter::ConvertUInt16ToWString(option);
}

} // namespace DSI
} // namespace Orvik
