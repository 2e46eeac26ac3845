#pragma once

// Test helper: the smallest back end behind the data-store interface (driver, environment,
// connection) and a driver factory for the module, with the driver-wide settings in a private
// registry file.

#include "DSI/DSIConnection.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIException.h"
#include "DSI/DSIStatement.h"
#include "ODBC/Driver/Module.h"
#include "Support/AttributeData.h"
#include "Support/OrvikSettingReader.h"
#include "Support/ProductException.h"

#include "Common/TemporaryDirectory.h"
#include "Unit/DSI/RecordingLog.h"
#include "Unit/Support/StringTestSupport.h"

#include <atomic>
#include <memory>
#include <string>

namespace Orvik {
namespace Testing {

class FakeConnection : public DSI::DSIConnection
{
public:
    explicit FakeConnection(DSI::DSIEnvironment* in_environment) : DSIConnection(in_environment, true) {}

    void Connect(const Support::VariantMap&) override {}
    std::unique_ptr<DSI::DSIStatement> CreateStatement() override { throw DSI::DSIException(u"FuncNotSupported"); }
    void Disconnect() override {}
    bool PromptDialog(const DSI::ConnSettingRequestMap&, Support::VariantMap&, void*, int32_t) override { return false; }
    void UpdateConnectionSettings(const Support::VariantMap&, DSI::ConnSettingRequestMap&) override {}
};

class FakeEnvironment : public DSI::DSIEnvironment
{
public:
    explicit FakeEnvironment(DSI::DSIDriver* in_driver) : DSIEnvironment(in_driver) {}

    std::unique_ptr<DSI::DSIConnection> CreateConnection() override { return std::make_unique<FakeConnection>(this); }
};

/// A driver with the product's version and UTF-8 database encodings, whose log records its
/// entries (at the "LogLevel" setting's level).
class FakeDriver : public DSI::DSIDriver
{
public:
    FakeDriver() : DSIDriver(u"/usr/bin/isql")
    {
        SetProperty(DSI::DRIVER_PROP_DRIVER_VER,
                    std::unique_ptr<Support::AttributeData>(
                        Support::AttributeData::MakeNewWStringAttributeData(Support::orvik_wstring(u"01.00.00.1000"))));
        SetProperty(DSI::DRIVER_PROP_CHAR_ENCODING,
                    std::unique_ptr<Support::AttributeData>(Support::AttributeData::MakeNewInt16AttributeData(0)));
        SetProperty(DSI::DRIVER_PROP_WCHAR_ENCODING,
                    std::unique_ptr<Support::AttributeData>(Support::AttributeData::MakeNewInt16AttributeData(0)));
    }

    std::unique_ptr<DSI::DSIEnvironment> CreateEnvironment() override
    {
        return std::make_unique<FakeEnvironment>(this);
    }

    DSI::DSILog* GetDriverLog() override { return &m_log; }

    RecordingLog m_log;
};

/// The factory the module calls: counts its calls, fails while s_failures is above 0, and makes
/// the settings key the product's, as the back end's factory does.
struct FakeFactory
{
    static inline std::atomic<int> s_calls{0};
    static inline std::atomic<int> s_failures{0};
    static inline FakeDriver* s_lastDriver = nullptr;

    static std::unique_ptr<DSI::IDriver> Make(Support::ModuleHandle& out_module)
    {
        ++s_calls;
        if (s_failures > 0)
        {
            --s_failures;
            throw Support::ProductException(u"BackEndFailure");
        }
        out_module = Support::GetDriverModuleHandle();
        Support::OrvikSettingReader::SetBrandingName(u"Pelta");
        auto driver = std::make_unique<FakeDriver>();
        s_lastDriver = driver.get();
        return driver;
    }
};

/// The module started over the fake back end, with driver-wide settings from a private registry
/// file (the message files of the build, and whatever a test adds) and UTF-8 as the application's
/// encoding; the process-wide encodings are put back afterwards.
class FakeBackEndTest : public Support::EncodingsRestored
{
protected:
    FakeBackEndTest()
    {
        FakeFactory::s_calls = 0;
        FakeFactory::s_failures = 0;
        ODBC::Module::SetDriverFactory(&FakeFactory::Make);
        UseSettings("");
    }

    ~FakeBackEndTest() override { ODBC::Module::SetDriverFactory(nullptr); }

    /// Registry lines such as "\"LogLevel\"=\"4\"\n", read when the module next starts.
    void UseSettings(const std::string& in_values)
    {
        WriteTextFile(m_user, "[SOFTWARE\\Pelta\\Driver]\n\"ERRORMESSAGESPATH\"=\"" +
                                  std::string(PELTA_MESSAGE_DIRECTORY) + "\"\n" + in_values);
    }

    TemporaryDirectory m_directory;
    std::string m_user = m_directory / "user.reg";
    ScopedEnvironment m_userVariable{"PELTA_REGISTRY_HKCU", m_user};
    ScopedEnvironment m_machineVariable{"PELTA_REGISTRY_HKLM", m_directory / "machine.reg"};
    ScopedEnvironment m_ansiVariable{"ORVIK_APP_ANSI_ENCODING", std::string("UTF-8")};
};

} // namespace Testing
} // namespace Orvik
