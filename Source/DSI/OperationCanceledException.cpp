#include "DSI/OperationCanceledException.h"

namespace Orvik {
namespace DSI {

using namespace Support;

OperationCanceledException::OperationCanceledException(int32_t in_componentId, const orvik_wstring& in_messageKey)
    : ErrorException(DIAG_OPERATION_CANCELED, in_componentId, in_messageKey, -1, -1)
{
}

} // namespace DSI
} // namespace Orvik
