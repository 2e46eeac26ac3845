#include "DSI/Client/DSIColumnMetadata.h"

#include <utility>

namespace Orvik {
namespace DSI {

DSIColumnMetadata::DSIColumnMetadata(Support::SharedPtr<Collation> in_collation)
    : m_collation(in_collation ? std::move(in_collation) : Collation::GetDefault())
{
}

} // namespace DSI
} // namespace Orvik
