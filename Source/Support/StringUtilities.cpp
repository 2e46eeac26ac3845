#include "Support/StringUtilities.h"

namespace Orvik {
namespace Support {

namespace {

const char* const WHITE_SPACE = " \v\n\t\r\f";

} // namespace

void StringUtilities::TrimLeft(std::string& io_text)
{
    io_text.erase(0, io_text.find_first_not_of(WHITE_SPACE));
}

void StringUtilities::TrimRight(std::string& io_text)
{
    // npos + 1 is 0: text of white space only becomes empty.
    io_text.erase(io_text.find_last_not_of(WHITE_SPACE) + 1);
}

void StringUtilities::ReplaceAll(std::string& io_text,
                                 const std::string& in_find,
                                 const std::string& in_replacement)
{
    if (in_find.empty())
    {
        return;
    }
    for (size_t at = io_text.find(in_find); at != std::string::npos;
         at = io_text.find(in_find, at + in_replacement.size()))
    {
        io_text.replace(at, in_find.size(), in_replacement);
    }
}

void StringUtilities::ToUpper(std::string& io_text)
{
    for (char& character : io_text)
    {
        if (character >= 'a' && character <= 'z')
        {
            character = static_cast<char>(character - 'a' + 'A');
        }
    }
}

} // namespace Support
} // namespace Orvik
