#include "Pelta/PeltaCatalogOnlyMetadataSource.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Client/IResult.h"
#include "Pelta/PeltaCatalogValue.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaError.h"

namespace Pelta {

PeltaCatalogOnlyMetadataSource::PeltaCatalogOnlyMetadataSource(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions)
    : DSIMetadataSource(in_restrictions)
{
}

void PeltaCatalogOnlyMetadataSource::CloseCursor()
{
    m_isDelivered = false;
}

bool PeltaCatalogOnlyMetadataSource::GetMetadata(int32_t in_tag,
                                                 Orvik::Support::SqlData& io_target,
                                                 int64_t in_offset,
                                                 int64_t in_maxLength)
{
    if (in_tag != Orvik::DSI::DSI_TAG_TABLE_CAT)
    {
        PeltaCatalogValue::ThrowBadTag(in_tag);
    }
    return PeltaCatalogValue::WriteText(PELTA_NAME, io_target, in_offset, in_maxLength);
}

bool PeltaCatalogOnlyMetadataSource::Move(int32_t in_direction, int64_t /* in_offset */)
{
    if (in_direction != Orvik::DSI::DSI_DIR_NEXT)
    {
        throw PeltaError("PeltaResultSetTraverseDirNotSupported");
    }
    const bool isRow = !m_isDelivered;
    m_isDelivered = true;
    return isRow;
}

} // namespace Pelta
