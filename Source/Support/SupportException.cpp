#include "Support/SupportException.h"

#include <utility>

namespace Orvik {
namespace Support {

SupportException::SupportException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_error.GetDiagState(),
                     SUPPORT_COMPONENT_ID,
                     in_error.GetMessageKey(),
                     std::move(in_parameters),
                     in_error.GetRowNumber(),
                     in_error.GetColumnNumber())
{
}

SupportException::SupportException(const SupportError& in_error)
    : ErrorException(in_error.GetDiagState(),
                     SUPPORT_COMPONENT_ID,
                     in_error.GetMessageKey(),
                     in_error.GetRowNumber(),
                     in_error.GetColumnNumber())
{
}

} // namespace Support
} // namespace Orvik
