#pragma once

#include "DSI/CallbackException.h"

namespace Orvik {
namespace DSI {

/// An input parameter was written as if it were output.
class WriteToInputParamException : public CallbackException
{
public:
    /// The error of component in_componentId with in_messageKey at the given row and column.
    WriteToInputParamException(int32_t in_componentId,
                               const Support::orvik_wstring& in_messageKey,
                               int64_t in_rowNumber,
                               int32_t in_columnNumber);
};

} // namespace DSI
} // namespace Orvik
