#include "DSI/DSIDriverSingleton.h"

#include "DSI/DSIDriver.h"
#include "Support/AttributeData.h"
#include "Support/InvalidArgumentException.h"

#include <atomic>
#include <mutex>

namespace Orvik {
namespace DSI {

namespace {

std::atomic<IDriver*> s_driver{ nullptr };

// Properties 7, 8 and 9 as the ODBC layer reads them once the driver is published.
constexpr int32_t FIRST_COPIED_KEY = DRIVER_PROP_DATA_AT_EXECUTION_SIZE;
constexpr int32_t COPIED_KEY_COUNT = 3;
constexpr int32_t DEFAULT_COPIED_SIZE = 65532;
std::atomic<int32_t> s_copiedSizes[COPIED_KEY_COUNT] = { { DEFAULT_COPIED_SIZE },
                                                         { DEFAULT_COPIED_SIZE },
                                                         { DEFAULT_COPIED_SIZE } };

// Serialises publishing and the uses. Never destroyed, like the state it guards: the module's
// tear-down may give its use back from a static destructor at exit.
std::mutex& PublishLock()
{
    static std::mutex* const s_lock = new std::mutex();
    return *s_lock;
}

int64_t s_useCount = 0;
IDriver* s_ownedDriver = nullptr; // made by AcquireDriver, deleted by the last ReleaseDriver

void Publish(IDriver* in_driver, Support::ModuleHandle in_module)
{
    s_driver.store(in_driver);
    if (in_driver == nullptr)
    {
        return;
    }
    in_driver->SetModuleHandle(in_module);
    for (int32_t key = FIRST_COPIED_KEY + COPIED_KEY_COUNT - 1; key >= FIRST_COPIED_KEY; --key)
    {
        s_copiedSizes[key - FIRST_COPIED_KEY].store(in_driver->GetProperty(key)->GetInt32Value());
    }
}

} // namespace

void DSIDriverSingleton::SetDriver(IDriver* in_driver, Support::ModuleHandle in_module)
{
    std::lock_guard<std::mutex> lock(PublishLock());
    Publish(in_driver, in_module);
}

IDriver* DSIDriverSingleton::AcquireDriver(DriverFactory in_factory)
{
    std::lock_guard<std::mutex> lock(PublishLock());
    IDriver* published = s_driver.load();
    if (published == nullptr)
    {
        Support::ModuleHandle module = nullptr;
        std::unique_ptr<IDriver> driver = in_factory(module);
        try
        {
            Publish(driver.get(), module);
        }
        catch (...)
        {
            s_driver.store(nullptr);
            throw;
        }
        published = driver.release();
        s_ownedDriver = published;
    }
    ++s_useCount;
    return published;
}

void DSIDriverSingleton::ReleaseDriver()
{
    std::unique_ptr<IDriver> unused;
    {
        std::lock_guard<std::mutex> lock(PublishLock());
        if (s_useCount == 0 || --s_useCount != 0 || s_ownedDriver == nullptr)
        {
            return;
        }
        if (s_driver.load() == s_ownedDriver)
        {
            s_driver.store(nullptr);
        }
        unused.reset(s_ownedDriver);
        s_ownedDriver = nullptr;
    }
    // Outside the lock: the driver's destructor may log, and logging may look the driver up.
}

IDriver* DSIDriverSingleton::GetDriver()
{
    return s_driver.load();
}

int32_t DSIDriverSingleton::GetCopiedSize(int32_t in_key)
{
    if (in_key < FIRST_COPIED_KEY || in_key >= FIRST_COPIED_KEY + COPIED_KEY_COUNT)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return s_copiedSizes[in_key - FIRST_COPIED_KEY].load();
}

} // namespace DSI
} // namespace Orvik
