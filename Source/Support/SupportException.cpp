#include "Support/SupportException.h"

#include <utility>

namespace Orvik {
namespace Support {

SupportException::SupportException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_error, in_error.GetDiagState(), SUPPORT_COMPONENT_ID, std::move(in_parameters))
{
}

SupportException::SupportException(const SupportError& in_error) : ErrorException(in_error)
{
}

} // namespace Support
} // namespace Orvik
