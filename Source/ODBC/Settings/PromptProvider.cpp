#include "ODBC/Settings/PromptProvider.h"

#include <atomic>

namespace Orvik {
namespace ODBC {

namespace {

std::atomic<PromptProvider*> s_provider{nullptr};

} // namespace

PromptProvider* PromptProvider::Install(PromptProvider* in_provider)
{
    return s_provider.exchange(in_provider);
}

PromptProvider* PromptProvider::GetInstalled()
{
    return s_provider.load();
}

} // namespace ODBC
} // namespace Orvik
