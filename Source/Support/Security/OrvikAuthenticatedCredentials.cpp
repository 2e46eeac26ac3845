#include "Support/OrvikAuthenticatedCredentials.h"

#include "Support/InvalidOperationException.h"
#include "Support/Security/NoSecurityApi.h"

namespace Orvik {
namespace Support {

namespace {

[[noreturn]] void ThrowNotAvailable(const char* in_method, int in_line)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    { orvik_wstring(in_method),
                                      orvik_wstring("Security/OrvikAuthenticatedCredentials.cpp"),
                                      orvik_wstring(std::to_string(in_line)) });
}

} // namespace

ISecurityContext* OrvikAuthenticatedCredentials::GetSecurityContext(const orvik_wstring&)
{
    ThrowNotAvailable("OrvikAuthenticatedCredentials::GetSecurityContext", __LINE__);
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
    ThrowNotAvailable("OrvikAuthenticatedCredentials::GetCredentialHandle", __LINE__);
}

} // namespace Support
} // namespace Orvik
