#pragma once

#include "Support/SupportException.h"

namespace Orvik {
namespace Support {

/// No converter exists for a pair of types.
class InvalidTypeConversionException : public SupportException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    InvalidTypeConversionException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik
