#include "Support/OrvikCredentialFactory.h"

#include "Support/OrvikLocalCredentials.h"
#include "Support/Security/NoSecurityApi.h"

namespace Orvik {
namespace Support {

OrvikCredentialFactory::OrvikCredentialFactory() = default;

OrvikCredentialFactory::~OrvikCredentialFactory() = default;

ICredentials* OrvikCredentialFactory::GetLocalCredentials()
{
    return new OrvikLocalCredentials(false);
}

ICredentials* OrvikCredentialFactory::GetAuthenticatedCredentials(SizedBuffer, SizedBuffer& out_token)
{
    out_token = SizedBuffer();
    if (m_serverCredentials == nullptr)
    {
        m_serverCredentials = std::make_unique<OrvikLocalCredentials>(true);
    }
    m_serverCredentials->GetCredentialHandle();
    ThrowNoSecurityApi();
}

} // namespace Support
} // namespace Orvik
