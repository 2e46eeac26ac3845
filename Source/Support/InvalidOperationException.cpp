#include "Support/InvalidOperationException.h"

#include <utility>

namespace Orvik {
namespace Support {

InvalidOperationException::InvalidOperationException(const SupportError& in_error,
                                                     std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_error, in_error.GetDiagState(), SUPPORT_COMPONENT_ID, std::move(in_parameters))
{
}

InvalidOperationException::InvalidOperationException(DiagState in_diagState,
                                                     int32_t in_componentId,
                                                     const SupportError& in_error,
                                                     std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_error, in_diagState, in_componentId, std::move(in_parameters))
{
}

} // namespace Support
} // namespace Orvik
