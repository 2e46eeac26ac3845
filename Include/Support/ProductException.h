#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace Support {

/// A failure of a platform service, such as a registry key or a file that cannot be used.
class ProductException : public ErrorException
{
public:
    /// The general error (HY000) of component 3 with in_messageKey, without parameters.
    explicit ProductException(const orvik_wstring& in_messageKey);

    /// The same with parameters.
    ProductException(const orvik_wstring& in_messageKey, std::vector<orvik_wstring> in_parameters);
};

} // namespace Support
} // namespace Orvik
