#include "Support/OrvikSecurityContext.h"

#include "Support/ICredentials.h"
#include "Support/Security/NoSecurityApi.h"
#include "Support/SupportException.h"

namespace Orvik {
namespace Support {

OrvikSecurityContext::OrvikSecurityContext(ICredentials& in_credentials, const orvik_wstring& in_targetName)
    : m_credentials(in_credentials), m_targetName(in_targetName)
{
}

SizedBuffer OrvikSecurityContext::GetToken()
{
    return UpdateToken(SizedBuffer());
}

SizedBuffer OrvikSecurityContext::UpdateToken(SizedBuffer)
{
    // The requests are fixed from the first step on, whether or not it succeeds.
    m_started = true;
    m_credentials.GetCredentialHandle();
    ThrowNoSecurityApi();
}

void OrvikSecurityContext::SetRequestMutualAuthentication(bool in_request)
{
    CheckNotStarted();
    m_requestMutualAuthentication = in_request;
}

void OrvikSecurityContext::SetRequestDelegation(bool in_request)
{
    CheckNotStarted();
    m_requestDelegation = in_request;
}

void OrvikSecurityContext::CheckNotStarted() const
{
    if (m_started)
    {
        throw SupportException(SupportError(SupportErrorCode::SecurityContextInProgress));
    }
}

} // namespace Support
} // namespace Orvik
