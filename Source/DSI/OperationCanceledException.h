#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace DSI {

/// A call found that it was cancelled: HY008, raised with the key "OperationCanceled".
class OperationCanceledException : public Support::ErrorException
{
public:
    /// The error of component in_componentId with in_messageKey, at no particular row or column.
    OperationCanceledException(int32_t in_componentId, const Support::orvik_wstring& in_messageKey);
};

} // namespace DSI
} // namespace Orvik
