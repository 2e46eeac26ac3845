#include "Support/BadScaleException.h"

#include <utility>

namespace Orvik {
namespace Support {

BadScaleException::BadScaleException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters)
    : BadTypeMetadataException(in_error, std::move(in_parameters))
{
}

BadScaleException::BadScaleException(const SupportError& in_error) : BadTypeMetadataException(in_error)
{
}

} // namespace Support
} // namespace Orvik
