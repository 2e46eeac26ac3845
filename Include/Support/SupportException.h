#pragma once

#include "Support/ErrorException.h"
#include "Support/SupportError.h"

namespace Orvik {
namespace Support {

/// A support error that has no more specific class: exact-numeric and type-lookup failures,
/// unsupported types, security errors and unknown conversion results.
class SupportException : public ErrorException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    SupportException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);

    /// The same without parameters.
    explicit SupportException(const SupportError& in_error);
};

} // namespace Support
} // namespace Orvik
