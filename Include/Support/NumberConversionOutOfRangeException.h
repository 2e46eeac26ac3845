#pragma once

#include "Support/NumberConversionException.h"

namespace Orvik {
namespace Support {

/// A number outside the range of its target type.
class NumberConversionOutOfRangeException : public NumberConversionException
{
public:
    /// The general error (HY000) of component 3 with in_messageKey, without parameters.
    explicit NumberConversionOutOfRangeException(const orvik_wstring& in_messageKey);

    /// The same with parameters.
    NumberConversionOutOfRangeException(const orvik_wstring& in_messageKey,
                                        std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik
