#pragma once

#include "Support/SizedBuffer.h"

namespace Orvik {
namespace Support {

/// The client side of a security token exchange with a server.
class ISecurityContext
{
public:
    virtual ~ISecurityContext() = default;

    /// The first token to send to the server.
    virtual SizedBuffer GetToken() = 0;

    /// Takes the server's token and gives the next one to send; empty once established.
    virtual SizedBuffer UpdateToken(SizedBuffer in_serverToken) = 0;

    // The requests can be changed only before the first token is made.
    virtual void SetRequestMutualAuthentication(bool in_request) = 0;
    virtual bool GetRequestMutualAuthentication() const = 0;
    virtual void SetRequestDelegation(bool in_request) = 0;
    virtual bool GetRequestDelegation() const = 0;

protected:
    ISecurityContext() = default;
};

} // namespace Support
} // namespace Orvik
