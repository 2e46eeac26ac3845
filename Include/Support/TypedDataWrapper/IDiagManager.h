#pragma once

#include "Support/DiagState.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The diagnostics of one ODBC handle, as the typed-data layer reaches them to report conversion
/// warnings. The ODBC layer's diagnostics manager implements it.
class IDiagManager
{
public:
    virtual ~IDiagManager() = default;

    /// Adds one warning record under the diagnostics lock: the SQLSTATE of in_diagState, the
    /// text and native error of in_messageKey in the message files of in_componentId, and the
    /// row and column numbers.
    virtual void PostStateWarning(DiagState in_diagState,
                                  int32_t in_componentId,
                                  const orvik_wstring& in_messageKey,
                                  int64_t in_rowNumber,
                                  int32_t in_columnNumber) = 0;

protected:
    IDiagManager() = default;
};

} // namespace Support
} // namespace Orvik
