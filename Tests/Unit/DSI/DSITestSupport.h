#pragma once

// Test helper of the data-store layer: what a failed call threw, as one comparable line.

#include "Support/DiagState.h"
#include "Support/ErrorException.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <string>

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

} // namespace Testing
} // namespace Orvik
