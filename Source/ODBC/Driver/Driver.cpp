#include "ODBC/Driver/Driver.h"

#include "DSI/DSIDriver.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/DriverManagerInfo.h"
#include "ODBC/Driver/Module.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/States/ConnectionState2.h"
#include "ODBC/States/ConnectionState3.h"
#include "ODBC/States/ConnectionState4.h"
#include "ODBC/States/ConnectionState5.h"
#include "ODBC/States/ConnectionState6.h"
#include "ODBC/Threads/ThreadPool.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/EncodingInfo.h"
#include "Support/EnvironmentCounter.h"
#include "Support/Platform.h"
#include "Support/StartupInitException.h"
#include "Support/TypedDataWrapper/ConversionSettings.h"

#include <unicode/locid.h>

#include <algorithm>
#include <new>
#include <string>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";
const char* const LOG_CLASS = "Driver";

// The version of the interface the data-store layer implements, as the log reports it.
constexpr int32_t SDK_VERSION[] = {9, 5, 4, 1004};

// The switches read at start-up, in the order they are read.
constexpr int32_t SWITCH_PROPERTIES[] = {
    DSI::DRIVER_PROP_NUMERIC_LEADING_ZERO,
    DSI::DRIVER_PROP_NUMERIC_ZERO_AS_DIGIT,
    DSI::DRIVER_PROP_PAD_INTERVAL_LEADING_FIELD,
    DSI::DRIVER_PROP_SHOW_ZERO_TIMESTAMP_FRACTION,
    DSI::DRIVER_PROP_SHOW_ZERO_TIME_FRACTION,
    DSI::DRIVER_PROP_SKIP_CONNECTION_LOCK,
};

// Written by start-up before any handle exists, read by every call afterwards.
std::atomic<bool> s_isConnectionLockSkipped{false};

const char* EncodingName(EncodingType in_encoding)
{
    return in_encoding >= 0 && in_encoding < ENCODING_COUNT ? EncodingInfo::GetEncodingName(in_encoding)
                                                            : "Unknown";
}

} // namespace

Driver::Driver()
    : m_platform(Platform::InitializePlatform(false)),
      m_statements(m_handleGenerator),
      m_connections(m_handleGenerator),
      m_environments(m_handleGenerator),
      m_implDescriptors(m_handleGenerator),
      m_appDescriptors(m_handleGenerator)
{
}

Driver::~Driver()
{
    {
        CriticalSectionLock lock(m_lock);
        if (!m_environmentList.empty())
        {
            // Tasks still queued run to their end before the handles they work on go.
            Module::GetThreadPool()->Release();
            Module::GetEnvironmentCounter()->Decrement();
            m_environmentList.clear();
        }
        if (IsInitialized())
        {
            Module::Terminate();
            for (std::unique_ptr<ConnectionState>& state : m_connectionStates)
            {
                state.reset();
            }
        }
    }
    Platform::UninitializePlatform();
}

Driver& Driver::GetDriver()
{
    static Driver s_driver;
    s_driver.EnsureInitialized();
    return s_driver;
}

void Driver::EnsureInitialized()
{
    if (IsInitialized())
    {
        return;
    }
    CriticalSectionLock lock(m_lock);
    if (!IsInitialized())
    {
        Initialize();
    }
}

SQLRETURN Driver::CreateEnvironment(HandleValue& out_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "CreateEnvironment");
    }
    CriticalSectionLock lock(m_lock);
    try
    {
        return MakeEnvironment(out_handle);
    }
    catch (const ErrorException& e)
    {
        LogFailure("CreateEnvironment", e);
    }
    catch (const std::bad_alloc&)
    {
        LogFailure("CreateEnvironment", ErrorException(DIAG_MEMORY_ALLOCATION_ERROR, ODBC_COMPONENT_ID,
                                                         u"MemAllocErr", -1, -1));
    }
    catch (...)
    {
        LogFailure("CreateEnvironment", ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"GenErr", -1, -1));
    }
    return SQL_ERROR;
}

SQLRETURN Driver::FreeEnvironment(HandleValue in_handle)
{
    DSI::DSILog* log = GetLog();
    if (log != nullptr)
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "FreeEnvironment");
    }
    CriticalSectionLock lock(m_lock);
    Environment* environment = GetEnvironment(in_handle);
    if (environment == nullptr)
    {
        return SQL_INVALID_HANDLE;
    }
    // Freeing the environment frees its connections, which a call on another thread still uses;
    // a call on the environment itself finds it no more once it is closed.
    HandleClosing closing;
    if (!closing.Close(m_environments.GetSlot(in_handle)) || environment->HasBusyConnections())
    {
        environment->GetDiagManager().Clear();
        environment->GetDiagManager().PostError(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
        return SQL_ERROR;
    }
    const auto found = std::find_if(m_environmentList.begin(), m_environmentList.end(),
                                    [environment](const std::unique_ptr<Environment>& in_entry) {
                                        return in_entry.get() == environment;
                                    });
    closing.Keep();
    std::unique_ptr<Environment> freed = std::move(*found);
    m_environmentList.erase(found);
    if (log != nullptr)
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "UnregisterEnvironment");
    }
    m_environments.Unregister(in_handle);
    freed.reset();
    if (m_environmentList.empty())
    {
        Module::GetThreadPool()->Release();
        Module::GetEnvironmentCounter()->Decrement();
    }
    return SQL_SUCCESS;
}

Environment* Driver::GetEnvironment(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "GetEnvironment");
    }
    return static_cast<Environment*>(m_environments.Find(in_handle));
}

Connection* Driver::GetConnection(HandleValue in_handle)
{
    return static_cast<Connection*>(m_connections.Find(in_handle));
}

Statement* Driver::GetStatement(HandleValue in_handle)
{
    return static_cast<Statement*>(m_statements.Find(in_handle));
}

Descriptor* Driver::GetAppDescriptor(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "GetAppDescriptor");
    }
    return static_cast<Descriptor*>(m_appDescriptors.Find(in_handle));
}

Descriptor* Driver::GetDescriptor(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "GetDescriptor");
    }
    if (void* descriptor = m_implDescriptors.Find(in_handle))
    {
        return static_cast<Descriptor*>(descriptor);
    }
    return static_cast<Descriptor*>(m_appDescriptors.Find(in_handle));
}

HandleEntry Driver::EnterEnvironment(HandleValue in_handle)
{
    return m_environments.Enter(in_handle);
}

HandleEntry Driver::EnterConnection(HandleValue in_handle)
{
    return m_connections.Enter(in_handle);
}

HandleEntry Driver::EnterStatement(HandleValue in_handle)
{
    return m_statements.Enter(in_handle);
}

HandleEntry Driver::EnterDescriptor(HandleValue in_handle)
{
    if (HandleEntry implementation = m_implDescriptors.Enter(in_handle))
    {
        return implementation;
    }
    return m_appDescriptors.Enter(in_handle);
}

HandleSlot* Driver::GetDescriptorSlot(HandleValue in_handle)
{
    if (HandleSlot* implementation = m_implDescriptors.GetSlot(in_handle))
    {
        return implementation;
    }
    return m_appDescriptors.GetSlot(in_handle);
}

DiagManager* Driver::GetDiagManager(SQLSMALLINT in_handleType, HandleValue in_handle, HandleEntry& out_entry)
{
    switch (in_handleType)
    {
        case SQL_HANDLE_ENV:
            out_entry = m_environments.Enter(in_handle);
            return out_entry ? &static_cast<Environment*>(out_entry.GetObject())->GetDiagManager() : nullptr;
        case SQL_HANDLE_DBC:
            out_entry = m_connections.Enter(in_handle);
            return out_entry ? &static_cast<Connection*>(out_entry.GetObject())->GetDiagManager() : nullptr;
        case SQL_HANDLE_STMT:
            out_entry = m_statements.Enter(in_handle);
            return out_entry ? &static_cast<Statement*>(out_entry.GetObject())->GetDiagManager() : nullptr;
        case SQL_HANDLE_DESC:
            out_entry = EnterDescriptor(in_handle);
            return out_entry ? &static_cast<Descriptor*>(out_entry.GetObject())->GetDiagManager() : nullptr;
        default:
            return nullptr;
    }
}

HandleValue Driver::RegisterConnection(Connection* in_connection)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "RegisterConnection");
    }
    const HandleValue handle = m_connections.Register(in_connection);
    in_connection->AttachSlot(*m_connections.GetSlot(handle));
    return handle;
}

HandleValue Driver::NewStatementHandle()
{
    return m_handleGenerator.NextHandle();
}

HandleValue Driver::NewAppDescriptorHandle()
{
    return m_handleGenerator.NextHandle();
}

void Driver::RegisterStatement(HandleValue in_handle, Statement* in_statement)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "RegisterStatement");
    }
    m_statements.Register(in_handle, in_statement);
    in_statement->AttachSlot(*m_statements.GetSlot(in_handle));
}

void Driver::RegisterAppDescriptor(HandleValue in_handle, Descriptor* in_descriptor)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "RegisterAppDescriptor");
    }
    m_appDescriptors.Register(in_handle, in_descriptor);
}

void Driver::RegisterImplDescriptor(HandleValue in_handle, Descriptor* in_descriptor)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "RegisterImplDescriptor");
    }
    m_implDescriptors.Register(in_handle, in_descriptor);
}

void Driver::UnregisterConnection(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "UnregisterConnection");
    }
    m_connections.Unregister(in_handle);
}

void Driver::UnregisterStatement(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "UnregisterStatement");
    }
    m_statements.Unregister(in_handle);
}

void Driver::UnregisterAppDescriptor(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "UnregisterAppDescriptor");
    }
    m_appDescriptors.Unregister(in_handle);
}

void Driver::UnregisterImplDescriptor(HandleValue in_handle)
{
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "UnregisterImplDescriptor");
    }
    m_implDescriptors.Unregister(in_handle);
}

ConnectionState* Driver::GetConnectionState(int32_t in_number) const
{
    if (in_number < 2 || in_number > 6)
    {
        return nullptr;
    }
    return m_connectionStates[in_number - 2].get();
}

bool Driver::IsConnectionLockSkipped()
{
    return s_isConnectionLockSkipped.load(std::memory_order_relaxed);
}

void Driver::Initialize()
{
    bool isModuleStarted = false;
    try
    {
        m_hasEncodingError = StartModule(isModuleStarted);
        ReadDriverProperties(*DSI::DSIDriverSingleton::GetDriver());
        m_isInitialized.store(true, std::memory_order_release);
        LogStartup();
    }
    catch (const ErrorException& e)
    {
        Platform::SetTraceEnabled(true);
        TraceStartupError(e);
    }
    catch (...)
    {
        Platform::SetTraceEnabled(true);
    }
    if (IsInitialized() || !isModuleStarted)
    {
        return;
    }
    // Undone whole, so that the next call starts afresh instead of using what was not made.
    m_log.store(nullptr, std::memory_order_release);
    m_hasEncodingError = false;
    for (std::unique_ptr<ConnectionState>& state : m_connectionStates)
    {
        state.reset();
    }
    Module::Terminate();
}

bool Driver::StartModule(bool& out_isModuleStarted)
{
    try
    {
        Module::Initialize();
        out_isModuleStarted = true;
    }
    catch (const StartupInitException& e)
    {
        out_isModuleStarted = true;
        // The module keeps what it made; the driver goes on without connection states.
        m_log.store(DSI::DSIDriverSingleton::GetDriver()->GetDriverLog(), std::memory_order_release);
        Platform::SetTraceEnabled(true);
        TraceStartupError(e);
        return true;
    }
    MakeConnectionStates();
    DSI::IDriver& driver = *DSI::DSIDriverSingleton::GetDriver();
    m_log.store(driver.GetDriverLog(), std::memory_order_release);
    LogVersions(driver);
    return false;
}

void Driver::MakeConnectionStates()
{
    m_connectionStates[0] = std::make_unique<ConnectionState2>();
    m_connectionStates[1] = std::make_unique<ConnectionState3>();
    m_connectionStates[2] = std::make_unique<ConnectionState4>();
    m_connectionStates[3] = std::make_unique<ConnectionState5>();
    m_connectionStates[4] = std::make_unique<ConnectionState6>();
}

void Driver::LogVersions(DSI::IDriver& io_driver)
{
    DSI::DSILog* log = io_driver.GetDriverLog();
    const int32_t level = log->GetLogLevel();
    if (level == DSI::LOG_OFF)
    {
        return;
    }
    // The versions are written whatever the level, as long as logging is on.
    log->SetLogLevel(DSI::LOG_INFO);
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "LogVersions", "SDK Version: %02d.%02d.%02d.%02d", SDK_VERSION[0],
                 SDK_VERSION[1], SDK_VERSION[2], SDK_VERSION[3]);
    const AttributeData* version = io_driver.GetProperty(DSI::DRIVER_PROP_DRIVER_VER);
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "LogVersions", "DSII Version: %s",
                 version->GetWStringValue()->GetAsUTF8().c_str());
    log->SetLogLevel(level);
}

void Driver::ReadDriverProperties(DSI::IDriver& io_driver)
{
    orvik_wstring::SetDatabaseWCharEncoding(io_driver.GetProperty(DSI::DRIVER_PROP_WCHAR_ENCODING)->GetInt16Value());
    orvik_wstring::SetDatabaseCharEncoding(io_driver.GetProperty(DSI::DRIVER_PROP_CHAR_ENCODING)->GetInt16Value());
    for (const int32_t key : SWITCH_PROPERTIES)
    {
        const uint32_t value = io_driver.GetProperty(key)->GetUInt32Value();
        ConversionSettings::SetFromDriverProperty(key, value);
        if (key == DSI::DRIVER_PROP_SKIP_CONNECTION_LOCK)
        {
            s_isConnectionLockSkipped.store(value == 1, std::memory_order_relaxed);
        }
    }
}

void Driver::LogStartup()
{
    DSI::DSILog* log = GetLog();
    const DriverManagerInfo& driverManager = *Module::GetDriverManagerInfo();
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "Database CHAR Encoding: %s",
                 EncodingName(orvik_wstring::GetDatabaseCharEncoding()));
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "Database WCHAR Encoding: %s",
                 EncodingName(orvik_wstring::GetDatabaseWCharEncoding()));
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "ANSI CHAR Encoding: %s",
                 EncodingName(orvik_wstring::GetAnsiEncoding()));
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "Driver Manager WCHAR Encoding: %s",
                 EncodingName(orvik_wstring::GetDriverManagerEncoding()));
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "Detected Driver Manager: %s, %s",
                 driverManager.GetName().c_str(), driverManager.GetVersion().c_str());
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "Locale name: %s", icu::Locale::getDefault().getName());
    log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "Initialize", "Bitness: 64-bit");
}

void Driver::TraceStartupError(const ErrorException& in_exception)
{
    const std::string line = "[ODBC] Driver initialization error: " + in_exception.GetMessageKey().GetAsUTF8();
    Platform::Trace(line.c_str());
}

SQLRETURN Driver::MakeEnvironment(HandleValue& out_handle)
{
    DSI::IDriver* dsiDriver = DSI::DSIDriverSingleton::GetDriver();
    if (!IsInitialized() || dsiDriver == nullptr)
    {
        return SQL_ERROR;
    }
    auto environment = std::make_unique<Environment>(*this, dsiDriver->CreateEnvironment());
    environment->GetDSIEnvironment().RegisterWarningListener(&environment->GetDiagManager());
    environment->GetDSIEnvironment().SetProperty(DSI::ENV_PROP_CATALOG_CONVENTION,
                                                 std::unique_ptr<AttributeData>(AttributeData::MakeNewInt32AttributeData(0)));
    // Room first: once registered, the environment goes on the list without fail.
    m_environmentList.reserve(m_environmentList.size() + 1);
    if (DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "RegisterEnvironment");
    }
    const HandleValue handle = m_environments.Register(environment.get());
    if (m_environmentList.empty())
    {
        // The pool counts one user while any environment exists.
        Module::GetEnvironmentCounter()->Increment();
        Module::GetThreadPool()->AddRef();
    }
    Environment& made = *environment;
    m_environmentList.push_back(std::move(environment));
    out_handle = handle;
    if (!m_hasEncodingError)
    {
        return SQL_SUCCESS;
    }
    // The environment stays, so that the application can read why and free it.
    const ErrorException error(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"DriverConfigurationWarningEncoding", -1, -1);
    made.GetDiagManager().Clear();
    made.GetDiagManager().PostError(error);
    LogFailure("CreateEnvironment", error);
    return SQL_ERROR;
}

void Driver::LogFailure(const char* in_method, const ErrorException& in_exception)
{
    try
    {
        if (DSI::DSILog* log = GetLog())
        {
            log->LogErrorException(LOG_NAMESPACE, LOG_CLASS, in_method, in_exception);
        }
    }
    catch (...)
    {
        // A failure to log is no failure of the call.
    }
}

} // namespace ODBC
} // namespace Orvik
