#pragma once

#include "Support/ErrorException.h"
#include "Support/SupportError.h"

namespace Orvik {
namespace Support {

/// An operation that the object's state or type does not allow.
class InvalidOperationException : public ErrorException
{
public:
    /// The error's state, key, row and column; component 3; with parameters.
    InvalidOperationException(const SupportError& in_error, std::vector<orvik_wstring> in_parameters);

    /// The given state and component with the error's key, row and column, and parameters.
    InvalidOperationException(DiagState in_diagState,
                              int32_t in_componentId,
                              const SupportError& in_error,
                              std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik

/// Throws InvalidOperationException (support error "InvalidOperation") naming the calling function, file and
/// line.
#define ORVIK_THROW_INVALID_OPERATION()                                                       \
    throw ::Orvik::Support::InvalidOperationException(                                        \
        ::Orvik::Support::SupportError(::Orvik::Support::SupportErrorCode::InvalidOperation), \
        ::Orvik::Support::ErrorException::MakeCallerParameters(__func__, __FILE__, __LINE__))
