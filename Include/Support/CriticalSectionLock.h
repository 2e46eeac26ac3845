#pragma once

#include "Support/CriticalSection.h"

namespace Orvik {
namespace Support {

/// Holds a CriticalSection for its own lifetime: taken by the constructor, left by the
/// destructor. Never released early and never moved.
class CriticalSectionLock
{
public:
    // Inline: every call on a handle takes one or more of these.
    explicit CriticalSectionLock(CriticalSection& io_section) : m_section(&io_section) { m_section->Enter(); }
    ~CriticalSectionLock() { m_section->Leave(); }

    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection* m_section;
};

} // namespace Support
} // namespace Orvik
