#pragma once

#include "DSI/CallbackException.h"

namespace Orvik {
namespace DSI {

/// A parameter bound with the default-value indicator was written.
class WriteToDefaultParamException : public CallbackException
{
public:
    /// The error of component in_componentId with in_messageKey at the given row and column.
    WriteToDefaultParamException(int32_t in_componentId,
                                 const Support::orvik_wstring& in_messageKey,
                                 int64_t in_rowNumber,
                                 int32_t in_columnNumber);
};

} // namespace DSI
} // namespace Orvik
