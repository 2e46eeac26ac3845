#include "TextErrors.h"

#include "Support/ErrorException.h"

namespace Orvik {
namespace Support {

void RaiseTextError(const char16_t* in_messageKey)
{
    throw ErrorException(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, in_messageKey, -1, -1);
}

} // namespace Support
} // namespace Orvik
