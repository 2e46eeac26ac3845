#pragma once

#include "DSI/CallbackException.h"

namespace Orvik {
namespace DSI {

/// A parameter's value was asked for while it has none to give, such as one that was pushed in
/// pieces.
class NoDataInputParamException : public CallbackException
{
public:
    /// The error of component in_componentId with in_messageKey, at no particular row or column.
    NoDataInputParamException(int32_t in_componentId, const Support::orvik_wstring& in_messageKey);
};

} // namespace DSI
} // namespace Orvik
