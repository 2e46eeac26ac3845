#pragma once

#include "Support/DriverModuleDirectory.h"

#include <memory>

namespace Orvik {

namespace DSI {
class IDriver;
} // namespace DSI

namespace Support {
class EnvironmentCounter;
} // namespace Support

namespace ODBC {

class CDataWrapperPool;
class DriverManagerInfo;
class ThreadPool;

/// The process-wide objects under the ODBC layer, started once and torn down once: the
/// settings reader, the step hook, the driver-manager record, the back end's data-store driver,
/// the worker pool, the environment counter, the typed-data services, the pool of C-data
/// wrappers and the process-wide encodings. Reference-counted under the module lock, which lives
/// as long as the process, so no tear-down ever destroys a lock another thread holds.
class Module
{
public:
    Module() = delete;

    /// The back end's entry: a new data-store driver (the caller owns it) and, in out_module,
    /// the module handle of the library.
    typedef std::unique_ptr<DSI::IDriver> (*DriverFactory)(Support::ModuleHandle& out_module);

    /// The back end installs its factory before the module starts.
    static void SetDriverFactory(DriverFactory in_factory);

    /// The first call starts the module; later calls only count. A StartupInitException (an
    /// illegal encoding setting) leaves everything made in place and the count taken, so the
    /// driver can go on with it; any other failure undoes what was made and leaves the count as
    /// it was, so that a later call starts afresh.
    static void Initialize();

    /// The call that brings the count to 0 tears the module down.
    static void Terminate();

    // The module's objects; null while the module is down.
    static ThreadPool* GetThreadPool();
    static Support::EnvironmentCounter* GetEnvironmentCounter();
    static DriverManagerInfo* GetDriverManagerInfo();
    static CDataWrapperPool* GetCDataWrapperPool();
};

} // namespace ODBC
} // namespace Orvik
