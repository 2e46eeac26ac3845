#pragma once

#include "Support/ProductException.h"

namespace Orvik {
namespace Support {

/// An illegal encoding setting found while the driver starts.
class StartupInitException : public ProductException
{
public:
    /// The general error (HY000) of component 3 with in_messageKey, without parameters.
    explicit StartupInitException(const orvik_wstring& in_messageKey);
};

} // namespace Support
} // namespace Orvik
