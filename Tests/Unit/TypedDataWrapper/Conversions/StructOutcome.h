#pragma once

#include "KernelTestSupport.h"

#include <sqltypes.h>

#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

/// "<posted> | <length> | <value>" of a run, the value written by in_show (which reads the run's
/// bytes) or "untouched" when nothing was written.
template <typename Show>
std::string Outcome(const KernelRun& in_run, Show in_show)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | "
        + (in_run.untouched ? std::string("untouched") : in_show(in_run));
}

/// "p=<precision> s=<scale> sign=<sign> <magnitude>" of a numeric structure, the 16-byte magnitude
/// in decimal.
inline std::string NumericText(const KernelRun& in_run)
{
    const SQL_NUMERIC_STRUCT numeric = ValueOf<SQL_NUMERIC_STRUCT>(in_run);
    unsigned __int128 magnitude = 0;
    for (int i = 15; i >= 0; --i)
    {
        magnitude = magnitude << 8 | numeric.val[i];
    }
    std::string digits;
    do
    {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return "p=" + std::to_string(numeric.precision) + " s=" + std::to_string(numeric.scale)
        + " sign=" + std::to_string(numeric.sign) + " " + digits;
}

inline std::string DateText(const KernelRun& in_run)
{
    const DATE_STRUCT date = ValueOf<DATE_STRUCT>(in_run);
    return std::to_string(date.year) + "-" + std::to_string(date.month) + "-" + std::to_string(date.day);
}

inline std::string TimeText(const KernelRun& in_run)
{
    const TIME_STRUCT time = ValueOf<TIME_STRUCT>(in_run);
    return std::to_string(time.hour) + ":" + std::to_string(time.minute) + ":" + std::to_string(time.second);
}

inline std::string TimestampText(const KernelRun& in_run)
{
    const TIMESTAMP_STRUCT timestamp = ValueOf<TIMESTAMP_STRUCT>(in_run);
    return std::to_string(timestamp.year) + "-" + std::to_string(timestamp.month) + "-"
        + std::to_string(timestamp.day) + " " + std::to_string(timestamp.hour) + ":"
        + std::to_string(timestamp.minute) + ":" + std::to_string(timestamp.second) + "."
        + std::to_string(timestamp.fraction);
}

/// The UTF-16LE bytes of a text.
inline std::string Utf16Bytes(const std::u16string& in_text)
{
    std::string bytes;
    for (char16_t unit : in_text)
    {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace Support
} // namespace Orvik
