#include "Support/NumberConversionOutOfRangeException.h"

#include <utility>

namespace Orvik {
namespace Support {

NumberConversionOutOfRangeException::NumberConversionOutOfRangeException(const orvik_wstring& in_messageKey)
    : NumberConversionException(in_messageKey)
{
}

NumberConversionOutOfRangeException::NumberConversionOutOfRangeException(
    const orvik_wstring& in_messageKey,
    std::vector<orvik_wstring> in_parameters)
    : NumberConversionException(in_messageKey, std::move(in_parameters))
{
}

} // namespace Support
} // namespace Orvik
