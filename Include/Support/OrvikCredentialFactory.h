#pragma once

#include "Support/ICredentialFactory.h"

#include <memory>

namespace Orvik {
namespace Support {

class OrvikLocalCredentials;

/// Gives the current user's credentials and runs the server side of token exchanges.
class OrvikCredentialFactory : public ICredentialFactory
{
public:
    OrvikCredentialFactory();
    ~OrvikCredentialFactory() override;

    ICredentials* GetLocalCredentials() override;
    /// Makes the inbound credentials on the first step; on this platform acquiring them raises
    /// "NoSecurityAPI".
    ICredentials* GetAuthenticatedCredentials(SizedBuffer in_clientToken, SizedBuffer& out_token) override;

private:
    std::unique_ptr<OrvikLocalCredentials> m_serverCredentials;
};

} // namespace Support
} // namespace Orvik
