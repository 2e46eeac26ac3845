#pragma once

// Test helper: the diagnostics of a handle as comparable text.

#include "ODBC/Diagnostics/DiagManager.h"
#include "Support/orvik_wstring.h"

#include <sql.h>

#include <string>

namespace Orvik {
namespace Testing {

/// " SQLSTATE" for each record on io_diagnostics, in order.
inline std::string RecordStates(ODBC::DiagManager& io_diagnostics)
{
    std::string states;
    for (SQLSMALLINT number = 1; number <= io_diagnostics.GetRecordCount(); ++number)
    {
        SQLWCHAR sqlState[6] = {};
        io_diagnostics.SQLGetDiagRec(number, sqlState, nullptr, nullptr, 0, nullptr);
        states += " " + Support::orvik_wstring(reinterpret_cast<char16_t*>(sqlState)).GetAsUTF8();
    }
    return states;
}

/// "SQLRETURN SQLSTATE..." for a call's result and the records on in_diagnostics.
inline std::string Outcome(SQLRETURN in_result, ODBC::DiagManager& io_diagnostics)
{
    return std::to_string(in_result) + RecordStates(io_diagnostics);
}

/// The text of record in_number of io_diagnostics.
inline std::string RecordText(ODBC::DiagManager& io_diagnostics, SQLSMALLINT in_number = 1)
{
    SQLWCHAR text[512] = {};
    SQLWCHAR sqlState[6] = {};
    io_diagnostics.SQLGetDiagRec(in_number, sqlState, nullptr, text, 512, nullptr);
    return Support::orvik_wstring(reinterpret_cast<char16_t*>(text)).GetAsUTF8();
}

} // namespace Testing
} // namespace Orvik
