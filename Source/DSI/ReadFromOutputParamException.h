#pragma once

#include "DSI/CallbackException.h"

namespace Orvik {
namespace DSI {

/// The value of an output parameter was read as if it were input.
class ReadFromOutputParamException : public CallbackException
{
public:
    /// The error of component in_componentId with in_messageKey at the given row and column.
    ReadFromOutputParamException(int32_t in_componentId,
                                 const Support::orvik_wstring& in_messageKey,
                                 int64_t in_rowNumber,
                                 int32_t in_columnNumber);
};

} // namespace DSI
} // namespace Orvik
