#pragma once

#include "Support/ICredentials.h"

namespace Orvik {
namespace Support {

/// The current user's credentials, for inbound (server) or outbound (client) use. This
/// platform has no security interface: acquiring the handle raises the support error
/// "NoSecurityAPI", and so does everything that needs it.
class OrvikLocalCredentials : public ICredentials
{
public:
    explicit OrvikLocalCredentials(bool in_inbound) : m_inbound(in_inbound) {}

    ISecurityContext* GetSecurityContext(const orvik_wstring& in_targetName) override;
    orvik_wstring GetName() override;
    /// Runs the action directly: these are the calling user's own credentials.
    void* ExecuteAs(ICredentialAction& io_action) override;
    void* GetCredentialHandle() override;

    bool IsInbound() const { return m_inbound; }

private:
    bool m_inbound;
};

} // namespace Support
} // namespace Orvik
