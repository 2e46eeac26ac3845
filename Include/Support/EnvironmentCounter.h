#pragma once

#include "Support/CriticalSection.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class ICredentialFactory;

/// Counts the ODBC layer's environments (1 while any exists) and makes the credential
/// factories. One per process, from module start-up to module termination.
class EnvironmentCounter
{
public:
    EnvironmentCounter() = default;

    EnvironmentCounter(const EnvironmentCounter&) = delete;
    EnvironmentCounter& operator=(const EnvironmentCounter&) = delete;

    void Increment();
    void Decrement();
    int32_t GetCount();

    /// A new credential factory; the caller owns it.
    ICredentialFactory* CreateCredentialFactory() const;

private:
    int32_t m_count = 0;
    CriticalSection m_lock; // guards m_count
};

} // namespace Support
} // namespace Orvik
