#include "Support/SettingParsers.h"

#include "Support/ErrorException.h"
#include "Support/NumberConverter.h"
#include "Support/StringUtilities.h"

#include <cmath>

namespace Orvik {
namespace Support {

namespace {

struct Unit
{
    char m_letter;
    double m_multiplier;
};

const Unit UNITS[] = {
    { 'K', 1024.0 },
    { 'M', 1048576.0 },
    { 'G', 1073741824.0 },
};

// 2^64: the first value that no longer fits an unsigned 64-bit number. As a double it is
// exact, while the largest 64-bit number itself is not representable and rounds up to it.
const double TWO_TO_THE_64 = 18446744073709551616.0;

char ToUpperAscii(char in_char)
{
    return (in_char >= 'a' && in_char <= 'z') ? static_cast<char>(in_char - 'a' + 'A') : in_char;
}

// Drops a trailing unit letter and returns its multiplier; 1 when there is none.
double TakeUnit(std::string& io_text)
{
    if (!io_text.empty() && ToUpperAscii(io_text.back()) == 'B')
    {
        io_text.pop_back();
    }
    double multiplier = 1.0;
    for (const Unit& unit : UNITS)
    {
        if (!io_text.empty() && ToUpperAscii(io_text.back()) == unit.m_letter)
        {
            io_text.pop_back();
            multiplier = unit.m_multiplier;
            break;
        }
    }
    StringUtilities::TrimRight(io_text);
    return multiplier;
}

} // namespace

uint32_t ParseUInt32OrDefault(const std::string& in_text, uint32_t in_default)
{
    if (in_text.empty())
    {
        return in_default;
    }
    try
    {
        const uint32_t value = NumberConverter::ConvertStringToUInt32(in_text, true);
        return value == 0 ? in_default : value;
    }
    catch (const ErrorException&)
    {
        return in_default;
    }
}

uint64_t ParseByteSize(const std::string& in_text, uint64_t in_default)
{
    // Like registry text, the size ends at its first NUL, its unit included.
    std::string text = in_text.substr(0, in_text.find('\0'));
    StringUtilities::TrimRight(text);
    const double multiplier = TakeUnit(text);
    if (text.empty())
    {
        return in_default;
    }
    double value;
    try
    {
        value = NumberConverter::ConvertStringToDouble(text.data(), text.size(), true);
    }
    catch (const ErrorException&)
    {
        return in_default;
    }
    // An infinity is past every limit and saturates below.
    if (std::isnan(value) || value < 0.0)
    {
        return in_default;
    }
    const double bytes = value * multiplier;
    return bytes >= TWO_TO_THE_64 ? UINT64_MAX : static_cast<uint64_t>(bytes);
}

} // namespace Support
} // namespace Orvik
