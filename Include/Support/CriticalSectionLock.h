#pragma once

namespace Orvik {
namespace Support {

class CriticalSection;

/// Holds a CriticalSection for its own lifetime: taken by the constructor, left by the
/// destructor. Never released early and never moved.
class CriticalSectionLock
{
public:
    explicit CriticalSectionLock(CriticalSection& io_section);
    ~CriticalSectionLock();

    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection* m_section;
};

} // namespace Support
} // namespace Orvik
