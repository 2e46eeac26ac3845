#pragma once

#include "Support/ICredentials.h"

namespace Orvik {
namespace Support {

/// The credentials of a client that a server-side exchange has authenticated. They cannot
/// start contexts or give a handle (InvalidOperationException). On this platform no exchange
/// completes, and naming or impersonating raises the support error "NoSecurityAPI".
class OrvikAuthenticatedCredentials : public ICredentials
{
public:
    ISecurityContext* GetSecurityContext(const orvik_wstring& in_targetName) override;
    orvik_wstring GetName() override;
    void* ExecuteAs(ICredentialAction& io_action) override;
    void* GetCredentialHandle() override;
};

} // namespace Support
} // namespace Orvik
