#pragma once

#include "Support/RefCountedObject.h"

#include <utility>

namespace Orvik {
namespace Support {

/// A counted reference to an object derived from RefCountedObject; the count lives in the
/// object. The holder that drops the last reference deletes the object, after the object's
/// lock has been left.
template <class T>
class SharedPtr
{
public:
    SharedPtr() = default;

    /// Takes a reference to in_object, which may be null.
    explicit SharedPtr(T* in_object) : m_object(in_object) { Take(); }

    SharedPtr(const SharedPtr& in_other) : m_object(in_other.m_object) { Take(); }

    SharedPtr& operator=(const SharedPtr& in_other)
    {
        // Taking the new reference first keeps the object alive when both name the same one.
        SharedPtr copy(in_other);
        std::swap(m_object, copy.m_object);
        return *this;
    }

    ~SharedPtr() { Release(); }

    /// Drops the reference and leaves this pointer null.
    void Release()
    {
        T* object = m_object;
        m_object = nullptr;
        if (object != nullptr && object->DropReference() == 0)
        {
            delete object;
        }
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    void Take()
    {
        if (m_object != nullptr)
        {
            m_object->AddReference();
        }
    }

    T* m_object = nullptr;
};

} // namespace Support
} // namespace Orvik
