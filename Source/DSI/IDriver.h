#pragma once

#include "Support/DriverModuleDirectory.h"
#include "Support/SharedPtr.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {
class AttributeData;
class ICredentialFactory;
class TypedDataWrapperFactory;
} // namespace Support

namespace DSI {

class DSIEnvironment;
class DSILog;
class DSIMessageSource;

/// What the worker threads of the ODBC layer's pool call on their events (start, stop); the
/// argument is always null.
using ThreadCallback = void (*)(int32_t in_event, void* in_argument);

/// The root of the data-store objects: what the ODBC layer asks of a back end's driver.
class IDriver
{
public:
    virtual ~IDriver() = default;

    /// A new data-store environment; the caller owns it.
    virtual std::unique_ptr<DSIEnvironment> CreateEnvironment() = 0;

    /// The driver's log, owned by the driver.
    virtual DSILog* GetDriverLog() = 0;

    /// The callback for the pool's worker threads, or null.
    virtual ThreadCallback GetThreadCallback() = 0;

    /// The driver module's handle, as given to SetModuleHandle.
    virtual Support::ModuleHandle GetModuleHandle() = 0;

    /// One more reference to the driver's message source.
    virtual Support::SharedPtr<DSIMessageSource> GetMessageSource() = 0;

    /// The driver property in_key, still owned by the driver; throws DSIException
    /// "DSIDriverPropNotFound" (the key) for a key the driver does not have.
    virtual Support::AttributeData* GetProperty(int32_t in_key) = 0;

    /// Whether Terminate has run.
    virtual bool IsTerminated() = 0;

    /// Marks the driver as terminated, once the module shuts down.
    virtual void Terminate() = 0;

    /// Records the driver module's handle and derives the message-file directory from it.
    virtual void SetModuleHandle(Support::ModuleHandle in_module) = 0;

    /// A new factory of the typed-data services; the caller owns it.
    virtual std::unique_ptr<Support::TypedDataWrapperFactory> CreateTypeServices() = 0;

    /// A new factory of security credentials; the caller owns it.
    virtual std::unique_ptr<Support::ICredentialFactory> CreateCredentialFactory() = 0;

    /// The message-file directory, ending in "/"; null before SetModuleHandle.
    virtual Support::orvik_wstring GetErrorMessagePath() = 0;

protected:
    IDriver() = default;
};

} // namespace DSI
} // namespace Orvik
