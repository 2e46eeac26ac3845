#include "Support/OrvikAuthenticatedCredentials.h"

#include "Support/InvalidOperationException.h"
#include "Support/Security/NoSecurityApi.h"

namespace Orvik {
namespace Support {

namespace {

// The operations these credentials cannot offer. Their misuse error names the operation and a
// fixed source name and line, the same on every platform.
struct Unavailable
{
    const char* m_method;
    const char* m_line;
};

const char* const SOURCE_NAME = "Security\\OrvikAuthenticatedCredentials_Windows";
const Unavailable GET_SECURITY_CONTEXT = { "OrvikAuthenticatedCredentials::GetSecurityContext", "50" };
const Unavailable GET_CREDENTIAL_HANDLE = { "OrvikAuthenticatedCredentials::GetCredentialHandle", "40" };

[[noreturn]] void ThrowNotAvailable(const Unavailable& in_operation)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    { orvik_wstring(in_operation.m_method), orvik_wstring(SOURCE_NAME),
                                      orvik_wstring(in_operation.m_line) });
}

} // namespace

ISecurityContext* OrvikAuthenticatedCredentials::GetSecurityContext(const orvik_wstring&)
{
    ThrowNotAvailable(GET_SECURITY_CONTEXT);
}

orvik_wstring OrvikAuthenticatedCredentials::GetName()
{
    ThrowNoSecurityApi();
}

void* OrvikAuthenticatedCredentials::ExecuteAs(ICredentialAction&)
{
    ThrowNoSecurityApi();
}

void* OrvikAuthenticatedCredentials::GetCredentialHandle()
{
    ThrowNotAvailable(GET_CREDENTIAL_HANDLE);
}

} // namespace Support
} // namespace Orvik
