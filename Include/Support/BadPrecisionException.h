#pragma once

#include "Support/BadTypeMetadataException.h"

namespace Orvik {
namespace Support {

/// A precision below 0 or above the type's maximum.
class BadPrecisionException : public BadTypeMetadataException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    BadPrecisionException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);

    /// The same without parameters.
    explicit BadPrecisionException(const SupportError& in_error);
};

} // namespace Support
} // namespace Orvik
