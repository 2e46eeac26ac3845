#include "DSI/BadDefaultParamException.h"

namespace Orvik {
namespace DSI {

using namespace Support;

BadDefaultParamException::BadDefaultParamException(int32_t in_componentId,
                                                   const orvik_wstring& in_messageKey,
                                                   int64_t in_rowNumber,
                                                   int32_t in_columnNumber)
    : ErrorException(DIAG_GENERAL_ERROR, in_componentId, in_messageKey, in_rowNumber, in_columnNumber)
{
}

} // namespace DSI
} // namespace Orvik
