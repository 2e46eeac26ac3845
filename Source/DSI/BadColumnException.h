#pragma once

#include "DSI/DSIException.h"

namespace Orvik {
namespace DSI {

/// A column number or name that a result does not have: "InvalidColumnNum" with the number, or
/// "InvalidColumnName" with the name. Handlers of DSIException catch it.
class BadColumnException : public DSIException
{
public:
    /// The general error of component 2 with in_messageKey and its parameters.
    BadColumnException(const Support::orvik_wstring& in_messageKey,
                       std::vector<Support::orvik_wstring> in_parameters,
                       int64_t in_rowNumber = -1,
                       int32_t in_columnNumber = -1);
};

} // namespace DSI
} // namespace Orvik
