#include "Support/InvalidTypeConversionException.h"

#include <utility>

namespace Orvik {
namespace Support {

InvalidTypeConversionException::InvalidTypeConversionException(const SupportError& in_error,
                                                               std::vector<orvik_wstring> in_parameters)
    : SupportException(in_error, std::move(in_parameters))
{
}

} // namespace Support
} // namespace Orvik
