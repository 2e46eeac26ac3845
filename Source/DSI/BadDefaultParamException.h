#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace DSI {

/// A back end refuses a parameter that the application bound with the default-parameter
/// indicator; the ODBC layer reports it as an invalid use of a default parameter (07S01).
class BadDefaultParamException : public Support::ErrorException
{
public:
    /// The error of component in_componentId with in_messageKey at the given row and column.
    BadDefaultParamException(int32_t in_componentId,
                             const Support::orvik_wstring& in_messageKey,
                             int64_t in_rowNumber,
                             int32_t in_columnNumber);
};

} // namespace DSI
} // namespace Orvik
