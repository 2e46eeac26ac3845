#include "Support/Security/NoSecurityApi.h"

#include "Support/SupportException.h"

namespace Orvik {
namespace Support {

void ThrowNoSecurityApi()
{
    throw SupportException(SupportError(SupportErrorCode::NoSecurityAPI));
}

} // namespace Support
} // namespace Orvik
