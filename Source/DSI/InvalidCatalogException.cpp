#include "DSI/InvalidCatalogException.h"

#include <utility>

namespace Orvik {
namespace DSI {

InvalidCatalogException::InvalidCatalogException(int32_t in_componentId,
                                                 const Support::orvik_wstring& in_messageKey,
                                                 std::vector<Support::orvik_wstring> in_parameters)
    : ErrorException(Support::DIAG_INVALID_CATALOG_NAME,
                     in_componentId,
                     in_messageKey,
                     std::move(in_parameters),
                     -1,
                     -1)
{
}

} // namespace DSI
} // namespace Orvik
