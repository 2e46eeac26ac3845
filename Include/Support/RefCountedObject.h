#pragma once

#include "Support/CriticalSection.h"

#include <cstdint>

namespace Orvik {
namespace Support {

template <class T> class SharedPtr;

/// Base of objects shared between owners through SharedPtr. A new object has no reference;
/// the SharedPtr that drops the last one deletes it.
class RefCountedObject
{
public:
    virtual ~RefCountedObject() = default;

    RefCountedObject(const RefCountedObject&) = delete;
    RefCountedObject& operator=(const RefCountedObject&) = delete;

protected:
    RefCountedObject() = default;

private:
    template <class T> friend class SharedPtr;

    void AddReference();

    /// Drops one reference and returns the count left.
    int64_t DropReference();

    CriticalSection m_countLock;
    int64_t m_count = 0;
};

} // namespace Support
} // namespace Orvik
