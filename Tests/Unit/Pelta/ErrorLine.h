#pragma once

// Test helper: an error exception as one line a table can compare.

#include "Support/DiagState.h"
#include "Support/ErrorException.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <string>

namespace Pelta {
namespace Test {

/// "key SQLSTATE component [parameters|...]" of an exception.
inline std::string ErrorLine(const Orvik::Support::ErrorException& in_error)
{
    const Orvik::Support::RaisedError raised = Orvik::Support::Describe(in_error);
    const Orvik::Support::SqlState state = in_error.HasCustomState()
        ? in_error.GetCustomState()
        : Orvik::Support::GetSqlStateForDiagState(in_error.GetDiagState());
    std::string line = raised.key + " " + state.GetText() + " "
        + std::to_string(raised.componentId) + " [";
    for (size_t i = 0; i < raised.parameters.size(); ++i)
    {
        line += (i ? "|" : "") + raised.parameters[i];
    }
    return line + "]";
}

} // namespace Test
} // namespace Pelta
