#pragma once

#include "Support/NumberConversionException.h"

namespace Orvik {
namespace Support {

/// Text that is not a number, or a number whose text does not fit its buffer.
class NumberConversionInvalidDataException : public NumberConversionException
{
public:
    /// The general error (HY000) of component 3 with in_messageKey, without parameters.
    explicit NumberConversionInvalidDataException(const orvik_wstring& in_messageKey);

    /// The same with parameters.
    NumberConversionInvalidDataException(const orvik_wstring& in_messageKey,
                                         std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik
