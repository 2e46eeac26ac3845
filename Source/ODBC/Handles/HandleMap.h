#pragma once

#include "ODBC/Handles/HandleEntry.h"
#include "ODBC/Handles/HandleGenerator.h"
#include "ODBC/Handles/HandleSlot.h"
#include "Support/CriticalSection.h"

#include <atomic>
#include <map>
#include <memory>

namespace Orvik {
namespace ODBC {

/// The registry of one kind of handle: handle values to the objects behind them, which it does
/// not own. A value registered in another kind's registry is not found here. Each value has a
/// slot (HandleSlot) that the registry keeps as long as it lives: a call counts itself on the
/// slot in the same step as it finds the object, and a free closes the slot only while no call
/// is counted, so that no call ever works on an object being freed. The slot last found is
/// cached, so that repeated calls on one handle need neither search nor lock. Safe from any
/// thread.
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

    /// The object registered under in_handle, or null; counts no call. For callers that keep the
    /// object from being freed otherwise.
    void* Find(HandleValue in_handle);

    /// The object registered under in_handle with one call counted on it until the entry goes,
    /// or an empty entry when nothing is registered under the value or its free has closed it.
    HandleEntry Enter(HandleValue in_handle);

    /// The slot of in_handle while an object is registered under it, else null.
    HandleSlot* GetSlot(HandleValue in_handle);

    /// Closes in_handle to calls, empties its slot and gives the value back to the generator.
    /// Callers unregister only values they registered.
    void Unregister(HandleValue in_handle);

private:
    /// The slot of in_handle, made when the value is new to the registry. Called under the lock.
    HandleSlot& MakeSlot(HandleValue in_handle);

    /// The slot of in_handle, or null when the registry never had the value.
    HandleSlot* FindSlot(HandleValue in_handle);

    std::map<HandleValue, std::unique_ptr<HandleSlot>> m_slots;
    Support::CriticalSection m_lock;
    HandleGenerator& m_generator;
    // Read without m_lock: slots live as long as the registry, so whatever slot a reader sees
    // is one it may use once it has checked its value.
    std::atomic<HandleSlot*> m_lastSlot{nullptr};
};

} // namespace ODBC
} // namespace Orvik
