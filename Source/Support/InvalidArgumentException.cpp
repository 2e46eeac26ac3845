#include "Support/InvalidArgumentException.h"

#include <utility>

namespace Orvik {
namespace Support {

InvalidArgumentException::InvalidArgumentException(const SupportError& in_error,
                                                   std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_error.GetDiagState(),
                     SUPPORT_COMPONENT_ID,
                     in_error.GetMessageKey(),
                     std::move(in_parameters),
                     in_error.GetRowNumber(),
                     in_error.GetColumnNumber())
{
}

InvalidArgumentException::InvalidArgumentException(DiagState in_diagState,
                                                   int32_t in_componentId,
                                                   const SupportError& in_error,
                                                   std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_diagState,
                     in_componentId,
                     in_error.GetMessageKey(),
                     std::move(in_parameters),
                     in_error.GetRowNumber(),
                     in_error.GetColumnNumber())
{
}

} // namespace Support
} // namespace Orvik
