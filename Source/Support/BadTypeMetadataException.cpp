#include "Support/BadTypeMetadataException.h"

#include <utility>

namespace Orvik {
namespace Support {

BadTypeMetadataException::BadTypeMetadataException(const SupportError& in_error,
                                                   std::vector<orvik_wstring> in_parameters)
    : SupportException(in_error, std::move(in_parameters))
{
}

BadTypeMetadataException::BadTypeMetadataException(const SupportError& in_error) : SupportException(in_error)
{
}

} // namespace Support
} // namespace Orvik
