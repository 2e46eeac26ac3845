#pragma once

#include "Support/ErrorException.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Pelta {

/// The back end's component id: its messages live in the file "PeltaMessages".
constexpr int32_t PELTA_COMPONENT_ID = 117;

/// An error of the back end with the general state HY000, without row or column.
Orvik::Support::ErrorException
PeltaError(const char* in_key, std::vector<Orvik::Support::orvik_wstring> in_parameters = {});

/// The same with the SQLSTATE in_sqlState.
Orvik::Support::ErrorException
PeltaStateError(const char* in_key,
                const char* in_sqlState,
                std::vector<Orvik::Support::orvik_wstring> in_parameters);

/// A message parameter made of UTF-8 bytes (server texts, member names).
Orvik::Support::orvik_wstring Utf8Parameter(const std::string& in_text);

} // namespace Pelta
