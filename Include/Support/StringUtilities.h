#pragma once

#include <string>

namespace Orvik {
namespace Support {

/// Operations on 8-bit text that know only ASCII.
class StringUtilities
{
public:
    /// Removes leading blanks, tabs, line feeds, carriage returns, vertical tabs and form feeds.
    static void TrimLeft(std::string& io_text);

    /// Removes the same characters at the end.
    static void TrimRight(std::string& io_text);

    /// Replaces every occurrence of in_find from the start on; the search resumes after each
    /// inserted replacement, so a replacement that holds in_find is not replaced again. An empty
    /// in_find replaces nothing.
    static void
    ReplaceAll(std::string& io_text, const std::string& in_find, const std::string& in_replacement);

    /// Upper-cases the letters a to z; every other byte stays.
    static void ToUpper(std::string& io_text);
};

} // namespace Support
} // namespace Orvik
