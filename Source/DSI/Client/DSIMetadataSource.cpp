#include "DSI/Client/DSIMetadataSource.h"

#include "DSI/DSIException.h"

namespace Orvik {
namespace DSI {

void DSIMetadataSource::AddExtraColumns(std::vector<std::unique_ptr<DSIColumn>>&)
{
}

bool DSIMetadataSource::GetExtraColumnData(uint16_t, Support::SqlData&, int64_t, int64_t)
{
    throw DSIException(u"FuncNotSupported");
}

void DSIMetadataSource::RegisterFilters(const std::vector<std::unique_ptr<IMetadataFilter>>&)
{
}

} // namespace DSI
} // namespace Orvik
