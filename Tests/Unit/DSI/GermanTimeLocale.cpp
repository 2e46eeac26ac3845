#include "GermanTimeLocale.h"

#include "Common/TemporaryDirectory.h"

#include <clocale>
#include <cstdlib>
#include <ctime>

namespace Orvik {
namespace Testing {

namespace {

const char* const LOCALE_NAME = "de_DE.UTF-8";

// True when LC_TIME is German: March is "Mär", not "Mar".
bool MonthNamesAreGerman()
{
    std::tm march{};
    march.tm_mon = 2;
    char name[16] = {};
    std::strftime(name, sizeof name, "%b", &march);
    return std::string(name) != "Mar";
}

bool SetGermanLocale(const std::string& in_localePath)
{
    if (!in_localePath.empty())
    {
        // glibc reads LOCPATH whenever setlocale loads a locale.
        const ScopedEnvironment localePath("LOCPATH", in_localePath);
        return std::setlocale(LC_TIME, LOCALE_NAME) != nullptr && MonthNamesAreGerman();
    }
    return std::setlocale(LC_TIME, LOCALE_NAME) != nullptr && MonthNamesAreGerman();
}

// The locale built by localedef into a directory of its own, removed when the process ends.
struct BuiltLocale
{
    BuiltLocale()
    {
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + m_directory / LOCALE_NAME + "' >/dev/null 2>&1";
        // localedef may exit with 1 for mere warnings; loading the locale tells whether it was
        // built.
        const int status = std::system(command.c_str());
        (void)status;
    }

    TemporaryDirectory m_directory;
};

} // namespace

GermanTimeLocale::GermanTimeLocale()
{
    if (SetGermanLocale(""))
    {
        return;
    }
    static const BuiltLocale s_built;
    if (!SetGermanLocale(s_built.m_directory.Path()))
    {
        m_problem = std::string(LOCALE_NAME) +
                    " is not installed and localedef (Debian package locales) could not build it";
    }
}

GermanTimeLocale::~GermanTimeLocale()
{
    std::setlocale(LC_TIME, "C");
}

} // namespace Testing
} // namespace Orvik
