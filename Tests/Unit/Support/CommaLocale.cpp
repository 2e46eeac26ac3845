#include "CommaLocale.h"

#include "Common/TemporaryDirectory.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace Orvik {
namespace Testing {

namespace {

const char* const LOCALE_NAME = "de_DE.UTF-8";

bool SetCommaLocale(const char* in_localePath)
{
    // glibc reads LOCPATH whenever setlocale loads a locale.
    const char* previous = std::getenv("LOCPATH");
    const std::string saved = previous != nullptr ? previous : "";
    if (in_localePath != nullptr)
    {
        setenv("LOCPATH", in_localePath, 1);
    }
    const bool set = std::setlocale(LC_NUMERIC, LOCALE_NAME) != nullptr &&
                     std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    if (in_localePath != nullptr && previous != nullptr)
    {
        setenv("LOCPATH", saved.c_str(), 1);
    }
    else if (in_localePath != nullptr)
    {
        unsetenv("LOCPATH");
    }
    return set;
}

/// The comma locale built by localedef into a directory of its own, removed when the process
/// ends.
class BuiltLocale
{
public:
    BuiltLocale()
    {
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + m_directory / LOCALE_NAME + "' >/dev/null 2>&1";
        // localedef may exit with 1 for mere warnings; loading the locale tells whether it
        // was built.
        const int status = std::system(command.c_str());
        (void)status;
    }

    const std::string& GetDirectory() const { return m_directory.Path(); }

private:
    TemporaryDirectory m_directory;
};

} // namespace

CommaLocale::CommaLocale()
{
    if (SetCommaLocale(nullptr))
    {
        return;
    }
    static const BuiltLocale s_built;
    if (!SetCommaLocale(s_built.GetDirectory().c_str()))
    {
        m_problem = std::string("no locale with a decimal comma: ") + LOCALE_NAME +
                    " is not installed and localedef (Debian package locales) could not build it";
    }
}

CommaLocale::~CommaLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace Testing
} // namespace Orvik
