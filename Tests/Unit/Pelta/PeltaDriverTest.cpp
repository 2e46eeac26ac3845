// The back end's entry: the factory with its settings key and module handle, the driver's
// properties, log file and messages, and the loader's entry hook.

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSILog.h"
#include "Pelta/DSIDriverFactory.h"
#include "Pelta/DllMainHook.h"
#include "Support/AttributeData.h"
#include "Support/OrvikSettingReader.h"

#include "Common/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using Orvik::Support::ModuleHandle;
using Orvik::Support::OrvikSettingReader;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TemporaryDirectory;

namespace {

std::string ReadFile(const std::string& in_path)
{
    std::ifstream file(in_path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The hook's recorded module, put back after a test changed it.
class RecordedModule
{
public:
    ~RecordedModule() { Pelta::DllMainHook(m_module, Pelta::DLL_REASON_PROCESS_ATTACH, nullptr); }

private:
    ModuleHandle m_module = Pelta::GetRecordedModuleHandle();
};

TEST(PeltaDriver, TheFactoryReadsTheBrandedKeyAndMakesTheDriverWithItsPropertiesLogAndMessages)
{
    TemporaryDirectory directory;
    std::ofstream(directory / "user.reg") << "[SOFTWARE\\Pelta\\Driver]\n\"LogLevel\"=\"6\"\n\"LogPath\"=\""
                                          << directory.Path() << "\"\n\"ERRORMESSAGESPATH\"=\"" << PELTA_MESSAGE_DIRECTORY
                                          << "\"\n";
    ScopedEnvironment user("PELTA_REGISTRY_HKCU", directory / "user.reg");
    ScopedEnvironment machine("PELTA_REGISTRY_HKLM", directory / "machine.reg");
    // The module starts the reader under the SDK's key; the factory must move it to its own.
    OrvikSettingReader::Shutdown();
    OrvikSettingReader::Initialize(u"Orvik", u"Driver");

    ModuleHandle module = nullptr;
    {
        std::unique_ptr<Orvik::DSI::IDriver> driver = Pelta::DSIDriverFactory(module);
        EXPECT_EQ(Pelta::GetRecordedModuleHandle(), module);
        EXPECT_EQ(Orvik::DSI::LOG_TRACE, driver->GetDriverLog()->GetLogLevel());

        EXPECT_EQ("Pelta", driver->GetProperty(Orvik::DSI::DRIVER_PROP_DRIVER_NAME)->GetWStringValue()->GetAsUTF8());
        EXPECT_EQ("01.00.00.1000", driver->GetProperty(Orvik::DSI::DRIVER_PROP_DRIVER_VER)->GetWStringValue()->GetAsUTF8());
        EXPECT_EQ(Orvik::Support::ENC_UTF8, driver->GetProperty(Orvik::DSI::DRIVER_PROP_CHAR_ENCODING)->GetInt16Value());
        EXPECT_EQ(Orvik::Support::ENC_UTF8, driver->GetProperty(Orvik::DSI::DRIVER_PROP_WCHAR_ENCODING)->GetInt16Value());

        Orvik::Support::orvik_wstring text;
        uint32_t code = 0;
        driver->GetMessageSource()->LoadMessage("en-US", u"PeltaInvalidServer", 117, text, code);
        EXPECT_EQ(0u, text.GetAsUTF8().find("[Pelta][Pelta] (13) The \"Servers\" setting")) << text.GetAsUTF8();
    }
    OrvikSettingReader::Shutdown();

    EXPECT_NE(std::string::npos, ReadFile(directory / "Pelta_driver.log").find("PeltaDriver::PeltaDriver: +++++ enter +++++"));
    EXPECT_FALSE(std::filesystem::exists(directory / "driver.log"));
}

TEST(PeltaDriver, TheEntryHookRecordsTheModuleOnProcessAttachOnly)
{
    RecordedModule restore;
    int first = 0;
    int second = 0;
    ASSERT_EQ(1, Pelta::DllMainHook(&first, Pelta::DLL_REASON_PROCESS_ATTACH, nullptr));
    for (uint32_t reason : {Pelta::DLL_REASON_PROCESS_DETACH, Pelta::DLL_REASON_THREAD_ATTACH, Pelta::DLL_REASON_THREAD_DETACH})
    {
        EXPECT_EQ(1, Pelta::DllMainHook(&second, reason, nullptr)) << reason;
        EXPECT_EQ(&first, Pelta::GetRecordedModuleHandle()) << reason;
    }
    EXPECT_EQ(1, Pelta::DllMainHook(&second, Pelta::DLL_REASON_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(&second, Pelta::GetRecordedModuleHandle());
}

TEST(PeltaDriver, TheLibraryRecordedItsModuleWhenItWasLoaded)
{
    EXPECT_EQ(Orvik::Support::GetDriverModuleHandle(), Pelta::GetRecordedModuleHandle());
}

} // namespace
