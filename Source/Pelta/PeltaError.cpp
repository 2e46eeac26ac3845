#include "Pelta/PeltaError.h"

#include "Support/EncodingType.h"

#include <algorithm>
#include <climits>

using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;

namespace Pelta {

ErrorException PeltaError(const char* in_key, std::vector<orvik_wstring> in_parameters)
{
    return ErrorException(Orvik::Support::DIAG_GENERAL_ERROR,
                          PELTA_COMPONENT_ID,
                          orvik_wstring(in_key),
                          std::move(in_parameters),
                          -1,
                          -1);
}

ErrorException
PeltaStateError(const char* in_key, const char* in_sqlState, std::vector<orvik_wstring> in_parameters)
{
    return ErrorException(Orvik::Support::SqlState(in_sqlState),
                          PELTA_COMPONENT_ID,
                          orvik_wstring(in_key),
                          std::move(in_parameters),
                          -1,
                          -1);
}

orvik_wstring Utf8Parameter(const std::string& in_text)
{
    // A parameter is for reading; a text beyond 2 GiB would only be cut.
    const size_t length = std::min<size_t>(in_text.size(), INT32_MAX);
    return orvik_wstring(in_text.data(), static_cast<int32_t>(length), Orvik::Support::ENC_UTF8);
}

} // namespace Pelta
