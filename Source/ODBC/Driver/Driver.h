#pragma once

#include "ODBC/Handles/HandleGenerator.h"
#include "ODBC/Handles/HandleMap.h"
#include "Support/CriticalSection.h"

#include <sql.h>

#include <atomic>
#include <memory>
#include <vector>

namespace Orvik {

class Platform;

namespace DSI {
class DSILog;
class IDriver;
} // namespace DSI

namespace Support {
class ErrorException;
} // namespace Support

namespace ODBC {

class Connection;
class ConnectionState;
class Descriptor;
class DiagManager;
class Environment;
class Statement;

/// The ODBC layer's process-wide object: it starts the driver once, creates and frees
/// environments, owns the registries that turn handle values into objects, keeps the shared
/// connection states and hands every layer the log. Lookups and registrations take only the
/// registries' own locks; start-up and the environment list take the driver lock.
class Driver
{
public:
    Driver();

    /// Destroys the environments still allocated, after the worker pool has finished their
    /// queued tasks, and tears the module down when the driver was started.
    ~Driver();

    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    /// The process's driver, started once: start-up runs at the first call, under the driver
    /// lock, and again at a later call only when it failed for another reason than an illegal
    /// encoding. Callers test IsInitialized.
    static Driver& GetDriver();

    /// Runs start-up unless it has completed: the start of GetDriver, for any driver object.
    void EnsureInitialized();

    bool IsInitialized() const { return m_isInitialized.load(std::memory_order_acquire); }

    /// Start-up met an illegal encoding setting: every environment allocation fails.
    bool HasEncodingError() const { return m_hasEncodingError; }

    /// A new environment over a new data-store environment, registered, its handle in
    /// out_handle. SQL_ERROR with nothing made when that fails (logged, nothing posted), and
    /// SQL_ERROR with the environment made and a "DriverConfigurationWarningEncoding" record on
    /// it after an illegal encoding setting.
    SQLRETURN CreateEnvironment(HandleValue& out_handle);

    /// Frees the environment registered under in_handle; SQL_INVALID_HANDLE for a value that
    /// is not. Freeing the last environment stops the worker pool once its tasks have run.
    SQLRETURN FreeEnvironment(HandleValue in_handle);

    // Lookups: the object registered under the value in that kind's registry, or null.
    Environment* GetEnvironment(HandleValue in_handle);
    Connection* GetConnection(HandleValue in_handle);
    Statement* GetStatement(HandleValue in_handle);
    Descriptor* GetAppDescriptor(HandleValue in_handle);

    /// An implementation descriptor, else an application descriptor, or null.
    Descriptor* GetDescriptor(HandleValue in_handle);

    // Counted lookups: the object registered under the value with one call counted on it, which
    // keeps the object from being freed until the entry goes; empty when there is none or its
    // free has begun. Every call that comes in by a handle value finds its object so.
    HandleEntry EnterEnvironment(HandleValue in_handle);
    HandleEntry EnterConnection(HandleValue in_handle);
    HandleEntry EnterStatement(HandleValue in_handle);

    /// An implementation descriptor, else an application descriptor.
    HandleEntry EnterDescriptor(HandleValue in_handle);

    /// The slot a descriptor's calls count on (implementation, else application), or null; a
    /// free closes it.
    HandleSlot* GetDescriptorSlot(HandleValue in_handle);

    /// The diagnostics of the handle of type in_handleType (SQL_HANDLE_ENV to SQL_HANDLE_DESC),
    /// with out_entry counting a call on the handle while they are read, or null for another
    /// type or a value not registered as that type. Logs nothing.
    DiagManager* GetDiagManager(SQLSMALLINT in_handleType, HandleValue in_handle, HandleEntry& out_entry);

    /// Registers in_connection under a new value and returns it; throws "TooManyHandles".
    HandleValue RegisterConnection(Connection* in_connection);

    /// Values for statements and for descriptors (implicit and explicit ones), drawn before the
    /// object is registered under them; throw "TooManyHandles".
    HandleValue NewStatementHandle();
    HandleValue NewAppDescriptorHandle();

    void RegisterStatement(HandleValue in_handle, Statement* in_statement);
    void RegisterAppDescriptor(HandleValue in_handle, Descriptor* in_descriptor);
    void RegisterImplDescriptor(HandleValue in_handle, Descriptor* in_descriptor);

    // Removing an object gives its value back for reuse.
    void UnregisterConnection(HandleValue in_handle);
    void UnregisterStatement(HandleValue in_handle);
    void UnregisterAppDescriptor(HandleValue in_handle);
    void UnregisterImplDescriptor(HandleValue in_handle);

    /// The data-store driver's log; null until start-up has obtained it.
    DSI::DSILog* GetLog() const { return m_log.load(std::memory_order_acquire); }

    /// The shared connection state C2 to C6 (in_number 2 to 6); null when start-up did not make
    /// it (after an illegal encoding setting).
    ConnectionState* GetConnectionState(int32_t in_number) const;

    /// The switch of driver property 29: connection functions that allocate and free handles
    /// and some statement functions do without the connection-wide lock.
    static bool IsConnectionLockSkipped();

private:
    void Initialize();

    /// Module start-up and what needs the module's data-store driver; the driver's log is known
    /// afterwards. Returns whether an illegal encoding setting was met; out_isModuleStarted
    /// tells whether the module holds a count for this driver.
    bool StartModule(bool& out_isModuleStarted);

    void MakeConnectionStates();
    void LogVersions(DSI::IDriver& io_driver);
    void ReadDriverProperties(DSI::IDriver& io_driver);
    void LogStartup();

    /// Traces "[ODBC] Driver initialization error: " and the exception's text.
    static void TraceStartupError(const Support::ErrorException& in_exception);

    SQLRETURN MakeEnvironment(HandleValue& out_handle);
    void LogFailure(const char* in_method, const Support::ErrorException& in_exception);

    Platform* m_platform;
    Support::CriticalSection m_lock;
    std::atomic<DSI::DSILog*> m_log{nullptr};
    HandleGenerator m_handleGenerator;
    HandleMap m_statements;
    HandleMap m_connections;
    HandleMap m_environments;
    HandleMap m_implDescriptors;
    HandleMap m_appDescriptors;
    std::vector<std::unique_ptr<Environment>> m_environmentList;
    std::atomic<bool> m_isInitialized{false};
    bool m_hasEncodingError = false;
    std::unique_ptr<ConnectionState> m_connectionStates[5];
};

} // namespace ODBC
} // namespace Orvik
