#include "DSI/DSIDriverSingleton.h"

#include "DSI/DSIDriver.h"
#include "Support/AttributeData.h"
#include "Support/InvalidArgumentException.h"

#include <atomic>

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

} // namespace

void DSIDriverSingleton::SetDriver(IDriver* in_driver, Support::ModuleHandle in_module)
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
