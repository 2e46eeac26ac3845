#include "DSI/Client/DSIEmptyMetadataSource.h"

#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace DSI {

void DSIEmptyMetadataSource::CloseCursor()
{
}

bool DSIEmptyMetadataSource::GetMetadata(int32_t, Support::SqlData& io_target, int64_t, int64_t)
{
    io_target.SetNull(true);
    return false;
}

bool DSIEmptyMetadataSource::Move(int32_t, int64_t)
{
    return false;
}

} // namespace DSI
} // namespace Orvik
