#pragma once

#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

class ISecurityContext;

/// Work run on behalf of the user that credentials stand for.
class ICredentialAction
{
public:
    virtual ~ICredentialAction() = default;

    /// Does the work; the result is handed back by ICredentials::ExecuteAs.
    virtual void* Run() = 0;

protected:
    ICredentialAction() = default;
};

/// The credentials of a user.
class ICredentials
{
public:
    virtual ~ICredentials() = default;

    /// A new client security context for the server principal in_targetName; the caller owns it.
    virtual ISecurityContext* GetSecurityContext(const orvik_wstring& in_targetName) = 0;

    /// The user's name.
    virtual orvik_wstring GetName() = 0;

    /// Runs io_action as the user and returns its result.
    virtual void* ExecuteAs(ICredentialAction& io_action) = 0;

    /// The system's handle of the credentials, acquired on first use.
    virtual void* GetCredentialHandle() = 0;

protected:
    ICredentials() = default;
};

} // namespace Support
} // namespace Orvik
