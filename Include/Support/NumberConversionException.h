#pragma once

#include "Support/ProductException.h"

namespace Orvik {
namespace Support {

/// The base of the failures to turn numbers into text and back.
class NumberConversionException : public ProductException
{
public:
    /// The general error (HY000) of component 3 with in_messageKey, without parameters.
    explicit NumberConversionException(const orvik_wstring& in_messageKey);

    /// The same with parameters.
    NumberConversionException(const orvik_wstring& in_messageKey, std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik
