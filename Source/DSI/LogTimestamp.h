#pragma once

#include <string>

namespace Orvik {
namespace OS {
struct LocalTime;
}

namespace DSI {

/// The time stamp that begins every log line: "Mar 07 14:03:09.045". Month names are English
/// whatever locale the host program has set.
class LogTimestamp
{
public:
    LogTimestamp() = delete;

    /// Appends in_time as the abbreviated month, the two-digit day, the time and three digits of
    /// milliseconds.
    static void Append(const OS::LocalTime& in_time, std::string& io_text);
};

} // namespace DSI
} // namespace Orvik
