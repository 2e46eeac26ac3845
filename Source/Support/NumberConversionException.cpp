#include "Support/NumberConversionException.h"

#include <utility>

namespace Orvik {
namespace Support {

NumberConversionException::NumberConversionException(const orvik_wstring& in_messageKey)
    : ProductException(in_messageKey)
{
}

NumberConversionException::NumberConversionException(const orvik_wstring& in_messageKey,
                                                     std::vector<orvik_wstring> in_parameters)
    : ProductException(in_messageKey, std::move(in_parameters))
{
}

} // namespace Support
} // namespace Orvik
