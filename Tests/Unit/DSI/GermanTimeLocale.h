#pragma once

#include <string>

namespace Orvik {
namespace Testing {

/// While it lives, LC_TIME is German (de_DE.UTF-8), whose month names differ from the English
/// ones, as a host application may set it. When the locale is not installed it is built once
/// per process with localedef into a temporary directory.
class GermanTimeLocale
{
public:
    GermanTimeLocale();
    ~GermanTimeLocale();

    GermanTimeLocale(const GermanTimeLocale&) = delete;
    GermanTimeLocale& operator=(const GermanTimeLocale&) = delete;

    /// Empty when the locale is in force; otherwise why it could not be set.
    const std::string& GetProblem() const { return m_problem; }

private:
    std::string m_problem;
};

} // namespace Testing
} // namespace Orvik
