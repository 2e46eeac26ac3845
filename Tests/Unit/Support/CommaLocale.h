#pragma once

#include <string>

namespace Orvik {
namespace Testing {

/// While it lives, LC_NUMERIC is a locale whose decimal point is a comma, as a host
/// application may set it. When no such locale is installed, one is built once per process
/// with localedef into a temporary directory.
class CommaLocale
{
public:
    CommaLocale();
    ~CommaLocale();

    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    /// Empty when the locale is in force; otherwise why it could not be set.
    const std::string& GetProblem() const { return m_problem; }

private:
    std::string m_problem;
};

} // namespace Testing
} // namespace Orvik
