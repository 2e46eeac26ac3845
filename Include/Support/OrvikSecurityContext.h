#pragma once

#include "Support/ISecurityContext.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

class ICredentials;

/// A client security context on given credentials for one server principal.
class OrvikSecurityContext : public ISecurityContext
{
public:
    /// in_credentials must outlive the context.
    OrvikSecurityContext(ICredentials& in_credentials, const orvik_wstring& in_targetName);

    SizedBuffer GetToken() override;
    /// The first step fixes the requests; on this platform it then raises "NoSecurityAPI".
    SizedBuffer UpdateToken(SizedBuffer in_serverToken) override;

    /// Each setter raises the support error "SecurityContextInProgress" after the first step.
    void SetRequestMutualAuthentication(bool in_request) override;
    bool GetRequestMutualAuthentication() const override { return m_requestMutualAuthentication; }
    void SetRequestDelegation(bool in_request) override;
    bool GetRequestDelegation() const override { return m_requestDelegation; }

    const orvik_wstring& GetTargetName() const { return m_targetName; }

private:
    void CheckNotStarted() const;

    ICredentials& m_credentials;
    orvik_wstring m_targetName;
    bool m_started = false;
    bool m_requestMutualAuthentication = false;
    bool m_requestDelegation = false;
};

} // namespace Support
} // namespace Orvik
