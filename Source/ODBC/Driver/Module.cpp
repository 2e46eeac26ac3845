#include "ODBC/Driver/Module.h"

#include "DSI/DSIConnection.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/IDriver.h"
#include "ODBC/DataWrappers/CDataWrapperPool.h"
#include "ODBC/Driver/DriverManagerInfo.h"
#include "ODBC/Driver/StepHook.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Threads/ThreadPool.h"
#include "Support/CriticalSectionLock.h"
#include "Support/EnvironmentCounter.h"
#include "Support/OrvikSettingReader.h"
#include "Support/Platform.h"
#include "Support/StartupInitException.h"
#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/TypedDataWrapperFactory.h"

#include <curl/curl.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const DM_ENCODING_NOT_UTF16 =
    "DriverManagerEncoding setting must be UTF-16: the driver manager's wide characters are UTF-16.";

struct ModuleObjects
{
    int32_t m_referenceCount = 0;
    Module::DriverFactory m_driverFactory = nullptr;
    bool m_isCurlStarted = false;
    bool m_isDriverAcquired = false;
    std::unique_ptr<DriverManagerInfo> m_driverManagerInfo;
    std::unique_ptr<ThreadPool> m_threadPool;
    std::unique_ptr<EnvironmentCounter> m_environmentCounter;
    std::unique_ptr<CDataWrapperPool> m_wrapperPool;
};

// The lock and the objects are never destroyed: a static destructor at unload or exit could
// otherwise destroy the lock while another thread holds it.
CriticalSection& GetModuleLock()
{
    static CriticalSection* const s_lock = new CriticalSection();
    return *s_lock;
}

ModuleObjects& GetObjects()
{
    static ModuleObjects* const s_objects = new ModuleObjects();
    return *s_objects;
}

void StartDataStoreDriver(ModuleObjects& io_objects)
{
    if (io_objects.m_driverFactory == nullptr)
    {
        throw ODBCInternalException(u"DriverFactoryNotInstalled");
    }
    // libcurl's global start is not thread-safe and is never undone: once, under the lock.
    if (!io_objects.m_isCurlStarted)
    {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        io_objects.m_isCurlStarted = true;
    }
    // A driver that DSN setup uses at this moment is shared, not replaced.
    DSI::DSIDriverSingleton::AcquireDriver(io_objects.m_driverFactory);
    io_objects.m_isDriverAcquired = true;
}

// The driver manager passes UTF-16 wide characters whatever the setting says: the encoding is
// UTF-16 before anything can convert, and another setting is refused as an illegal one.
void SetEncodings()
{
    const EncodingType driverManagerEncoding = OrvikSettingReader::GetDriverManagerEncoding();
    if (driverManagerEncoding != ENC_UTF16_LE)
    {
        Platform::Trace(DM_ENCODING_NOT_UTF16);
        throw StartupInitException(orvik_wstring(DM_ENCODING_NOT_UTF16));
    }
    orvik_wstring::InitializeAnsiEncoding(OrvikSettingReader::GetAppCharEncoding());
}

void StartUp(ModuleObjects& io_objects)
{
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    OrvikSettingReader::Initialize(u"Orvik", u"Driver");
    StepHook::Initialize();
    io_objects.m_driverManagerInfo = std::make_unique<DriverManagerInfo>();
    StartDataStoreDriver(io_objects);
    DSI::IDriver* driver = DSI::DSIDriverSingleton::GetDriver();
    Platform::SetTraceEnabled(OrvikSettingReader::IsTraceToStdErr());
    io_objects.m_threadPool = std::make_unique<ThreadPool>();
    io_objects.m_threadPool->SetThreadHook(driver->GetThreadCallback());
    io_objects.m_environmentCounter = std::make_unique<EnvironmentCounter>();
    driver->CreateTypeServices()->InstallServices();
    DSI::DSIConnection::SetBulkConverterFactoryHooks(&SqlToCBulkConverterFactory::CreateForConnection,
                                                     &SqlToCBulkConverterFactory::Delete);
    if (!io_objects.m_wrapperPool)
    {
        io_objects.m_wrapperPool = std::make_unique<CDataWrapperPool>();
    }
    SetEncodings();
}

void TearDown(ModuleObjects& io_objects)
{
    DSI::IDriver* driver = io_objects.m_isDriverAcquired ? DSI::DSIDriverSingleton::GetDriver() : nullptr;
    if (driver != nullptr && !driver->IsTerminated())
    {
        driver->Terminate();
    }
    io_objects.m_driverManagerInfo.reset();
    TypedDataWrapperFactory::RemoveServices();
    io_objects.m_environmentCounter.reset();
    io_objects.m_threadPool.reset();
    OrvikSettingReader::Shutdown();
    io_objects.m_wrapperPool.reset();
    // Last: the driver's destructor closes the log that the others may still write to.
    if (io_objects.m_isDriverAcquired)
    {
        io_objects.m_isDriverAcquired = false;
        DSI::DSIDriverSingleton::ReleaseDriver();
    }
}

} // namespace

void Module::SetDriverFactory(DriverFactory in_factory)
{
    CriticalSectionLock lock(GetModuleLock());
    GetObjects().m_driverFactory = in_factory;
}

void Module::Initialize()
{
    CriticalSectionLock lock(GetModuleLock());
    ModuleObjects& objects = GetObjects();
    if (objects.m_referenceCount++ != 0)
    {
        return;
    }
    try
    {
        StartUp(objects);
    }
    catch (const StartupInitException&)
    {
        throw;
    }
    catch (...)
    {
        // Nothing half-made stays behind for the next start-up to stumble on.
        TearDown(objects);
        objects.m_referenceCount = 0;
        throw;
    }
}

void Module::Terminate()
{
    CriticalSectionLock lock(GetModuleLock());
    ModuleObjects& objects = GetObjects();
    if (objects.m_referenceCount == 0 || --objects.m_referenceCount != 0)
    {
        return;
    }
    TearDown(objects);
}

ThreadPool* Module::GetThreadPool()
{
    return GetObjects().m_threadPool.get();
}

EnvironmentCounter* Module::GetEnvironmentCounter()
{
    return GetObjects().m_environmentCounter.get();
}

DriverManagerInfo* Module::GetDriverManagerInfo()
{
    return GetObjects().m_driverManagerInfo.get();
}

CDataWrapperPool* Module::GetCDataWrapperPool()
{
    return GetObjects().m_wrapperPool.get();
}

} // namespace ODBC
} // namespace Orvik
