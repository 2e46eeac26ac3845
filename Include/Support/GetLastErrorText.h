#pragma once

#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

/// The system's text for the calling thread's last error (errno), on one line; "<unknown>" when
/// the system has none. Call it before anything else can change errno.
orvik_wstring GetLastErrorText();

} // namespace Support
} // namespace Orvik
