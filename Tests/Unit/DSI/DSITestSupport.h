#pragma once

// Test helpers of the data-store layer: what a failed call threw, as one comparable line, and a
// log that keeps the entries it admits.

#include "DSI/DSILog.h"
#include "Support/DiagState.h"
#include "Support/ErrorException.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// "SQLSTATE component key [parameters]" of an error exception.
inline std::string ErrorLine(const Support::ErrorException& in_error)
{
    const Support::RaisedError raised = Support::Describe(in_error);
    std::string line = Support::GetSqlStateForDiagState(in_error.GetDiagState()).GetText();
    if (in_error.HasCustomState())
    {
        line = in_error.GetCustomState().GetText();
    }
    line += " " + std::to_string(raised.componentId) + " " + raised.key;
    for (const std::string& parameter : raised.parameters)
    {
        line += " [" + parameter + "]";
    }
    return line;
}

/// The error line of what in_action threw, "ok" when it threw nothing, or a note when it threw
/// something other than an error exception.
template <class Action>
std::string Outcome(Action in_action)
{
    try
    {
        in_action();
        return "ok";
    }
    catch (const Support::ErrorException& error)
    {
        return ErrorLine(error);
    }
    catch (...)
    {
        return "not an error exception";
    }
}

/// A log that keeps every admitted entry as "LEVEL Class::Method: message".
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
        char message[256];
        std::vsnprintf(message, sizeof message, in_format, in_arguments);
        m_entries.push_back(std::string(GetLevelName(in_level)) + " " + in_class + "::" + in_method + ": " + message);
    }
};

} // namespace Testing
} // namespace Orvik
