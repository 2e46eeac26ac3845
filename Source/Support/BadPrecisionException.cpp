#include "Support/BadPrecisionException.h"

#include <utility>

namespace Orvik {
namespace Support {

BadPrecisionException::BadPrecisionException(const SupportError& in_error,
                                             std::vector<orvik_wstring> in_parameters)
    : BadTypeMetadataException(in_error, std::move(in_parameters))
{
}

BadPrecisionException::BadPrecisionException(const SupportError& in_error)
    : BadTypeMetadataException(in_error)
{
}

} // namespace Support
} // namespace Orvik
