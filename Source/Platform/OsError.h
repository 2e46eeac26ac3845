#pragma once

#include <string>

namespace Orvik {
namespace OS {

/// The system's text for an errno value, on one line; "<unknown>" when the system has none.
std::string GetErrorText(int in_error);

} // namespace OS
} // namespace Orvik
