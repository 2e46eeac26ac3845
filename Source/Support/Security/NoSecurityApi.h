#pragma once

namespace Orvik {
namespace Support {

/// Raises the support error "NoSecurityAPI": this platform has no security interface through
/// which credentials could be acquired or tokens exchanged.
[[noreturn]] void ThrowNoSecurityApi();

} // namespace Support
} // namespace Orvik
