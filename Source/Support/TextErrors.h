#pragma once

namespace Orvik {
namespace Support {

/// Throws the support library's text error in_messageKey: an ErrorException of the general error
/// (HY000) from the support component, without parameters, row or column.
[[noreturn]] void RaiseTextError(const char16_t* in_messageKey);

} // namespace Support
} // namespace Orvik
