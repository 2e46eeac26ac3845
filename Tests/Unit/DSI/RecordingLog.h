#pragma once

// Test helper: a log that keeps every admitted entry as "LEVEL Class::Method: message".

#include "DSI/DSILog.h"

#include <cstdio>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

class RecordingLog : public DSI::DSILog
{
public:
    std::vector<std::string> m_entries;

protected:
    void WriteEntry(int32_t in_level,
                    const char* /* in_namespace */,
                    const char* in_class,
                    const char* in_method,
                    const char* in_format,
                    va_list in_arguments) override
    {
        char message[1024];
        std::vsnprintf(message, sizeof message, in_format, in_arguments);
        m_entries.push_back(std::string(GetLevelName(in_level)) + " " + in_class + "::" + in_method + ": " + message);
    }
};

} // namespace Testing
} // namespace Orvik
