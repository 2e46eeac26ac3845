#pragma once

#include "Support/SizedBuffer.h"

namespace Orvik {
namespace Support {

class ICredentials;

/// Gives the credentials of the current user (client side) or of an authenticated client
/// (server side).
class ICredentialFactory
{
public:
    virtual ~ICredentialFactory() = default;

    /// The current user's credentials for outbound use; the caller owns them.
    virtual ICredentials* GetLocalCredentials() = 0;

    /// One server-side step of the exchange with a client: takes the client's token and fills
    /// out_token with what to send back. Returns the client's credentials (the caller owns
    /// them) once it is authenticated, null while the exchange goes on.
    virtual ICredentials* GetAuthenticatedCredentials(SizedBuffer in_clientToken, SizedBuffer& out_token) = 0;

protected:
    ICredentialFactory() = default;
};

} // namespace Support
} // namespace Orvik
