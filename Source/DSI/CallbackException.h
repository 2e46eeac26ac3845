#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace DSI {

/// A call from the data store back into the ODBC layer (describing or reading parameters)
/// that failed: the general error (HY000).
class CallbackException : public Support::ErrorException
{
public:
    /// The error of component in_componentId with in_messageKey at the given row and column.
    CallbackException(int32_t in_componentId,
                      const Support::orvik_wstring& in_messageKey,
                      int64_t in_rowNumber,
                      int32_t in_columnNumber);
};

} // namespace DSI
} // namespace Orvik
