#include "Support/OrvikLocalCredentials.h"

#include "Support/OrvikSecurityContext.h"
#include "Support/Security/NoSecurityApi.h"

namespace Orvik {
namespace Support {

ISecurityContext* OrvikLocalCredentials::GetSecurityContext(const orvik_wstring& in_targetName)
{
    return new OrvikSecurityContext(*this, in_targetName);
}

orvik_wstring OrvikLocalCredentials::GetName()
{
    ThrowNoSecurityApi();
}

void* OrvikLocalCredentials::ExecuteAs(ICredentialAction& io_action)
{
    return io_action.Run();
}

void* OrvikLocalCredentials::GetCredentialHandle()
{
    // Nothing is kept from a failed acquisition, so every call fails the same way.
    ThrowNoSecurityApi();
}

} // namespace Support
} // namespace Orvik
