#pragma once

#include "Support/ErrorException.h"
#include "Support/SupportError.h"

namespace Orvik {
namespace Support {

/// A caller passed a value that the operation cannot take.
class InvalidArgumentException : public ErrorException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    InvalidArgumentException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);

    /// The given state and component with the error's key, row and column, and parameters.
    InvalidArgumentException(DiagState in_diagState,
                             int32_t in_componentId,
                             const SupportError& in_error,
                             std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik

/// Throws InvalidArgumentException (support error "InvalidArgument") naming the calling function, file and
/// line.
#define ORVIK_THROW_INVALID_ARGUMENT()                                                       \
    throw ::Orvik::Support::InvalidArgumentException(                                        \
        ::Orvik::Support::SupportError(::Orvik::Support::SupportErrorCode::InvalidArgument), \
        ::Orvik::Support::ErrorException::MakeCallerParameters(__func__, __FILE__, __LINE__))
