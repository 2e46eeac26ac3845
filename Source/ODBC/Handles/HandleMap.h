#pragma once

#include "ODBC/Handles/HandleGenerator.h"
#include "Support/CriticalSection.h"

#include <atomic>
#include <map>

namespace Orvik {
namespace ODBC {

/// The registry of one kind of handle: handle values to the objects behind them, which it does
/// not own. A value registered in another kind's registry is not found here. The last object
/// found is cached, so that repeated calls on one handle need neither search nor lock. Safe from
/// any thread.
class HandleMap
{
public:
    /// A registry that draws its values from in_generator, which outlives it.
    explicit HandleMap(HandleGenerator& in_generator);
    virtual ~HandleMap();

    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;

    /// Registers in_object under a value drawn from the generator and returns the value. Throws
    /// the generator's "TooManyHandles" and registers nothing then.
    HandleValue Register(void* in_object);

    /// Registers in_object under in_handle, which the caller drew from the generator.
    void Register(HandleValue in_handle, void* in_object);

    /// The object registered under in_handle, or null.
    void* Find(HandleValue in_handle);

    /// Removes in_handle (nothing happens to the map when it is absent) and gives the value back
    /// to the generator. Callers unregister only values they registered.
    void Unregister(HandleValue in_handle);

private:
    void Insert(HandleValue in_handle, void* in_object);

    /// The object cached for in_handle, or null when another handle is cached or the cache is
    /// being rewritten.
    void* FindCached(HandleValue in_handle) const;

    /// Caches in_object under in_handle; only with m_lock held.
    void SetCache(HandleValue in_handle, void* in_object);

    std::map<HandleValue, void*> m_objects;
    Support::CriticalSection m_lock;
    HandleGenerator& m_generator;
    // The cache is read without m_lock: its version is odd while the lock's holder rewrites the
    // pair, so that a reader who sees one even version before and after has read a whole pair.
    std::atomic<uint64_t> m_cacheVersion{0};
    std::atomic<HandleValue> m_cachedHandle{0};
    std::atomic<void*> m_cachedObject{nullptr};
};

} // namespace ODBC
} // namespace Orvik
