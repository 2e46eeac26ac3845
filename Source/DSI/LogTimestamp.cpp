#include "DSI/LogTimestamp.h"

#include "Platform/OsTime.h"

namespace Orvik {
namespace DSI {

namespace {

constexpr const char* MONTH_NAMES[] = { "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };

// Appends in_value with exactly in_digits decimal digits, leading zeros included.
void AppendDigits(int32_t in_value, int32_t in_digits, std::string& io_text)
{
    char digits[4] = {};
    for (int32_t i = in_digits - 1; i >= 0; --i)
    {
        digits[i] = static_cast<char>('0' + in_value % 10);
        in_value /= 10;
    }
    io_text.append(digits, static_cast<size_t>(in_digits));
}

} // namespace

void LogTimestamp::Append(const OS::LocalTime& in_time, std::string& io_text)
{
    const bool knownMonth = in_time.m_month >= 1 && in_time.m_month <= 12;
    io_text += knownMonth ? MONTH_NAMES[in_time.m_month - 1] : "???";
    io_text += ' ';
    AppendDigits(in_time.m_day, 2, io_text);
    io_text += ' ';
    AppendDigits(in_time.m_hour, 2, io_text);
    io_text += ':';
    AppendDigits(in_time.m_minute, 2, io_text);
    io_text += ':';
    AppendDigits(in_time.m_second, 2, io_text);
    io_text += '.';
    AppendDigits(in_time.m_millisecond, 3, io_text);
}

} // namespace DSI
} // namespace Orvik
