#pragma once

#include "Support/BadTypeMetadataException.h"

namespace Orvik {
namespace Support {

/// A scale below 0.
class BadScaleException : public BadTypeMetadataException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    BadScaleException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);

    /// The same without parameters.
    explicit BadScaleException(const SupportError& in_error);
};

} // namespace Support
} // namespace Orvik
