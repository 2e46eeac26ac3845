#include "DSI/NoDataInputParamException.h"

namespace Orvik {
namespace DSI {

using namespace Support;

NoDataInputParamException::NoDataInputParamException(int32_t in_componentId, const orvik_wstring& in_messageKey)
    : CallbackException(in_componentId, in_messageKey, -1, -1)
{
}

} // namespace DSI
} // namespace Orvik
