#pragma once

#include "Support/SupportException.h"

namespace Orvik {
namespace Support {

/// The base of the errors of invalid type metadata.
class BadTypeMetadataException : public SupportException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    BadTypeMetadataException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);

    /// The same without parameters.
    explicit BadTypeMetadataException(const SupportError& in_error);
};

} // namespace Support
} // namespace Orvik
