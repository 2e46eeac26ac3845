#pragma once

#include "DSI/CallbackException.h"

namespace Orvik {
namespace DSI {

/// A callback made when the object called cannot serve it, such as describing a parameter while
/// none is being described.
class BadStateException : public CallbackException
{
public:
    /// The error of component in_componentId with in_messageKey at the given row and column.
    BadStateException(int32_t in_componentId,
                      const Support::orvik_wstring& in_messageKey,
                      int64_t in_rowNumber,
                      int32_t in_columnNumber);
};

} // namespace DSI
} // namespace Orvik
