#include "Support/NumberConversionInvalidDataException.h"

#include <utility>

namespace Orvik {
namespace Support {

NumberConversionInvalidDataException::NumberConversionInvalidDataException(const orvik_wstring& in_messageKey)
    : NumberConversionException(in_messageKey)
{
}

NumberConversionInvalidDataException::NumberConversionInvalidDataException(
    const orvik_wstring& in_messageKey,
    std::vector<orvik_wstring> in_parameters)
    : NumberConversionException(in_messageKey, std::move(in_parameters))
{
}

} // namespace Support
} // namespace Orvik
