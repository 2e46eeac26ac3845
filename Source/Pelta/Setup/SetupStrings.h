#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Pelta {

/// The setup texts: the driver's string table, compiled in, and the ways setup loads from it.

/// Copies string in_id into out_buffer of in_size code units, cut to in_size - 1 and
/// NUL-terminated, and returns the count copied; 0 (and an empty buffer, when it has room) when
/// the table has no such string or it is empty.
int32_t LoadStringResource(int32_t in_id, char16_t* out_buffer, int32_t in_size);

/// A loader with LoadStringResource's contract.
using StringLoader = int32_t (*)(int32_t in_id, char16_t* out_buffer, int32_t in_size);

/// The string in_id, read through a buffer that grows by 2048 code units while the text may
/// have been cut; "Error loading the string." when there is none. Never throws for a missing
/// string.
Orvik::Support::orvik_wstring LoadResourceString(int32_t in_id, StringLoader in_loader = &LoadStringResource);

/// The string in_id; throws ErrorException "PeltaStringResourceError" (HY000, component 117,
/// the id as parameter) when the table has no such string or it is empty.
Orvik::Support::orvik_wstring LoadRequiredString(int32_t in_id);

} // namespace Pelta
